// Single-precision arithmetic for the layout: every product, sum and
// difference is rounded to a 32-bit float before it is used or truncated.
// The 32-bit build evaluates float expressions on the x87 unit with extra
// precision, where 403 − 10 × 1.2f comes out as 390.9999… and truncates to
// 390 instead of 391; going through a volatile float forces the rounding.
#pragma once

namespace scaled {

inline float Round(float v)
{
    volatile float r = v;
    return r;
}
inline float Mul(float a, float b) { return Round(a * b); }
inline float Add(float a, float b) { return Round(a + b); }
inline float Sub(float a, float b) { return Round(a - b); }
// k·s truncated toward zero.
inline int Length(float k, float s) { return static_cast<int>(Mul(k, s)); }

} // namespace scaled
