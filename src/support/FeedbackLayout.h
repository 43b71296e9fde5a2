// Geometry and answer table of the problem-solving feedback window, kept free
// of the platform so the arithmetic is checked natively.
#pragma once

// A rectangle in client pixels (right and bottom outside).
struct FeedbackRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const FeedbackRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Where one answer button goes and what it shows behind itself.
struct FeedbackButtonLayout
{
    FeedbackRect rect;       // in the content's client coordinates
    FeedbackRect background; // slice of the background image, in the image's own pixels
    int hitInset = 0;        // the same on every side
};

struct FeedbackLayout
{
    FeedbackRect close; // the hidden close button
    FeedbackButtonLayout solved;
    FeedbackButtonLayout unsolved;
    FeedbackButtonLayout other;
};

// The frame size: trunc(410·s) x trunc(479·s).
void FeedbackFrameSize(float s, int* width, int* height);

// The content's first rectangle inside the frame's window rectangle: the
// offsets are added in floating point before truncating, and the size is
// trunc(W − 10·s) x trunc(H − 11·s) of the whole frame size.
FeedbackRect FeedbackContentRect(const FeedbackRect& frame, float s);

// The control rectangles for a content client area of cw x ch at scale s.
// Above 400 pixels of width everything scales with s; otherwise the answers
// are centred on the client area at their unscaled size.
FeedbackLayout LayoutFeedbackControls(int cw, int ch, float s);

// What an answer reports: the feedback kind, and whether the component's own
// feedback question follows it.
struct FeedbackAnswer
{
    int kind = 0;
    bool askQuestion = false;
};

// The answer behind a content control id; false for any other id.
bool FeedbackAnswerForControl(int controlId, FeedbackAnswer* answer);
