// Rectangle checks for the layout tests. Every layout type here is a plain
// struct with left, top, right and bottom, so one template serves them all,
// and a failure prints both rectangles instead of their raw bytes.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace recttest {

template <class Rect> std::string RectText(const Rect& r)
{
    return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) +
           ", " + std::to_string(r.bottom) + "}";
}

inline std::string RectText(int l, int t, int r, int b)
{
    return "{" + std::to_string(l) + ", " + std::to_string(t) + ", " + std::to_string(r) + ", " +
           std::to_string(b) + "}";
}

template <class Rect>
testing::AssertionResult RectIs(const char* actualExpr, const char*, const char*, const char*, const char*,
                                const Rect& actual, int l, int t, int r, int b)
{
    if (actual.left == l && actual.top == t && actual.right == r && actual.bottom == b)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << actualExpr << " is " << RectText(actual) << ", expected " << RectText(l, t, r, b);
}

template <class Rect>
testing::AssertionResult SameRect(const char* actualExpr, const char* expectedExpr, const Rect& actual,
                                  const Rect& expected)
{
    if (actual.left == expected.left && actual.top == expected.top && actual.right == expected.right &&
        actual.bottom == expected.bottom)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << actualExpr << " is " << RectText(actual) << ", expected "
                                       << expectedExpr << " = " << RectText(expected);
}

} // namespace recttest

// EXPECT_RECT(rect, left, top, right, bottom)
#define EXPECT_RECT(actual, l, t, r, b) EXPECT_PRED_FORMAT5(::recttest::RectIs, actual, l, t, r, b)
// EXPECT_SAME_RECT(rect, otherRect): all four edges equal.
#define EXPECT_SAME_RECT(actual, expected) EXPECT_PRED_FORMAT2(::recttest::SameRect, actual, expected)
