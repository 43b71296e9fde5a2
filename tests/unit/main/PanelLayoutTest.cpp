#include "ui/main/PanelLayout.h"

#include <gtest/gtest.h>

#include "RectExpect.h"

namespace {

// 280 pixels of agreement text give n = 20, 56 of feedback text.
constexpr int kAgreement = 280;
constexpr int kFeedback = 56;

} // namespace

TEST(PanelLayout, ControlsAtScaleOneAndOnAWiderPanelAtOnePointTwo)
{
    // At scale one the controls lie where the artwork has them. The panel of a
    // 1.2 frame (480 x 719) scales every length and keeps taking its
    // background slices at the artwork's own pixels.
    const PanelLayout one = ComputePanelLayout(400, 600, 1.0f, kAgreement, kFeedback);
    const PanelLayout wide = ComputePanelLayout(480, 719, 1.2f, kAgreement, kFeedback);
    const struct
    {
        const char* name;
        SkinRect PanelLayout::*field;
        SkinRect atOne;
        SkinRect wide;
    } rows[] = {
        {"close", &PanelLayout::close, {368, 0, 394, 34}, {442, 0, 473, 40}},
        {"minimize", &PanelLayout::minimize, {340, 0, 366, 34}, {408, 0, 439, 40}},
        {"version", &PanelLayout::version, {188, 16, 328, 31}, {225, 19, 393, 37}},
        {"versionSource", &PanelLayout::versionSource, {188, 16, 328, 31}, {188, 16, 328, 31}},
        {"repair", &PanelLayout::repair, {71, 240, 330, 325}, {84, 288, 394, 390}},
        {"repairSource", &PanelLayout::repairSource, {71, 240, 330, 325}, {71, 240, 330, 325}},
        {"repairInsets", &PanelLayout::repairInsets, {19, 11, 19, 11}, {22, 13, 22, 13}},
        {"moreTools", &PanelLayout::moreTools, {45, 540, 103, 558}, {54, 647, 123, 668}},
        {"moreToolsSource", &PanelLayout::moreToolsSource, {45, 540, 103, 558}, {45, 540, 103, 558}},
        {"check", &PanelLayout::check, {8, 575, 66, 595}, {9, 689, 70, 713}},
        {"agreement", &PanelLayout::agreement, {72, 575, 352, 595}, {76, 689, 356, 713}},
        {"feedback", &PanelLayout::feedback, {326, 575, 394, 595}, {406, 689, 474, 713}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_SAME_RECT(one.*row.field, row.atOne);
        EXPECT_SAME_RECT(wide.*row.field, row.wide);
    }
    // At scale one the sources are the controls' own rectangles.
    EXPECT_SAME_RECT(one.repairSource, one.repair);
    EXPECT_SAME_RECT(one.moreToolsSource, one.moreTools);
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
