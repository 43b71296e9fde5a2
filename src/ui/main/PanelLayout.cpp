#include "ui/main/PanelLayout.h"

namespace {

// The 32-bit target keeps intermediate results in extended precision; each
// step is stored through a volatile so that both builds round alike. Integer
// constants times the float scale stay in float, decimal constants promote
// to double, as the language does it.
float F(float v)
{
    volatile float r = v;
    return r;
}

double D(double v)
{
    volatile double r = v;
    return r;
}

int TruncF(float v)
{
    return static_cast<int>(F(v));
}

int TruncD(double v)
{
    return static_cast<int>(D(v));
}

// k·s for an integer k, truncated.
int Scaled(int k, float s)
{
    return TruncF(F(static_cast<float>(k) * s));
}

SkinRect Rect(int left, int top, int right, int bottom)
{
    SkinRect r;
    r.left = left;
    r.top = top;
    r.right = right;
    r.bottom = bottom;
    return r;
}

} // namespace

PanelLayout ComputePanelLayout(int cw, int ch, float s, int agreementTextWidth, int feedbackTextWidth)
{
    PanelLayout l;

    int left = TruncD(D(cw - D(31.2 * s)));
    l.close = Rect(left, 0, TruncF(F(left + F(26 * s))), Scaled(34, s));

    left = TruncD(D(cw - D(59.8 * s)));
    l.minimize = Rect(left, 0, TruncF(F(left + F(26 * s))), Scaled(34, s));

    left = Scaled(188, s);
    int top = Scaled(16, s);
    l.version = Rect(left, top, left + Scaled(140, s), top + Scaled(15, s));
    l.versionSource = Rect(188, 16, 328, 31);

    if (cw > 400) {
        left = TruncD(D(70.5 * s));
        top = Scaled(240, s);
        l.repair = Rect(left, top, left + Scaled(259, s), top + Scaled(85, s));
        l.repairSource = Rect(71, 240, 330, 325);
        l.repairInsets = Rect(Scaled(19, s), Scaled(11, s), Scaled(19, s), Scaled(11, s));

        left = Scaled(45, s);
        top = ch - Scaled(60, s);
        l.moreTools = Rect(left, top, left + Scaled(58, s), top + Scaled(18, s));
        l.moreToolsSource = Rect(45, 540, 103, 558);
    } else {
        left = cw / 2 - 129;
        top = ch / 2 - 60;
        l.repair = Rect(left, top, left + 259, top + 85);
        l.repairSource = l.repair;
        l.repairInsets = Rect(19, 11, 19, 11);

        left = 45;
        top = ch - 60;
        l.moreTools = Rect(left, top, left + 58, top + 18);
        l.moreToolsSource = l.moreTools;
    }

    const int n = agreementTextWidth / 14;
    const int rowTop = TruncF(F(ch - F(25 * s)));
    const int rowBottom = TruncF(F(rowTop + F(20 * s)));

    left = Scaled(8, s);
    l.check = Rect(left, rowTop, TruncF(F(F(F(left + F(16 * s)) + 2 * n) + 2)), rowBottom);

    left = l.check.right + 6;
    l.agreement = Rect(left, rowTop, left + 14 * n, rowBottom);

    const int w = TruncF(F(F(feedbackTextWidth + F(4 * s)) + 8));
    l.feedback = Rect(cw - w - 6, rowTop, cw - 6, rowBottom);
    return l;
}
