#include "ui/main/MainFramePlacement.h"

#include <gtest/gtest.h>

#include "RectExpect.h"

#include "ui/toolkit/SkinGeometry.h"

namespace {

// The panel's placement as one rectangle, to compare it in one piece.
SkinRect PanelOf(const MainFramePlacement& p)
{
    return SkinRect{p.panelX, p.panelY, p.panelX + p.panelWidth, p.panelY + p.panelHeight};
}

} // namespace

TEST(MainFramePlacement, ScaleOneCentresTheSkinAndInsetsThePanel)
{
    const MainFramePlacement p = ComputeMainFramePlacement(1280, 1024, 1.0f);
    const int left = 640 - 205;
    const int top = 512 - 305;
    EXPECT_RECT(p.frame, left, top, left + 410, top + 611);
    EXPECT_RECT(PanelOf(p), left + 5, top + 4, left + 5 + 400, top + 4 + 600);
}

TEST(MainFramePlacement, OddScreenHalvesAreIntegerDivisions)
{
    const MainFramePlacement p = ComputeMainFramePlacement(1025, 769, 1.0f);
    EXPECT_EQ(p.frame.left, 512 - 205);
    EXPECT_EQ(p.frame.top, 384 - 305);
}

TEST(MainFramePlacement, ScaledFrameTruncatesEachLength)
{
    // 410 x 1.2 = 492, 611 x 1.2 = 733.2; the panel is 492 - 12 by 733 - 13.2.
    const MainFramePlacement p = ComputeMainFramePlacement(1920, 1080, 1.2f);
    const int left = 960 - 246;
    const int top = 540 - 366;
    EXPECT_RECT(p.frame, left, top, left + 492, top + 733);
    EXPECT_RECT(PanelOf(p), left + 6, top + 4, left + 6 + 480, top + 4 + 719);
}

TEST(MainFramePlacement, PanelMovingTheFrameAroundItRestoresTheCentredFrameAtScaleOne)
{
    const MainFramePlacement p = ComputeMainFramePlacement(1280, 1024, 1.0f);
    const SkinRect panel = PanelOf(p);
    SkinInsets insets;
    insets.left = 5;
    insets.top = 4;
    insets.right = 5;
    insets.bottom = 7;
    EXPECT_SAME_RECT(FrameRectAroundContent(panel, insets, 1.0f), p.frame);
}
