#include "support/ReportTexts.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <string>

TEST(ReportTimeText, IsTheDecimalSecondsInRange)
{
    EXPECT_EQ(L"0", ReportTimeText(0));
    EXPECT_EQ(L"1765000000", ReportTimeText(1765000000));
    EXPECT_EQ(L"2147483647", ReportTimeText(INT32_MAX));
    EXPECT_EQ(L"-1", ReportTimeText(-1));
}

TEST(ReportTimeText, WrapsPast2038LikeASigned32BitValue)
{
    EXPECT_EQ(L"-2147483648", ReportTimeText(2147483648LL));
    EXPECT_EQ(L"-2147483647", ReportTimeText(2147483649LL));
    EXPECT_EQ(L"-1", ReportTimeText(4294967295LL));
    // A full turn of 2^32 comes back to the same text.
    EXPECT_EQ(L"5", ReportTimeText(4294967296LL + 5));
    EXPECT_EQ(L"1765000000", ReportTimeText(1765000000LL + 4294967296LL * 3));
    EXPECT_EQ(L"0", ReportTimeText(INT64_MIN));
}

TEST(ReportTimeText, NowIsTheCurrentTime)
{
    const std::time_t before = std::time(nullptr);
    const long long reported = std::stoll(ReportTimeTextNow());
    const std::time_t after = std::time(nullptr);
    // Valid until 2038; after that the wrap above is what is checked.
    ASSERT_LE(after, static_cast<std::time_t>(INT32_MAX));
    EXPECT_GE(reported, static_cast<long long>(before));
    EXPECT_LE(reported, static_cast<long long>(after));
}

TEST(ReportDeviceText, IsTheDeviceTypePlusOne)
{
    EXPECT_EQ(L"1", ReportDeviceText(0));
    EXPECT_EQ(L"4", ReportDeviceText(3));
    EXPECT_EQ(L"0", ReportDeviceText(-1));
    EXPECT_EQ(L"-2147483647", ReportDeviceText(INT_MIN));
}

TEST(ReportDeviceText, IntMaxWrapsWithoutOverflow)
{
    // Built under UBSan in the sanitizer preset: a signed overflow here would abort.
    EXPECT_EQ(L"-2147483648", ReportDeviceText(INT_MAX));
}
