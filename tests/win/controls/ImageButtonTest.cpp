#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "framework/LiveObjectCount.h"
#include "res/resource.h"
#include "ui/toolkit/PngResource.h"
#include "ui/toolkit/CFeaturePngButton.h"
#include "ui/toolkit/CPngButton.h"

using namespace ctltest;

namespace {

constexpr int kId = 1006;

LPARAM Packed(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class PngButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SetCursorPos(2, 2);
        host = std::make_unique<HostWindow>(100, 100, 300, 200);
        hwnd = host->AddChild(L"BUTTON", L"是", BS_PUSHBUTTON, kId, 20, 20, 55, 24);
        ASSERT_TRUE(button.SubclassWindow(hwnd));
        button.SetImages(IDB_YES_NORMAL, IDB_YES_NORMAL + 1, IDB_YES_NORMAL + 2, IDB_YES_NORMAL + 2);
        for (int i = 0; i < 3; ++i)
            faces.push_back(RenderExpected({IDB_YES_NORMAL + static_cast<unsigned>(i), 0, 0, 54, 23}, 55, 24));
        Refresh(hwnd);
    }
    void TearDown() override
    {
        button.FreeImages();
        host.reset();
    }

    // Which face the button shows now: 1 normal, 2 hover, 3 pressed (also disabled).
    int ShownFace()
    {
        Refresh(hwnd);
        return ClosestRendering(CaptureClient(hwnd), faces, 0, 0, 55, 24) + 1;
    }
    POINT Screen(int x, int y)
    {
        POINT p = {x, y};
        ::ClientToScreen(hwnd, &p);
        return p;
    }
    LRESULT HitTest(int clientX, int clientY)
    {
        POINT p = Screen(clientX, clientY);
        return ::SendMessageW(hwnd, WM_NCHITTEST, 0, Packed(p.x, p.y));
    }

    std::unique_ptr<HostWindow> host;
    HWND hwnd = nullptr;
    CPngButton button;
    std::vector<Capture> faces;
};

TEST_F(PngButtonTest, PointerOnAndOffTheButtonSwitchesBetweenNormalAndHover)
{
    EXPECT_EQ(BTN_NORMAL, button.GetState());
    EXPECT_EQ(1, ShownFace());
    EXPECT_EQ(HTCLIENT, HitTest(10, 10)); // the platform's own answer is kept
    EXPECT_EQ(BTN_HOVER, button.GetState());
    EXPECT_EQ(2, ShownFace());
    HitTest(54, 23); // last pixel inside
    EXPECT_EQ(BTN_HOVER, button.GetState());
    HitTest(55, 10); // right edge is outside
    EXPECT_EQ(BTN_NORMAL, button.GetState());
    EXPECT_EQ(1, ShownFace());
}

TEST_F(PngButtonTest, PressAndReleaseInsideClicksAndShowsHover)
{
    HitTest(10, 10);
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Packed(10, 10));
    EXPECT_EQ(BTN_PRESSED, button.GetState());
    EXPECT_EQ(3, ShownFace());
    EXPECT_EQ(hwnd, ::GetCapture());
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, Packed(10, 10));
    EXPECT_EQ(BTN_HOVER, button.GetState());
    EXPECT_EQ(2, ShownFace());
    EXPECT_EQ(1, host->Clicks(kId));
}

TEST_F(PngButtonTest, PressDragOffAndReleaseOutsideStaysPressedWithoutClick)
{
    HitTest(10, 10);
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Packed(10, 10));
    ::SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, Packed(static_cast<WORD>(-30), static_cast<WORD>(-30)));
    HitTest(-30, -30);
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, Packed(static_cast<WORD>(-30), static_cast<WORD>(-30)));
    EXPECT_EQ(BTN_PRESSED, button.GetState());
    EXPECT_EQ(3, ShownFace());
    EXPECT_EQ(0, host->Clicks(kId));

    // The owner's next check with the pointer inside changes nothing; outside it resets.
    button.CheckMouseLeave(CPoint(Screen(5, 5)));
    EXPECT_EQ(BTN_PRESSED, button.GetState());
    button.CheckMouseLeave(CPoint(Screen(-30, -30)));
    EXPECT_EQ(BTN_NORMAL, button.GetState());
    EXPECT_EQ(1, ShownFace());
}

