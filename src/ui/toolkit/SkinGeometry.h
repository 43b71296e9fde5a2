// Arithmetic of the skinned frame/content window pairs: the scale factor and
// the rectangles. Platform-neutral so it is tested natively.
#pragma once

struct SkinRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const SkinRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct SkinInsets
{
    float left = 0; // unscaled pixels
    float top = 0;
    float right = 0;
    float bottom = 0;
};

// LOGPIXELSY / 100 above 100 dots per inch, else 1.0 (96 and 100 both give 1.0).
float ScaleFactorFromLogPixels(int logPixelsY);

// k·s truncated toward zero.
int ScaleLength(float k, float s);

// The content's rectangle inside a frame rectangle: each inset scaled and
// truncated before it is applied.
SkinRect ContentRectInFrame(const SkinRect& frame, const SkinInsets& insets, float s);

// The frame's rectangle around a content rectangle (the inverse of the above).
SkinRect FrameRectAroundContent(const SkinRect& content, const SkinInsets& insets, float s);

// The caption strip of a content window in screen coordinates: its client
// rectangle (already in screen coordinates) limited to the top 30·s and with
// the right-most rightExcluded·s left out.
SkinRect CaptionStrip(const SkinRect& clientOnScreen, float s, float rightExcluded);

// Point test with right and bottom edges excluded.
bool SkinRectContains(const SkinRect& r, int x, int y);

// Centring of a dialog of the given size over a reference rectangle, kept
// inside the bounds: pushed left/up from the right/bottom edge first, then
// right/down from the left/top edge. Returns the new top-left corner.
void CentreInBounds(const SkinRect& reference, const SkinRect& bounds, int width, int height, int* left,
                    int* top);
