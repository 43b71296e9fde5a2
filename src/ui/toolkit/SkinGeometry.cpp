#include "ui/toolkit/SkinGeometry.h"

namespace {

// The 32-bit x87 code keeps products in extended precision; 100 x 1.01f
// would then truncate to 100 on the target and to 101 on the host. Storing
// through a volatile float rounds the product to float as the language
// describes it, so both builds agree.
float FloatProduct(float a, float b)
{
    volatile float p = a * b;
    return p;
}

} // namespace

float ScaleFactorFromLogPixels(int logPixelsY)
{
    if (logPixelsY > 100)
        return static_cast<float>(logPixelsY / 100.0);
    return 1.0f;
}

int ScaleLength(float k, float s)
{
    return static_cast<int>(FloatProduct(k, s));
}

SkinRect ContentRectInFrame(const SkinRect& frame, const SkinInsets& insets, float s)
{
    SkinRect r;
    r.left = frame.left + ScaleLength(insets.left, s);
    r.top = frame.top + ScaleLength(insets.top, s);
    r.right = frame.right - ScaleLength(insets.right, s);
    r.bottom = frame.bottom - ScaleLength(insets.bottom, s);
    return r;
}

SkinRect FrameRectAroundContent(const SkinRect& content, const SkinInsets& insets, float s)
{
    SkinRect r;
    r.left = content.left - ScaleLength(insets.left, s);
    r.top = content.top - ScaleLength(insets.top, s);
    r.right = content.right + ScaleLength(insets.right, s);
    r.bottom = content.bottom + ScaleLength(insets.bottom, s);
    return r;
}

SkinRect CaptionStrip(const SkinRect& clientOnScreen, float s, float rightExcluded)
{
    SkinRect r = clientOnScreen;
    r.bottom = clientOnScreen.top + ScaleLength(30.0f, s);
    r.right = clientOnScreen.right - ScaleLength(rightExcluded, s);
    return r;
}

bool SkinRectContains(const SkinRect& r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

void CentreInBounds(const SkinRect& reference, const SkinRect& bounds, int width, int height, int* left,
                    int* top)
{
    int x = (reference.left + reference.right) / 2 - width / 2;
    int y = (reference.top + reference.bottom) / 2 - height / 2;
    // Right and bottom first, so a window larger than the bounds ends up at
    // their top-left corner rather than hanging off it.
    if (x + width > bounds.right)
        x = bounds.right - width;
    if (x < bounds.left)
        x = bounds.left;
    if (y + height > bounds.bottom)
        y = bounds.bottom - height;
    if (y < bounds.top)
        y = bounds.top;
    *left = x;
    *top = y;
}
