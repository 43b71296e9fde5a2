#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ControlsTestSupport.h"
#include "PromptDriver.h"
#include "common/WindowMessages.h"
#include "res/resource.h"
#include "ui/toolkit/CDrawStateInfoStatic.h"
#include "ui/toolkit/CExecutePromptDlg.h"

using namespace prompttest;

namespace {

CDrawStateInfoStatic* Line(const Windows& w)
{
    return dynamic_cast<CDrawStateInfoStatic*>(CWnd::FromHandlePermanent(Control(w.content, IDC_STATIC_PROGRESS)));
}

TEST(ExecutePromptTest, GeometryTextAndCloseMessageFromAWorkerGiveOne)
{
    CExecutePromptDlg dlg;
    dlg.SetPromptText(L"正在修复，请稍等");
    std::thread worker;
    std::atomic<bool> checked{false};
    const INT_PTR result = RunModal(dlg, [&](int tick, const Windows& w) {
        if (tick < 3)
            return false;
        const RECT frame = WindowRectOf(w.frame);
        EXPECT_EQ(232, frame.right - frame.left);
        EXPECT_EQ(132, frame.bottom - frame.top);
        const RECT content = WindowRectOf(w.content);
        EXPECT_EQ(frame.left + 14, content.left);
        EXPECT_EQ(frame.top + 12, content.top);
        EXPECT_EQ(204, content.right - content.left);
        EXPECT_EQ(104, content.bottom - content.top);
        const RECT line = ControlRect(w.content, IDC_STATIC_PROGRESS);
        EXPECT_EQ(10, line.left);
        EXPECT_EQ(42, line.top);
        EXPECT_EQ(194, line.right);
        EXPECT_EQ(62, line.bottom);
        CDrawStateInfoStatic* stc = Line(w);
        EXPECT_NE(nullptr, stc);
        if (stc) {
            EXPECT_EQ(L"正在修复，请稍等", stc->GetWindowText());
            EXPECT_TRUE(stc->IsAnimating());
        }
        checked = true;
        // The repair worker closes the prompt with a synchronous send.
        HWND frameHwnd = w.frame;
        worker = std::thread([frameHwnd] { ::SendMessageW(frameHwnd, WM_REPAIR_CLOSE_PROMPT, 0, 0); });
        return true;
    });
    if (worker.joinable())
        worker.join();
    EXPECT_TRUE(checked);
    EXPECT_EQ(1, result);
}

TEST(ExecutePromptTest, ShortTextsShowTheDefaultAndTheDotsCycle)
{
    for (const wchar_t* text : {L"", L"x"}) {
        CExecutePromptDlg dlg;
        dlg.SetPromptText(text);
        std::vector<int> seen;
        std::wstring shown;
        const INT_PTR result = RunModal(dlg, [&](int tick, const Windows& w) {
            CDrawStateInfoStatic* stc = Line(w);
            if (!stc)
                return false;
            if (tick == 0)
                shown = stc->GetWindowText();
            const int dots = stc->GetDotCount();
            if (seen.empty() || seen.back() != dots)
                seen.push_back(dots);
            if (seen.size() < 6)
                return false;
            ::PostMessageW(w.frame, WM_REPAIR_CLOSE_PROMPT, 0, 0);
            return true;
        });
        EXPECT_EQ(L"正在删除，请稍等", shown);
        EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 0, 1}), seen);
        EXPECT_EQ(1, result);
    }
}

TEST(ExecutePromptTest, EnterEscAndClicksDoNotEndIt)
{
    CExecutePromptDlg dlg;
    dlg.SetPromptText(L"正在修复，请稍等");
    bool stillOpen = false;
    const INT_PTR result = RunModal(dlg, [&](int tick, const Windows& w) {
        if (tick == 2) {
            ::SetActiveWindow(w.frame);
            ::SetFocus(w.frame);
            PostKey(w.frame, VK_RETURN);
            PostKey(w.frame, VK_ESCAPE);
            PostKey(w.content, VK_RETURN);
            PostKey(w.content, VK_ESCAPE);
            PostKey(Control(w.content, IDC_STATIC_PROGRESS), VK_ESCAPE);
            ::PostMessageW(w.content, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
            ::PostMessageW(w.content, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
        }
        if (tick < 20)
            return false;
        stillOpen = ::IsWindow(w.frame) && ::IsWindowVisible(w.frame) && ::IsWindowVisible(w.content);
        ::SendMessageW(w.frame, WM_REPAIR_CLOSE_PROMPT, 0, 0);
        return true;
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(1, result);
}

TEST(ExecutePromptTest, ContentIsNotDraggable)
{
    CExecutePromptDlg dlg;
    LRESULT hit = -1;
    const INT_PTR result = RunModal(dlg, [&](int tick, const Windows& w) {
        if (tick < 2)
            return false;
        const RECT r = WindowRectOf(w.content);
        hit = ::SendMessageW(w.content, WM_NCHITTEST, 0, MAKELPARAM(r.left + 20, r.top + 5));
        ::SendMessageW(w.frame, WM_REPAIR_CLOSE_PROMPT, 0, 0);
        return true;
    });
    EXPECT_NE(HTCAPTION, hit);
    EXPECT_EQ(1, result);
}

} // namespace