TEST_F(PngButtonTest, PressOutsideClientChangesNothing)
{
    HitTest(10, 10);
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Packed(60, 5));
    EXPECT_EQ(BTN_HOVER, button.GetState());
    ::ReleaseCapture();
}

TEST_F(PngButtonTest, DisabledWindowShowsTheFourthFaceWhateverThePointerDoes)
{
    ::EnableWindow(hwnd, FALSE);
    HitTest(10, 10);
    EXPECT_EQ(BTN_DISABLED, button.GetState());
    EXPECT_EQ(3, ShownFace()); // the pressed image doubles as the disabled one
    HitTest(-10, -10);
    EXPECT_EQ(BTN_DISABLED, button.GetState());
    button.CheckMouseLeave(CPoint(Screen(-30, -30)));
    EXPECT_EQ(BTN_DISABLED, button.GetState());
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, Packed(10, 10));
    EXPECT_EQ(BTN_DISABLED, button.GetState());
}

TEST_F(PngButtonTest, StretchedFaceFillsALargerButton)
{
    ::MoveWindow(hwnd, 20, 20, 66, 29, TRUE);
    button.SetStretch(TRUE);
    Refresh(hwnd);
    const Capture shown = CaptureClient(hwnd);
    const Capture stretched = RenderExpected({IDB_YES_NORMAL, 0, 0, 54, 23}, 66, 29);
    EXPECT_LT(MeanDifference(shown, stretched, 0, 0, 66, 29), 6.0);
}

TEST_F(PngButtonTest, MissingFaceLeavesOnlyTheWhiteFill)
{
    button.SetImages(IDB_YES_NORMAL, 178, IDB_YES_NORMAL + 2, IDB_YES_NORMAL + 2); // 178 does not exist
    ::InvalidateRect(hwnd, nullptr, TRUE);
    Refresh(hwnd);
    const Capture shown = CaptureClient(hwnd);
    for (unsigned px : shown.pixels)
        ASSERT_EQ(0xFFFFFFu, px);
}

// The repair button's geometry: 284 x 85 faces with alpha over the main background.
class FeatureButtonTest : public ::testing::Test
{
protected:
    static constexpr int kW = 284;
    static constexpr int kH = 85;
    void SetUp() override
    {
        ::SetCursorPos(2, 2);
        host = std::make_unique<HostWindow>(100, 100, 400, 200);
        hwnd = host->AddChild(L"BUTTON", L"", BS_PUSHBUTTON, kId, 20, 20, kW, kH);
        ASSERT_TRUE(button.SubclassWindow(hwnd));
        button.SetBackgroundImage(IDB_MAIN_BACKGROUND);
        button.SetBackgroundRect(58, 400, 58 + kW, 400 + kH);
        button.SetHitInsets(20, 10, 20, 10);
        button.SetImages(IDB_REPAIR_NORMAL, IDB_REPAIR_NORMAL + 1, IDB_REPAIR_NORMAL + 2, IDB_REPAIR_NORMAL + 3);
        for (unsigned i = 0; i < 4; ++i)
            faces.push_back(RenderExpected({IDB_REPAIR_NORMAL + i, 0, 0, 0, 0, IDB_MAIN_BACKGROUND, 58, 400, kW, kH},
                                           kW, kH));
        ::InvalidateRect(hwnd, nullptr, TRUE);
        Refresh(hwnd);
    }
    void TearDown() override
    {
        button.FreeImages();
        host.reset();
    }
    int ShownFace()
    {
        Refresh(hwnd);
        return ClosestRendering(CaptureClient(hwnd), faces, 0, 0, kW, kH) + 1;
    }
    POINT Screen(int x, int y)
    {
        POINT p = {x, y};
        ::ClientToScreen(hwnd, &p);
        return p;
    }
    void HitTest(int x, int y)
    {
        POINT p = Screen(x, y);
        ::SendMessageW(hwnd, WM_NCHITTEST, 0, Packed(p.x, p.y));
    }

    std::unique_ptr<HostWindow> host;
    HWND hwnd = nullptr;
    CFeaturePngButton button;
    std::vector<Capture> faces;
};

