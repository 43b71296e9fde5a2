#include <gtest/gtest.h>

#include "RectExpect.h"

#include <utility>

#include "ui/toolkit/SkinGeometry.h"

namespace {

const SkinInsets kPromptInsets = {5, 3, 5, 7};
const SkinInsets kMainInsets = {5, 4, 5, 7};
const SkinInsets kProgressInsets = {14, 12, 14, 16};

// The top-left corner CentreInBounds gives a dialog of the given size. The
// outputs start far off any expected value so a corner left unwritten shows.
using Corner = std::pair<int, int>;

Corner CentredAt(const SkinRect& reference, const SkinRect& bounds, int width, int height)
{
    int left = -99999;
    int top = -99999;
    CentreInBounds(reference, bounds, width, height, &left, &top);
    return Corner(left, top);
}

} // namespace

TEST(ScaleFactor, DivisorIsOneHundredAndLowDpiStaysAtOne)
{
    EXPECT_FLOAT_EQ(ScaleFactorFromLogPixels(96), 1.0f);
    EXPECT_FLOAT_EQ(ScaleFactorFromLogPixels(100), 1.0f);
    EXPECT_FLOAT_EQ(ScaleFactorFromLogPixels(101), 1.01f);
    EXPECT_FLOAT_EQ(ScaleFactorFromLogPixels(120), 1.2f);
    EXPECT_FLOAT_EQ(ScaleFactorFromLogPixels(144), 1.44f);
    EXPECT_FLOAT_EQ(ScaleFactorFromLogPixels(192), 1.92f);
    // Nonsense from a broken device context must not shrink the windows.
    EXPECT_FLOAT_EQ(ScaleFactorFromLogPixels(0), 1.0f);
    EXPECT_FLOAT_EQ(ScaleFactorFromLogPixels(-5), 1.0f);
}

TEST(ScaleLength, TruncatesTowardZero)
{
    EXPECT_EQ(ScaleLength(336, 1.2f), 403);
    EXPECT_EQ(ScaleLength(156, 1.2f), 187);
    EXPECT_EQ(ScaleLength(410, 1.44f), 590);
    EXPECT_EQ(ScaleLength(611, 1.92f), 1173);
    EXPECT_EQ(ScaleLength(7, 1.2f), 8);
    EXPECT_EQ(ScaleLength(30, 1.01f), 30);
    // The product is a float: 100 x 1.01f rounds to 101 before truncation,
    // on the host and on the 32-bit target alike.
    EXPECT_EQ(ScaleLength(100, ScaleFactorFromLogPixels(101)), 101);
    EXPECT_EQ(ScaleLength(0, 1.92f), 0);
}

TEST(PairRectangles, ContentIsFrameInsetByTruncatedInsets)
{
    // Prompt at 1.0: 336 x 156 frame, 326 x 146 content.
    EXPECT_RECT(ContentRectInFrame(SkinRect{100, 50, 436, 206}, kPromptInsets, 1.0f), 105, 53, 431, 199);
    // Prompt at 1.2: 403 x 187 frame, insets 6, 3, 6, 8.
    EXPECT_RECT(ContentRectInFrame(SkinRect{0, 0, 403, 187}, kPromptInsets, 1.2f), 6, 3, 397, 179);
    // Main at 1.44: insets 7, 5, 7, 10.
    EXPECT_RECT(ContentRectInFrame(SkinRect{10, 20, 600, 899}, kMainInsets, 1.44f), 17, 25, 593, 889);
    // Progress at 1.92: insets 26, 23, 26, 30.
    EXPECT_RECT(ContentRectInFrame(SkinRect{0, 0, 445, 253}, kProgressInsets, 1.92f), 26, 23, 419, 223);
}

TEST(PairRectangles, FrameAroundContentUndoesTheInset)
{
    for (float s : {1.0f, 1.01f, 1.2f, 1.44f, 1.92f}) {
        const SkinRect frame{-40, 17, -40 + ScaleLength(336, s), 17 + ScaleLength(156, s)};
        const SkinRect content = ContentRectInFrame(frame, kPromptInsets, s);
        EXPECT_SAME_RECT(FrameRectAroundContent(content, kPromptInsets, s), frame) << "s=" << s;
    }
    EXPECT_RECT(FrameRectAroundContent(SkinRect{200, 300, 591, 476}, kPromptInsets, 1.2f), 194, 297, 597,
                484);
}

TEST(CaptionStrip, TopThirtyScaledWithRightPartExcluded)
{
    // Prompt content at 1.0 at 105, 53: strip 105..405 x 53..83.
    EXPECT_RECT(CaptionStrip(SkinRect{105, 53, 431, 199}, 1.0f, 26), 105, 53, 405, 83);
    // At 1.2: 36 high, 31 excluded.
    EXPECT_RECT(CaptionStrip(SkinRect{0, 0, 391, 176}, 1.2f, 26), 0, 0, 360, 36);
    // Feedback content: full width.
    EXPECT_RECT(CaptionStrip(SkinRect{5, 4, 405, 472}, 1.0f, 0), 5, 4, 405, 34);
}

TEST(CaptionStrip, RightAndBottomEdgesAreOutside)
{
    const SkinRect strip{105, 53, 405, 83};
    EXPECT_TRUE(SkinRectContains(strip, 105, 53));
    EXPECT_TRUE(SkinRectContains(strip, 404, 82));
    EXPECT_FALSE(SkinRectContains(strip, 405, 60));
    EXPECT_FALSE(SkinRectContains(strip, 200, 83));
    EXPECT_FALSE(SkinRectContains(strip, 104, 60));
    EXPECT_FALSE(SkinRectContains(strip, 200, 52));
    EXPECT_FALSE(SkinRectContains(SkinRect{0, 0, 0, 0}, 0, 0));
}

TEST(Centring, HalvesUseIntegerDivision)
{
    // Owner 0,0..1001x701, dialog 336 x 156 inside a large work area.
    EXPECT_EQ(CentredAt(SkinRect{0, 0, 1001, 701}, SkinRect{0, 0, 1280, 1024}, 336, 156),
              Corner(500 - 168, 350 - 78));
    // Odd dialog size: 403 / 2 = 201.
    EXPECT_EQ(CentredAt(SkinRect{0, 0, 1280, 994}, SkinRect{0, 0, 1280, 994}, 403, 187),
              Corner(640 - 201, 497 - 93));
}

TEST(Centring, ClampsRightAndBottomThenLeftAndTop)
{
    // Owner hanging off the right and bottom of the work area.
    EXPECT_EQ(CentredAt(SkinRect{1100, 900, 1400, 1100}, SkinRect{0, 0, 1280, 994}, 336, 156),
              Corner(1280 - 336, 994 - 156));
    // Owner off the left and top.
    EXPECT_EQ(CentredAt(SkinRect{-300, -200, 100, 100}, SkinRect{0, 0, 1280, 994}, 336, 156), Corner(0, 0));
    // Work area not at the origin (a second monitor, a task bar at the top).
    EXPECT_EQ(CentredAt(SkinRect{1280, 30, 2560, 1024}, SkinRect{1280, 30, 2560, 1024}, 336, 156),
              Corner(1920 - 168, 527 - 78));
}

TEST(Centring, LargerThanBoundsSitsAtTheirTopLeft)
{
    EXPECT_EQ(CentredAt(SkinRect{0, 0, 800, 600}, SkinRect{0, 0, 800, 600}, 1173, 1173), Corner(0, 0));
    EXPECT_EQ(CentredAt(SkinRect{50, 40, 850, 640}, SkinRect{50, 40, 850, 640}, 900, 700), Corner(50, 40));
}
