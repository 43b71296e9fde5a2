#include <gtest/gtest.h>

#include "RectExpect.h"

#include "ui/toolkit/ControlGeometry.h"

namespace {

TEST(ControlGeometry, InsetsShrinkEachSide)
{
    HitInsets in;
    in.left = 10;
    in.top = 5;
    in.right = 20;
    in.bottom = 15;
    EXPECT_RECT(ShrinkByInsets(SkinRect{100, 200, 284, 285}, in), 110, 205, 264, 270);
    EXPECT_RECT(ShrinkByInsets(SkinRect{1, 2, 3, 4}, HitInsets()), 1, 2, 3, 4);
}

TEST(ControlGeometry, FaceDestinationStretchedOrAtFaceSize)
{
    const SkinRect client{0, 0, 66, 29};
    EXPECT_SAME_RECT(FaceDestination(client, true, 55, 24), client);
    EXPECT_RECT(FaceDestination(client, false, 55, 24), 0, 0, 55, 24);
}

TEST(ControlGeometry, PlainFaceSourceLeavesOutLastColumnAndRow)
{
    EXPECT_RECT(PngButtonFaceSource(55, 24), 0, 0, 54, 23);
    EXPECT_RECT(PngButtonFaceSource(0, 0), 0, 0, 0, 0);
}

TEST(ControlGeometry, CheckBoxAtScaleOneAndOnePointTwo)
{
    EXPECT_RECT(CheckBoxBoxRect(SkinRect{0, 0, 200, 20}, 1.0f), 0, 2, 16, 18);
    EXPECT_EQ(18, CheckBoxLabelOffset(1.0f));
    // 16 x 1.2 = 19.2 and 8 x 1.2 = 9.6 are truncated: a 19 px box, label at 21 px.
    const SkinRect box = CheckBoxBoxRect(SkinRect{0, 0, 240, 24}, 1.2f);
    EXPECT_RECT(box, 0, 3, 19, 22);
    EXPECT_EQ(21, CheckBoxLabelOffset(1.2f));
    // Odd heights use integer division before the offset.
    EXPECT_EQ(2, CheckBoxBoxRect(SkinRect{0, 0, 10, 21}, 1.0f).top);
}

TEST(ControlGeometry, SpriteCellTickedOrEmpty)
{
    EXPECT_RECT(CheckBoxSpriteCell(1), 16, 0, 32, 16);
    EXPECT_RECT(CheckBoxSpriteCell(0), 0, 0, 16, 16);
    EXPECT_RECT(CheckBoxSpriteCell(2), 0, 0, 16, 16); // indeterminate shows the empty box
}

} // namespace
