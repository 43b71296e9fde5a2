#include "ui/main/MainFramePlacement.h"

namespace {

// Stored through a volatile so the 32-bit target rounds like the host.
float F(float v)
{
    volatile float r = v;
    return r;
}

int TruncF(float v)
{
    return static_cast<int>(F(v));
}

} // namespace

MainFramePlacement ComputeMainFramePlacement(int screenWidth, int screenHeight, float s)
{
    MainFramePlacement p;
    const float w = F(410 * s);
    const float h = F(611 * s);
    p.frame.left = screenWidth / 2 - TruncF(F(w / 2));
    p.frame.top = screenHeight / 2 - TruncF(F(h / 2));
    p.frame.right = p.frame.left + TruncF(w);
    p.frame.bottom = p.frame.top + TruncF(h);

    const int width = p.frame.right - p.frame.left;
    const int height = p.frame.bottom - p.frame.top;
    p.panelX = TruncF(F(p.frame.left + F(5 * s)));
    p.panelY = TruncF(F(p.frame.top + F(4 * s)));
    p.panelWidth = TruncF(F(width - F(10 * s)));
    p.panelHeight = TruncF(F(height - F(11 * s)));
    return p;
}