TEST_F(FeatureButtonTest, FaceOverBackgroundSliceAndHoverOnlyInTheActiveArea)
{
    EXPECT_EQ(1, ShownFace());
    EXPECT_LT(MeanDifference(CaptureClient(hwnd), faces[0], 0, 0, kW, kH), 6.0);
    HitTest(10, 40); // inside the window, in the left inset
    EXPECT_EQ(BTN_NORMAL, button.GetState());
    HitTest(20, 10); // first pixel of the active area
    EXPECT_EQ(BTN_HOVER, button.GetState());
    EXPECT_EQ(2, ShownFace());
    HitTest(kW - 20, 40); // right inset
    EXPECT_EQ(BTN_NORMAL, button.GetState());
}

TEST_F(FeatureButtonTest, PressInTheInsetMarginShowsNormalYetStillClicks)
{
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Packed(5, 40));
    EXPECT_EQ(BTN_NORMAL, button.GetState());
    EXPECT_EQ(1, ShownFace());
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, Packed(5, 40));
    EXPECT_EQ(BTN_NORMAL, button.GetState());
    EXPECT_EQ(1, host->Clicks(kId));
}

TEST_F(FeatureButtonTest, PressInsideShowsPressedAndReleaseInsideHover)
{
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Packed(140, 42));
    EXPECT_EQ(BTN_PRESSED, button.GetState());
    EXPECT_EQ(3, ShownFace());
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, Packed(140, 42));
    EXPECT_EQ(BTN_HOVER, button.GetState());
    EXPECT_EQ(1, host->Clicks(kId));
}

TEST_F(FeatureButtonTest, DragOffAndReleaseOutsideGivesNormalAndNoClick)
{
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Packed(140, 42));
    ::SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, Packed(static_cast<WORD>(-40), 42));
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, Packed(static_cast<WORD>(-40), 42));
    EXPECT_EQ(BTN_NORMAL, button.GetState());
    EXPECT_EQ(0, host->Clicks(kId));
}

TEST_F(FeatureButtonTest, EnableButtonFalseThenTrueShowsNormalEvenUnderThePointer)
{
    HitTest(140, 42);
    EXPECT_EQ(BTN_HOVER, button.GetState());
    button.EnableButton(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(hwnd));
    EXPECT_EQ(BTN_DISABLED, button.GetState());
    EXPECT_EQ(4, ShownFace());
    HitTest(140, 42);
    EXPECT_EQ(4, ShownFace());
    button.EnableButton(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(hwnd));
    EXPECT_EQ(BTN_NORMAL, button.GetState());
    EXPECT_EQ(1, ShownFace());
}

TEST_F(FeatureButtonTest, ParentsDecodedBackgroundDrawsTheSameSliceWithoutACopy)
{
    CImagePtr parentBackground;
    ASSERT_TRUE(LoadPngResource(IDB_MAIN_BACKGROUND, parentBackground));
    const long images = LiveObjectCount::Current(LiveObjectKind::Gdiplus);
    button.SetBackgroundImage(parentBackground.Get());
    // The button's own copy is gone; the parent's is used, not copied.
    EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdiplus), images - 1);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    EXPECT_EQ(1, ShownFace());
    EXPECT_LT(MeanDifference(CaptureClient(hwnd), faces[0], 0, 0, kW, kH), 6.0);
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Packed(140, 42));
    EXPECT_EQ(3, ShownFace());
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, Packed(140, 42));
    button.FreeImages();
    EXPECT_TRUE(parentBackground) << "freeing the button leaves the parent's image alone";
}

TEST_F(FeatureButtonTest, WithoutFacesTheBackgroundSliceShows)
{
    button.SetImages(178, 178, 178, 178);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    const Capture slice = RenderExpected({0, 0, 0, 0, 0, IDB_MAIN_BACKGROUND, 58, 400, kW, kH}, kW, kH);
    Refresh(hwnd);
    EXPECT_LT(MeanDifference(CaptureClient(hwnd), slice, 0, 0, kW, kH), 6.0);
}

TEST_F(FeatureButtonTest, WithoutAnyImageTheParentsButtonBrushFillsIt)
{
    button.FreeImages();
    ::InvalidateRect(hwnd, nullptr, TRUE);
    Refresh(hwnd);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const unsigned expected = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    const Capture shown = CaptureClient(hwnd);
    for (unsigned px : shown.pixels)
        ASSERT_EQ(expected, px);
}

} // namespace
