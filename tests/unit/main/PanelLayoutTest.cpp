#include "ui/main/PanelLayout.h"

#include <gtest/gtest.h>

#include "RectExpect.h"

namespace {

// 280 pixels of agreement text give n = 20, 56 of feedback text.
constexpr int kAgreement = 280;
constexpr int kFeedback = 56;

} // namespace

TEST(PanelLayout, ControlsAtScaleOneLieWhereTheArtworkHasThem)
{
    const PanelLayout l = ComputePanelLayout(400, 600, 1.0f, kAgreement, kFeedback);
    EXPECT_RECT(l.close, 368, 0, 394, 34);
    EXPECT_RECT(l.minimize, 340, 0, 366, 34);
    EXPECT_RECT(l.version, 188, 16, 328, 31);
    EXPECT_RECT(l.versionSource, 188, 16, 328, 31);
    EXPECT_RECT(l.repair, 71, 240, 330, 325);
    EXPECT_SAME_RECT(l.repairSource, l.repair);
    EXPECT_RECT(l.repairInsets, 19, 11, 19, 11);
    EXPECT_RECT(l.moreTools, 45, 540, 103, 558);
    EXPECT_SAME_RECT(l.moreToolsSource, l.moreTools);
    EXPECT_RECT(l.check, 8, 575, 66, 595);
    EXPECT_RECT(l.agreement, 72, 575, 352, 595);
    EXPECT_RECT(l.feedback, 326, 575, 394, 595);
}

TEST(PanelLayout, WiderPanelScalesEveryLengthAndTakesFixedBackgroundSlices)
{
    // The panel of a 1.2 frame: 480 x 719.
    const PanelLayout l = ComputePanelLayout(480, 719, 1.2f, kAgreement, kFeedback);
    EXPECT_RECT(l.close, 442, 0, 473, 40);
    EXPECT_RECT(l.minimize, 408, 0, 439, 40);
    EXPECT_RECT(l.version, 225, 19, 393, 37);
    EXPECT_RECT(l.versionSource, 188, 16, 328, 31);
    EXPECT_RECT(l.repair, 84, 288, 394, 390);
    EXPECT_RECT(l.repairSource, 71, 240, 330, 325);
    EXPECT_RECT(l.repairInsets, 22, 13, 22, 13);
    EXPECT_RECT(l.moreTools, 54, 647, 123, 668);
    EXPECT_RECT(l.moreToolsSource, 45, 540, 103, 558);
    EXPECT_RECT(l.check, 9, 689, 70, 713);
    EXPECT_RECT(l.agreement, 76, 689, 356, 713);
    EXPECT_RECT(l.feedback, 406, 689, 474, 713);
}

TEST(PanelLayout, NarrowPanelCentresTheRepairButtonUnscaled)
{
    // Not wider than 400: fixed sizes around the centre, whatever the scale says.
    const PanelLayout l = ComputePanelLayout(300, 500, 1.5f, kAgreement, kFeedback);
    EXPECT_RECT(l.repair, 21, 190, 280, 275);
    EXPECT_SAME_RECT(l.repairSource, l.repair);
    EXPECT_RECT(l.repairInsets, 19, 11, 19, 11);
    EXPECT_RECT(l.moreTools, 45, 440, 103, 458);
    EXPECT_SAME_RECT(l.moreToolsSource, l.moreTools);
}

TEST(PanelLayout, LinkWidthsFollowTheMeasuredTexts)
{
    // n is the agreement width in whole 14-pixel characters: 293 / 14 = 20.
    const PanelLayout a = ComputePanelLayout(400, 600, 1.0f, 293, 0);
    EXPECT_EQ(a.check.right, 8 + 16 + 2 * 20 + 2);
    EXPECT_EQ(a.agreement.right - a.agreement.left, 14 * 20);
    EXPECT_EQ(a.agreement.left, a.check.right + 6);
    // No text at all still leaves the box and the fixed margins.
    EXPECT_RECT(a.feedback, 400 - 12 - 6, 575, 394, 595);

    const PanelLayout b = ComputePanelLayout(400, 600, 1.0f, 13, 100);
    EXPECT_RECT(b.check, 8, 575, 26, 595);
    EXPECT_RECT(b.agreement, 32, 575, 32, 595);
    EXPECT_EQ(b.feedback.left, 400 - 112 - 6);
    EXPECT_EQ(b.feedback.right, 394);
}
