#include <gtest/gtest.h>

#include "ui/toolkit/ControlGeometry.h"

namespace {

SkinRect R(int l, int t, int r, int b)
{
    SkinRect x;
    x.left = l;
    x.top = t;
    x.right = r;
    x.bottom = b;
    return x;
}

TEST(ControlGeometry, InsetsShrinkEachSide)
{
    HitInsets in;
    in.left = 10;
    in.top = 5;
    in.right = 20;
    in.bottom = 15;
    EXPECT_EQ(R(110, 205, 264, 270), ShrinkByInsets(R(100, 200, 284, 285), in));
    EXPECT_EQ(R(1, 2, 3, 4), ShrinkByInsets(R(1, 2, 3, 4), HitInsets()));
}

TEST(ControlGeometry, FaceDestinationStretchedOrAtFaceSize)
{
    const SkinRect client = R(0, 0, 66, 29);
    EXPECT_EQ(client, FaceDestination(client, true, 55, 24));
    EXPECT_EQ(R(0, 0, 55, 24), FaceDestination(client, false, 55, 24));
}

TEST(ControlGeometry, PlainFaceSourceLeavesOutLastColumnAndRow)
{
    EXPECT_EQ(R(0, 0, 54, 23), PngButtonFaceSource(55, 24));
    EXPECT_EQ(R(0, 0, 0, 0), PngButtonFaceSource(0, 0));
}

TEST(ControlGeometry, CheckBoxAtScaleOneAndOnePointTwo)
{
    EXPECT_EQ(R(0, 2, 16, 18), CheckBoxBoxRect(R(0, 0, 200, 20), 1.0f));
    EXPECT_EQ(18, CheckBoxLabelOffset(1.0f));
    // 16 x 1.2 = 19.2 and 8 x 1.2 = 9.6 are truncated: a 19 px box, label at 21 px.
    const SkinRect box = CheckBoxBoxRect(R(0, 0, 240, 24), 1.2f);
    EXPECT_EQ(R(0, 3, 19, 22), box);
    EXPECT_EQ(21, CheckBoxLabelOffset(1.2f));
    // Odd heights use integer division before the offset.
    EXPECT_EQ(2, CheckBoxBoxRect(R(0, 0, 10, 21), 1.0f).top);
}

TEST(ControlGeometry, SpriteCellTickedOrEmpty)
{
    EXPECT_EQ(R(16, 0, 32, 16), CheckBoxSpriteCell(1));
    EXPECT_EQ(R(0, 0, 16, 16), CheckBoxSpriteCell(0));
    EXPECT_EQ(R(0, 0, 16, 16), CheckBoxSpriteCell(2)); // indeterminate shows the empty box
}

} // namespace
