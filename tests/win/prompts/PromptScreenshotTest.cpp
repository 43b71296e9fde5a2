#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ControlsTestSupport.h"
#include "PromptDriver.h"
#include "common/WindowMessages.h"
#include "res/resource.h"
#include "ui/toolkit/CExecutePromptDlg.h"
#include "ui/toolkit/CPromptDlg.h"

using namespace prompttest;
using namespace ctltest;

namespace {

// Screenshots go into the build folder (Wine maps the Unix root to Z:).
std::wstring ShotPath(const wchar_t* name)
{
    const char* dir = std::getenv("STELLWICK_BINARY_DIR");
    std::wstring path = L"Z:";
    if (dir)
        for (const char* p = dir; *p; ++p)
            path += static_cast<wchar_t>(*p == '/' ? '\\' : *p);
    path += L"\\screenshots";
    ::CreateDirectoryW(path.c_str(), nullptr);
    return path + L"\\" + name;
}

bool DarkText(unsigned px) { return Red(px) < 100 && Green(px) < 100 && Blue(px) < 100; }

const wchar_t kLong[] =
    L"检测到系统预览体验计划的注册表设置异常，修复后需要重新启动计算机才能生效。"
    L"修复过程中请不要关闭本工具，也不要断开电源。这段说明故意写得很长，"
    L"用来确认超出消息区域的文字在区域的下边缘被截断，而不会画到按钮上。";

TEST(PromptScreenshotTest, LongChineseMessageInModesTwoToFour)
{
    for (int mode : {2, 3, 4}) {
        SCOPED_TRACE(mode);
        CPromptDlg dlg;
        dlg.SetPromptText(kLong);
        dlg.SetPromptMode(mode);
        const std::wstring name = L"prompt-mode" + std::to_wstring(mode) + L".png";
        const INT_PTR result = RunModal(dlg, [&](int tick, const Windows& w) {
            // The screen is read from the display, which the windows reach a little later.
            if (tick == 60) {
                EXPECT_TRUE(SaveScreenArea(w.frame, w.content, 10, ShotPath(name.c_str())));
                Click(w.content, IDC_PROMPT_FIRST);
                return true;
            }
            if (tick != 15)
                return false;
            HWND message = Control(w.content, IDC_PROMPT_MESSAGE);
            Refresh(message);
            const Capture text = CaptureClient(message);
            // Many rows of glyphs, and the last rows of the rectangle still used:
            // the text runs past the bottom edge and is cut there.
            const RECT ink = InkBox(text, DarkText, RECT{0, 0, text.width, text.height});
            EXPECT_LT(ink.top, 6);
            EXPECT_GT(ink.bottom, text.height - 8);
            EXPECT_GT(ink.right, text.width - 30);
            return false;
        });
        EXPECT_EQ(1, result);
    }
}

TEST(PromptScreenshotTest, ProgressPrompt)
{
    CExecutePromptDlg dlg;
    dlg.SetPromptText(L"正在修复，请稍等");
    const INT_PTR result = RunModal(dlg, [&](int tick, const Windows& w) {
        if (tick == 80) {
            EXPECT_TRUE(SaveScreenArea(w.frame, w.content, 10, ShotPath(L"progress.png")));
            ::PostMessageW(w.frame, WM_REPAIR_CLOSE_PROMPT, 0, 0);
            return true;
        }
        if (tick != 40)
            return false;
        HWND line = Control(w.content, IDC_STATIC_PROGRESS);
        Refresh(line);
        const Capture text = CaptureClient(line);
        int white = 0;
        for (unsigned px : text.pixels)
            white += px == 0xFFFFFF ? 1 : 0;
        EXPECT_GT(white, 40); // white glyphs over the blue slice
        EXPECT_FALSE(Near(text.At(text.width - 2, 1), 0xFFFFFF, 40)); // the slice, not a white fill
        return false;
    });
    EXPECT_EQ(1, result);
}

} // namespace
