#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "res/resource.h"
#include "ui/toolkit/CCheckBoxBtn.h"

using namespace ctltest;

namespace {

constexpr int kId = 1011;

Capture Crop(const Capture& c, int x, int y, int w, int h)
{
    Capture out;
    out.width = w;
    out.height = h;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            out.pixels.push_back(c.At(i, j));
    return out;
}

bool NotWhite(unsigned px) { return Red(px) < 245 || Green(px) < 245 || Blue(px) < 245; }

class CheckBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<HostWindow>(100, 100, 300, 100);
        font = ::CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"宋体");
        host->SetFont(font);
        hwnd = host->AddChild(L"BUTTON", L"我已阅读并同意", BS_AUTOCHECKBOX, kId, 10, 10, 200, 24);
        ASSERT_TRUE(box.SubclassWindow(hwnd));
        box.SetScale(1.2f);
        box.CreateTextFont();
        ::InvalidateRect(hwnd, nullptr, TRUE);
        Refresh(hwnd);
    }
    void TearDown() override
    {
        host.reset();
        ::DeleteObject(font);
    }
    std::unique_ptr<HostWindow> host;
    HFONT font = nullptr;
    HWND hwnd = nullptr;
    CCheckBoxBtn box;
};

TEST_F(CheckBoxTest, AtScaleOnePointTwoTheBoxIs19SquareAndTheLabelStartsAt21)
{
    const Capture shown = CaptureClient(hwnd);
    // Box: height 24 / 2 − 9 = 3 down, 19 x 19; the sprite cell drawn there
    // matches far better than the unscaled 16 x 16 box would.
    const Capture cell19 = RenderExpected({IDB_CHECK_SPRITE, 0, 0, 16, 16}, 19, 19);
    const Capture cell16 = RenderExpected({IDB_CHECK_SPRITE, 0, 0, 16, 16}, 16, 16);
    const double at19 = MeanDifference(Crop(shown, 0, 3, 19, 19), cell19, 0, 0, 19, 19);
    const double at16 = MeanDifference(Crop(shown, 0, 4, 16, 16), cell16, 0, 0, 16, 16);
    EXPECT_LT(at19, 4.0);
    EXPECT_GT(at16, at19 + 4.0);
    // The border of the box ends inside the 19 px square.
    const RECT boxInk = InkBox(shown, NotWhite, RECT{0, 0, 21, 24});
    EXPECT_GE(boxInk.left, 0);
    EXPECT_GE(boxInk.top, 3);
    EXPECT_LE(boxInk.right, 19);
    EXPECT_LE(boxInk.bottom, 22);
    EXPECT_GE(boxInk.right - boxInk.left, 16); // wider than an unscaled box's border
    // Nothing between the box and the label's start.
    const RECT gap = InkBox(shown, NotWhite, RECT{19, 0, 21, 24});
    EXPECT_LE(gap.right, gap.left);
    const RECT label = InkBox(shown, [](unsigned px) { return Red(px) < 128; }, RECT{19, 0, 200, 24});
    EXPECT_GE(label.left, 21);
    EXPECT_LE(label.left, 23);
    EXPECT_GT(label.right, 100); // seven characters of text are drawn
}

TEST_F(CheckBoxTest, ClickTogglesTheCheckAndTheBoxFollows)
{
    const Capture empty = RenderExpected({IDB_CHECK_SPRITE, 0, 0, 16, 16}, 19, 19);
    const Capture ticked = RenderExpected({IDB_CHECK_SPRITE, 16, 0, 16, 16}, 19, 19);
    const std::vector<Capture> cells = {empty, ticked};

    EXPECT_EQ(0, ClosestRendering(Crop(CaptureClient(hwnd), 0, 3, 19, 19), cells, 0, 0, 19, 19));
    ::SendMessageW(hwnd, BM_CLICK, 0, 0);
    Refresh(hwnd);
    EXPECT_EQ(BST_CHECKED, box.GetCheck());
    EXPECT_EQ(1, host->Clicks(kId));
    const Capture afterClick = Crop(CaptureClient(hwnd), 0, 3, 19, 19);
    EXPECT_EQ(1, ClosestRendering(afterClick, cells, 0, 0, 19, 19));
    EXPECT_LT(MeanDifference(afterClick, ticked, 0, 0, 19, 19), 8.0);

    ::SendMessageW(hwnd, BM_CLICK, 0, 0);
    Refresh(hwnd);
    EXPECT_EQ(BST_UNCHECKED, box.GetCheck());
    EXPECT_EQ(0, ClosestRendering(Crop(CaptureClient(hwnd), 0, 3, 19, 19), cells, 0, 0, 19, 19));
}

TEST_F(CheckBoxTest, IndeterminateShowsTheEmptyBox)
{
    // Only a three-state box keeps the indeterminate state.
    HWND threeState = host->AddChild(L"BUTTON", L"x", BS_AUTO3STATE, kId + 1, 10, 50, 200, 24);
    CCheckBoxBtn other;
    ASSERT_TRUE(other.SubclassWindow(threeState));
    other.SetScale(1.2f);
    ::SendMessageW(threeState, BM_SETCHECK, BST_INDETERMINATE, 0);
    ASSERT_EQ(BST_INDETERMINATE, other.GetCheck());
    Refresh(threeState);
    const Capture empty = RenderExpected({IDB_CHECK_SPRITE, 0, 0, 16, 16}, 19, 19);
    EXPECT_LT(MeanDifference(Crop(CaptureClient(threeState), 0, 3, 19, 19), empty, 0, 0, 19, 19), 8.0);
}

} // namespace
