#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "PromptDriver.h"
#include "res/resource.h"
#include "ui/toolkit/CPngButton.h"
#include "ui/toolkit/CPromptDlg.h"

using namespace prompttest;
using namespace ctltest;

namespace {

bool Same(const RECT& r, int l, int t, int rr, int b)
{
    return r.left == l && r.top == t && r.right == rr && r.bottom == b;
}

::testing::AssertionResult RectIs(const RECT& r, int l, int t, int rr, int b)
{
    if (Same(r, l, t, rr, b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << r.left << "," << r.top << " - " << r.right << "," << r.bottom
                                         << " instead of " << l << "," << t << " - " << rr << "," << b;
}

// Which face a prompt button shows, among the normal faces of "是" and "确认".
unsigned FirstButtonFace(HWND button)
{
    Refresh(button);
    const Capture shown = CaptureClient(button);
    const std::vector<Capture> faces = {RenderExpected({IDB_YES_NORMAL, 0, 0, 54, 23}, 55, 24),
                                        RenderExpected({IDB_CONFIRM_NORMAL, 0, 0, 54, 23}, 55, 24)};
    const int i = ClosestRendering(shown, faces, 0, 0, 55, 24);
    return i == 0 ? IDB_YES_NORMAL : i == 1 ? IDB_CONFIRM_NORMAL : 0;
}

// Stands for the main frame and panel, which discard Enter and Esc.
class CKeyDiscardingOwner : public CDialog
{
public:
    int discarded = 0;
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
            ++discarded;
            return TRUE;
        }
        return CDialog::PreTranslateMessage(msg);
    }
};

class PromptTest : public ::testing::Test
{
protected:
    void SetUp() override { ::SetCursorPos(2, 2); }
};

struct ModeCase
{
    int mode;
    bool secondShown;
    int firstLeft; // 96 left of centre, 135 centred
    unsigned firstFace;
};

TEST_F(PromptTest, ModesPlaceAndFaceTheirButtonsAtScaleOne)
{
    const ModeCase cases[] = {{1, false, 135, IDB_YES_NORMAL},
                              {2, true, 96, IDB_YES_NORMAL},
                              {3, false, 135, IDB_CONFIRM_NORMAL},
                              {4, true, 96, IDB_CONFIRM_NORMAL},
                              {7, false, 96, IDB_YES_NORMAL}};
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.mode);
        CPromptDlg dlg;
        dlg.SetPromptText(L"是否继续？");
        dlg.SetPromptMode(c.mode);
        bool checked = false;
        const INT_PTR result = RunModal(dlg, [&](int tick, const Windows& w) {
            if (tick < 3)
                return false;
            const RECT frame = WindowRectOf(w.frame);
            EXPECT_EQ(336, frame.right - frame.left);
            EXPECT_EQ(156, frame.bottom - frame.top);
            const RECT content = WindowRectOf(w.content);
            EXPECT_TRUE(RectIs(content, frame.left + 5, frame.top + 3, frame.left + 331, frame.top + 149));
            RECT client = {};
            ::GetClientRect(w.content, &client);
            EXPECT_TRUE(RectIs(client, 0, 0, 326, 146));
            EXPECT_TRUE(RectIs(ControlRect(w.content, IDC_BTN_CLOSE), 300, 8, 312, 20));
            EXPECT_TRUE(RectIs(ControlRect(w.content, IDC_PROMPT_MESSAGE), 10, 50, 316, 106));
            EXPECT_TRUE(
                RectIs(ControlRect(w.content, IDC_PROMPT_FIRST), c.firstLeft, 107, c.firstLeft + 55, 131));
            EXPECT_TRUE(::IsWindowVisible(Control(w.content, IDC_PROMPT_FIRST)));
            EXPECT_EQ(c.secondShown, ::IsWindowVisible(Control(w.content, IDC_PROMPT_SECOND)) != FALSE);
            if (c.secondShown) {
                EXPECT_TRUE(RectIs(ControlRect(w.content, IDC_PROMPT_SECOND), 175, 107, 230, 131));
            }
            EXPECT_EQ(c.firstFace, FirstButtonFace(Control(w.content, IDC_PROMPT_FIRST)));
            checked = true;
            Click(w.content, IDC_PROMPT_FIRST);
            return true;
        });
        EXPECT_TRUE(checked);
        EXPECT_EQ(1, result);
    }
}

INT_PTR Answer(int mode, const std::wstring& text, const std::function<void(const Windows&)>& act,
               CWnd* owner = nullptr)
{
    CPromptDlg dlg(owner);
    dlg.SetPromptText(text);
    dlg.SetPromptMode(mode);
    return RunModal(dlg, [&](int tick, const Windows& w) {
        if (tick < 2)
            return false;
        act(w);
        return true;
    });
}

TEST_F(PromptTest, ButtonsAndCrossGiveTheirResults)
{
    EXPECT_EQ(1, Answer(2, L"修复注册表成功", [](const Windows& w) { Click(w.content, IDC_PROMPT_FIRST); }));
    EXPECT_EQ(2, Answer(2, L"修复注册表成功", [](const Windows& w) { Click(w.content, IDC_PROMPT_SECOND); }));
    EXPECT_EQ(2, Answer(2, L"修复注册表成功", [](const Windows& w) { Click(w.content, IDC_BTN_CLOSE); }));
    EXPECT_EQ(1, Answer(3, L"", [](const Windows& w) { Click(w.content, IDC_PROMPT_FIRST); }));
    EXPECT_EQ(2, Answer(4, L"警告", [](const Windows& w) { Click(w.content, IDC_PROMPT_SECOND); }));
    EXPECT_EQ(2, Answer(7, L"x", [](const Windows& w) { Click(w.content, IDC_BTN_CLOSE); }));
    EXPECT_EQ(1, Answer(1, L"x", [](const Windows& w) { Click(w.content, IDC_PROMPT_FIRST); }));
}

