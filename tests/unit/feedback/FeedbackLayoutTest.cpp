#include "support/FeedbackLayout.h"

#include <gtest/gtest.h>

#include "RectExpect.h"

#include <string>

#include "common/ToolIdentity.h"
#include "res/resource.h"

namespace {

// The content client size a frame of scale s gives before any follow move.
void ContentSize(float s, int* cw, int* ch)
{
    int w = 0, h = 0;
    FeedbackFrameSize(s, &w, &h);
    const FeedbackRect c = FeedbackContentRect(FeedbackRect{0, 0, w, h}, s);
    *cw = c.right - c.left;
    *ch = c.bottom - c.top;
}

} // namespace

TEST(FeedbackLayout, AtScaleOneTheContentIs400By468AndTheAnswersSitCentred)
{
    int w = 0, h = 0;
    FeedbackFrameSize(1.0f, &w, &h);
    EXPECT_EQ(w, 410);
    EXPECT_EQ(h, 479);

    EXPECT_RECT(FeedbackContentRect(FeedbackRect{100, 50, 510, 529}, 1.0f), 105, 54, 505, 522);

    const FeedbackLayout l = LayoutFeedbackControls(400, 468, 1.0f);
    EXPECT_RECT(l.close, 382, 6, 394, 18);
    EXPECT_RECT(l.solved.rect, 67, 154, 333, 214);
    EXPECT_RECT(l.unsolved.rect, 67, 234, 333, 294);
    EXPECT_RECT(l.other.rect, 67, 314, 333, 374);
    // Not wider than 400: the background slice is the button's own rectangle.
    EXPECT_SAME_RECT(l.solved.background, l.solved.rect);
    EXPECT_SAME_RECT(l.unsolved.background, l.unsolved.rect);
    EXPECT_SAME_RECT(l.other.background, l.other.rect);
    EXPECT_EQ(l.solved.hitInset, 9);
    EXPECT_EQ(l.other.hitInset, 9);
}

TEST(FeedbackLayout, NarrowBranchCentresOnOddSizesWithIntegerHalves)
{
    // 401 is the first wide width; 399 x 467 stays narrow and halves round down.
    const FeedbackLayout l = LayoutFeedbackControls(399, 467, 1.3f);
    EXPECT_RECT(l.solved.rect, 66, 153, 332, 213);
    EXPECT_RECT(l.unsolved.rect, 66, 233, 332, 293);
    EXPECT_RECT(l.other.rect, 66, 313, 332, 373);
    EXPECT_EQ(l.solved.hitInset, 9); // unscaled in this branch, whatever s is
    // The close button still scales: trunc(399 - 23.4) = 375, trunc(7.8) = 7.
    EXPECT_RECT(l.close, 375, 7, 390, 22);
}

TEST(FeedbackLayout, WideBranchScalesEveryLengthAndUsesFixedSlices)
{
    int cw = 0, ch = 0;
    ContentSize(1.2f, &cw, &ch);
    EXPECT_EQ(cw, 480); // trunc(492 - 12)
    EXPECT_EQ(ch, 560); // trunc(574 - 13.2)

    const FeedbackLayout l = LayoutFeedbackControls(cw, ch, 1.2f);
    // top = trunc(280.8 - 96) = 184; size trunc(319.2) x trunc(72).
    EXPECT_RECT(l.solved.rect, 80, 184, 399, 256);
    // left = trunc(240) - trunc(159.6) = 81: one pixel right of the solved button.
    EXPECT_RECT(l.unsolved.rect, 81, 280, 400, 352);
    EXPECT_RECT(l.other.rect, 81, 376, 400, 448);
    EXPECT_RECT(l.solved.background, 67, 154, 333, 214);
    EXPECT_RECT(l.unsolved.background, 67, 234, 333, 294);
    EXPECT_RECT(l.other.background, 67, 314, 333, 374);
    EXPECT_EQ(l.solved.hitInset, 10); // trunc(10.8)
    EXPECT_EQ(l.unsolved.hitInset, 10);
    // trunc(480 - 21.6) = 458, trunc(7.2) = 7, then + 14.4 truncated.
    EXPECT_RECT(l.close, 458, 7, 472, 21);
}

TEST(FeedbackLayout, ContentRectTruncatesTheWholeSizeNotEachInset)
{
    // s = 1.25: 10·s = 12.5, so the width is trunc(512 - 12.5) = 499, where
    // subtracting two truncated 5·s insets would give 500.
    int w = 0, h = 0;
    FeedbackFrameSize(1.25f, &w, &h);
    EXPECT_EQ(w, 512);
    EXPECT_EQ(h, 598);
    EXPECT_RECT(FeedbackContentRect(FeedbackRect{0, 0, w, h}, 1.25f), 6, 5, 6 + 499, 5 + 584);

    // Just above 100 dots per inch the content already takes the wide branch.
    int cw = 0, ch = 0;
    ContentSize(1.01f, &cw, &ch);
    EXPECT_EQ(cw, 403);
    const FeedbackLayout l = LayoutFeedbackControls(cw, ch, 1.01f);
    EXPECT_RECT(l.solved.background, 67, 154, 333, 214);
    EXPECT_EQ(l.solved.rect.left, 67); // trunc(67.67)
    EXPECT_EQ(l.solved.hitInset, 9);   // trunc(9.09)
}

TEST(FeedbackAnswerTable, SolvedAloneSkipsTheQuestionAndCloseCountsAsOther)
{
    const struct
    {
        int control;
        int kind;
        bool askQuestion;
    } rows[] = {
        {IDC_FB_SOLVED, FEEDBACK_SOLVED, false},
        {IDC_FB_UNSOLVED, FEEDBACK_UNSOLVED, true},
        {IDC_FB_OTHER, FEEDBACK_OTHER, true},
        {IDC_FB_CLOSE, FEEDBACK_OTHER, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("control " + std::to_string(row.control));
        // Start from the opposite answer so a field left unwritten shows.
        FeedbackAnswer a;
        a.kind = -1;
        a.askQuestion = !row.askQuestion;
        ASSERT_TRUE(FeedbackAnswerForControl(row.control, &a));
        EXPECT_EQ(a.kind, row.kind);
        EXPECT_EQ(a.askQuestion, row.askQuestion);
    }
}

TEST(FeedbackAnswerTable, OtherControlIdsAreNoAnswer)
{
    FeedbackAnswer a;
    a.kind = 99;
    EXPECT_FALSE(FeedbackAnswerForControl(1, &a)); // IDOK from the dialog keys
    EXPECT_FALSE(FeedbackAnswerForControl(2, &a)); // IDCANCEL
    EXPECT_FALSE(FeedbackAnswerForControl(1004, &a));
    EXPECT_EQ(a.kind, 99);
}
