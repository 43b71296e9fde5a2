#include <gtest/gtest.h>

#include "PromptDriver.h"
#include "common/WindowMessages.h"
#include "framework/LiveObjectCount.h"
#include "res/resource.h"
#include "ui/toolkit/CExecutePromptDlg.h"
#include "ui/toolkit/CPromptDlg.h"

using namespace prompttest;

namespace {

// One prompt answered after it has painted, then one progress prompt closed
// after its line has been animated and painted.
void Cycle(int i)
{
    {
        CPromptDlg prompt;
        prompt.SetPromptText(L"修复注册表成功,重新启动系统后才会生效，是否重新启动？");
        prompt.SetPromptMode(1 + i % 4);
        const INT_PTR r = RunModal(prompt, [](int tick, const Windows& w) {
            if (tick < 2)
                return false;
            ::SendMessageW(Control(w.content, IDC_PROMPT_FIRST), BM_CLICK, 0, 0);
            return true;
        });
        ASSERT_EQ(1, r);
    }
    {
        CExecutePromptDlg progress;
        progress.SetPromptText(L"正在修复，请稍等");
        const INT_PTR r = RunModal(progress, [](int tick, const Windows& w) {
            if (tick < 3)
                return false;
            ::PostMessageW(w.frame, WM_REPAIR_CLOSE_PROMPT, 0, 0);
            return true;
        });
        ASSERT_EQ(1, r);
    }
}

TEST(PromptLeakTest, TwoHundredCyclesLeaveNoGdiOrGdiplusObjectBehind)
{
    const long gdiBefore = LiveObjectCount::Current(LiveObjectKind::Gdi);
    const long gdiplusBefore = LiveObjectCount::Current(LiveObjectKind::Gdiplus);
    Cycle(0);
    const long gdiAfterFirst = LiveObjectCount::Current(LiveObjectKind::Gdi);
    const long gdiplusAfterFirst = LiveObjectCount::Current(LiveObjectKind::Gdiplus);
    // Nothing of a prompt outlives it, so the first cycle leaves nothing either.
    EXPECT_EQ(gdiBefore, gdiAfterFirst);
    EXPECT_EQ(gdiplusBefore, gdiplusAfterFirst);
    for (int i = 1; i < 200; ++i) {
        Cycle(i);
        if (HasFatalFailure())
            return;
    }
    EXPECT_EQ(gdiAfterFirst, LiveObjectCount::Current(LiveObjectKind::Gdi));
    EXPECT_EQ(gdiplusAfterFirst, LiveObjectCount::Current(LiveObjectKind::Gdiplus));
}

} // namespace