TEST_F(PromptTest, EnterAndEscOnTheFrameGiveOneAndTwo)
{
    auto keyOnFrame = [](WPARAM key) {
        return [key](const Windows& w) {
            ::SetActiveWindow(w.frame);
            ::SetFocus(w.frame);
            PostKey(w.frame, key);
        };
    };
    EXPECT_EQ(1, Answer(2, L"回车", keyOnFrame(VK_RETURN)));
    EXPECT_EQ(2, Answer(2, L"退出", keyOnFrame(VK_ESCAPE)));

    // Owned by a window that discards both keys, as the program's prompts
    // are: the prompt's own windows get the keys first.
    CKeyDiscardingOwner owner;
    ASSERT_TRUE(owner.Create(IDD_PROMPT_CHILD, nullptr));
    owner.ShowWindow(SW_SHOWNA);
    EXPECT_EQ(1, Answer(2, L"回车", keyOnFrame(VK_RETURN), &owner));
    EXPECT_EQ(2, Answer(2, L"退出", keyOnFrame(VK_ESCAPE), &owner));
    EXPECT_EQ(0, owner.discarded) << "the owner's filter saw the keys typed on the prompt";
    // The owner's filter still takes the keys typed on the owner itself.
    MSG onOwner = {owner.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(owner.PreTranslateMessage(&onOwner));
    owner.DestroyWindow();
}

TEST_F(PromptTest, EnterAndEscOnTheContentDoNothing)
{
    for (WPARAM key : {static_cast<WPARAM>(VK_RETURN), static_cast<WPARAM>(VK_ESCAPE)}) {
        SCOPED_TRACE(key);
        CPromptDlg dlg;
        dlg.SetPromptMode(2);
        bool stillOpen = false;
        // Esc would answer 2 and Enter 1: the script answers the other way round.
        const int answerButton = key == VK_RETURN ? IDC_PROMPT_SECOND : IDC_PROMPT_FIRST;
        const INT_PTR result = RunModal(dlg, [&](int tick, const Windows& w) {
            if (tick == 2) {
                ::SetActiveWindow(w.content);
                HWND first = Control(w.content, IDC_PROMPT_FIRST);
                ::SetFocus(first);
                PostKey(first, key);
                PostKey(w.content, key);
            }
            if (tick < 12)
                return false;
            stillOpen = ::IsWindow(w.frame) && ::IsWindowVisible(w.frame);
            Click(w.content, answerButton);
            return true;
        });
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(key == VK_RETURN ? 2 : 1, result);
    }
}

TEST_F(PromptTest, TimerResetsAButtonWhenThePointerLeavesThePrompt)
{
    CPromptDlg dlg;
    dlg.SetPromptMode(4);
    int hoverState = 0;
    int laterState = 0;
    int startTick = 0;
    const INT_PTR result = RunModal(dlg, [&](int tick, const Windows& w) {
        if (tick < 2)
            return false;
        auto* button =
            dynamic_cast<CPngButton*>(CWnd::FromHandlePermanent(Control(w.content, IDC_PROMPT_SECOND)));
        if (!button)
            return false;
        if (hoverState == 0) {
            const RECT r = WindowRectOf(button->m_hWnd);
            ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            ::SendMessageW(button->m_hWnd, WM_NCHITTEST, 0,
                           MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
            hoverState = button->GetState();
            ::SetCursorPos(2, 2); // straight off the prompt, with no hit test on the way
            startTick = tick;
            return false;
        }
        // About 300 ms later: three periods of the 100 ms timer.
        if (tick - startTick < 30)
            return false;
        laterState = button->GetState();
        Click(w.content, IDC_PROMPT_FIRST);
        return true;
    });
    EXPECT_EQ(BTN_HOVER, hoverState);
    EXPECT_EQ(BTN_NORMAL, laterState);
    EXPECT_EQ(1, result);
}

TEST_F(PromptTest, ScaleOnePointTwoGrowsEveryLength)
{
    CPromptDlg dlg;
    dlg.SetScale(1.2f);
    dlg.SetPromptMode(2);
    const INT_PTR result = RunModal(dlg, [&](int tick, const Windows& w) {
        if (tick < 2)
            return false;
        const RECT frame = WindowRectOf(w.frame);
        EXPECT_EQ(403, frame.right - frame.left);
        EXPECT_EQ(187, frame.bottom - frame.top);
        // Laid out at 403 − 12 = 391 wide; after the centring move the frame
        // keeps the content at its insets, each truncated on its own (6, 3, 6, 8).
        const RECT content = WindowRectOf(w.content);
        EXPECT_TRUE(RectIs(content, frame.left + 6, frame.top + 3, frame.right - 6, frame.bottom - 8));
        EXPECT_TRUE(RectIs(ControlRect(w.content, IDC_PROMPT_FIRST), 114, 128, 180, 156));
        EXPECT_TRUE(RectIs(ControlRect(w.content, IDC_PROMPT_SECOND), 209, 128, 275, 156));
        EXPECT_TRUE(RectIs(ControlRect(w.content, IDC_BTN_CLOSE), 360, 9, 374, 23));
        Click(w.content, IDC_PROMPT_SECOND);
        return true;
    });
    EXPECT_EQ(2, result);
}

} // namespace
