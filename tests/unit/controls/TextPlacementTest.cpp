#include <gtest/gtest.h>

#include <string>

#include "ui/toolkit/TextPlacement.h"

namespace {

TEST(TextPlacement, LabelCodes)
{
    const unsigned expected[] = {0x14, 0x24, 0x25, 0x16, 0x24};
    for (int code = 0; code < 5; ++code) {
        unsigned format = 0xdead;
        ASSERT_TRUE(DrawTextStaticFormat(code, &format)) << code;
        EXPECT_EQ(expected[code], format) << code;
    }
    for (int code : {5, 6, 7, -1, 100}) {
        unsigned format = 0xdead;
        EXPECT_FALSE(DrawTextStaticFormat(code, &format)) << code;
    }
}

TEST(TextPlacement, StatusLineCodes)
{
    const unsigned expected[] = {0x24, 0x24, 0x25, 0x26, 0x14, 0x15, 0x16};
    for (int code = 0; code < 7; ++code)
        EXPECT_EQ(expected[code], StateInfoStaticFormat(code)) << code;
    EXPECT_EQ(0x24u, StateInfoStaticFormat(7));
    EXPECT_EQ(0x24u, StateInfoStaticFormat(-3));
}

TEST(TextPlacement, Dots)
{
    EXPECT_EQ(std::wstring(L""), EllipsisDots(0));
    EXPECT_EQ(std::wstring(L"."), EllipsisDots(1));
    EXPECT_EQ(std::wstring(L".."), EllipsisDots(2));
    EXPECT_EQ(std::wstring(L"..."), EllipsisDots(3));
    EXPECT_EQ(std::wstring(L""), EllipsisDots(4));
}

} // namespace
