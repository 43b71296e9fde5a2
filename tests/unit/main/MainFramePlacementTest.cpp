#include "ui/main/MainFramePlacement.h"

#include <gtest/gtest.h>

#include "ui/toolkit/SkinGeometry.h"

TEST(MainFramePlacement, ScaleOneCentresTheSkinAndInsetsThePanel)
{
    const MainFramePlacement p = ComputeMainFramePlacement(1280, 1024, 1.0f);
    EXPECT_EQ(p.frame.left, 640 - 205);
    EXPECT_EQ(p.frame.top, 512 - 305);
    EXPECT_EQ(p.frame.right - p.frame.left, 410);
    EXPECT_EQ(p.frame.bottom - p.frame.top, 611);
    EXPECT_EQ(p.panelX, p.frame.left + 5);
    EXPECT_EQ(p.panelY, p.frame.top + 4);
    EXPECT_EQ(p.panelWidth, 400);
    EXPECT_EQ(p.panelHeight, 600);
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
    EXPECT_EQ(p.frame.right - p.frame.left, 492);
    EXPECT_EQ(p.frame.bottom - p.frame.top, 733);
    EXPECT_EQ(p.frame.left, 960 - 246);
    EXPECT_EQ(p.frame.top, 540 - 366);
    EXPECT_EQ(p.panelX, p.frame.left + 6);
    EXPECT_EQ(p.panelY, p.frame.top + 4);
    EXPECT_EQ(p.panelWidth, 480);
    EXPECT_EQ(p.panelHeight, 719);
}

TEST(MainFramePlacement, PanelMovingTheFrameAroundItRestoresTheCentredFrameAtScaleOne)
{
    const MainFramePlacement p = ComputeMainFramePlacement(1280, 1024, 1.0f);
    SkinRect panel;
    panel.left = p.panelX;
    panel.top = p.panelY;
    panel.right = p.panelX + p.panelWidth;
    panel.bottom = p.panelY + p.panelHeight;
    SkinInsets insets;
    insets.left = 5;
    insets.top = 4;
    insets.right = 5;
    insets.bottom = 7;
    EXPECT_EQ(FrameRectAroundContent(panel, insets, 1.0f), p.frame);
}
