#include "support/FeedbackLayout.h"

#include "common/ToolIdentity.h"
#include "res/resource.h"

namespace {

// Truncation toward zero of a value computed in 32-bit floating point.
int Trunc(float value)
{
    return static_cast<int>(value);
}

int Scaled(float k, float s)
{
    return Trunc(k * s);
}

// Both answer branches share the size rule: scaled when wide, fixed otherwise.
FeedbackButtonLayout Button(int left, int top, bool wide, float s, const FeedbackRect& wideBackground)
{
    FeedbackButtonLayout b;
    b.rect.left = left;
    b.rect.top = top;
    if (wide) {
        b.rect.right = left + Scaled(266.0f, s);
        b.rect.bottom = top + Scaled(60.0f, s);
        b.background = wideBackground;
        b.hitInset = Scaled(9.0f, s);
    } else {
        b.rect.right = left + 266;
        b.rect.bottom = top + 60;
        b.background = b.rect;
        b.hitInset = 9;
    }
    return b;
}

} // namespace

void FeedbackFrameSize(float s, int* width, int* height)
{
    *width = Scaled(410.0f, s);
    *height = Scaled(479.0f, s);
}

FeedbackRect FeedbackContentRect(const FeedbackRect& frame, float s)
{
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    FeedbackRect r;
    r.left = Trunc(static_cast<float>(frame.left) + 5.0f * s);
    r.top = Trunc(static_cast<float>(frame.top) + 4.0f * s);
    r.right = r.left + Trunc(static_cast<float>(width) - 10.0f * s);
    r.bottom = r.top + Trunc(static_cast<float>(height) - 11.0f * s);
    return r;
}

FeedbackLayout LayoutFeedbackControls(int cw, int ch, float s)
{
    FeedbackLayout layout;

    layout.close.left = Trunc(static_cast<float>(cw) - 18.0f * s);
    layout.close.top = Scaled(6.0f, s);
    layout.close.right = Trunc(static_cast<float>(layout.close.left) + 12.0f * s);
    layout.close.bottom = Trunc(static_cast<float>(layout.close.top) + 12.0f * s);

    const bool wide = cw > 400;
    if (wide) {
        const int answerLeft = Scaled(200.0f, s) - Scaled(133.0f, s);
        const int middleTop = Scaled(234.0f, s);
        layout.solved = Button(Scaled(67.0f, s), Trunc(234.0f * s - static_cast<float>(Scaled(80.0f, s))),
                               true, s, {67, 154, 333, 214});
        layout.unsolved = Button(answerLeft, middleTop, true, s, {67, 234, 333, 294});
        layout.other = Button(answerLeft, middleTop + Scaled(80.0f, s), true, s, {67, 314, 333, 374});
    } else {
        const int answerLeft = cw / 2 - 133;
        layout.solved = Button(answerLeft, ch / 2 - 80, false, s, {});
        layout.unsolved = Button(answerLeft, ch / 2, false, s, {});
        layout.other = Button(answerLeft, ch / 2 + 80, false, s, {});
    }
    return layout;
}

bool FeedbackAnswerForControl(int controlId, FeedbackAnswer* answer)
{
    switch (controlId) {
    case IDC_FB_SOLVED:
        *answer = {FEEDBACK_SOLVED, false};
        return true;
    case IDC_FB_UNSOLVED:
        *answer = {FEEDBACK_UNSOLVED, true};
        return true;
    case IDC_FB_OTHER:
    // The hidden close button counts as the answer "other".
    case IDC_FB_CLOSE:
        *answer = {FEEDBACK_OTHER, true};
        return true;
    default:
        return false;
    }
}
