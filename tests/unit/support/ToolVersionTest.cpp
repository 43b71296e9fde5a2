#include "ToolVersion.h"

#include <gtest/gtest.h>

TEST(IsNewerToolVersion, ComparesPartByPartAsNumbers)
{
    EXPECT_TRUE(IsNewerToolVersion(L"1.8.22.1025", L"1.8.22.1024"));
    EXPECT_TRUE(IsNewerToolVersion(L"1.9.0.0", L"1.8.22.1024"));
    EXPECT_TRUE(IsNewerToolVersion(L"2", L"1.8.22.1024"));
    EXPECT_FALSE(IsNewerToolVersion(L"1.8.22.1024", L"1.8.22.1024"));
    // As text "1.8.3.0" sorts after "1.8.22.1024"; as numbers 3 < 22.
    EXPECT_FALSE(IsNewerToolVersion(L"1.8.3.0", L"1.8.22.1024"));
    EXPECT_FALSE(IsNewerToolVersion(L"1.8.22.999", L"1.8.22.1024"));
    EXPECT_FALSE(IsNewerToolVersion(L"0.9.99.9999", L"1.8.22.1024"));
}

TEST(IsNewerToolVersion, MissingPartsCountAsZero)
{
    EXPECT_FALSE(IsNewerToolVersion(L"1.9", L"1.9.0.0"));
    EXPECT_FALSE(IsNewerToolVersion(L"1.9.0.0", L"1.9"));
    EXPECT_TRUE(IsNewerToolVersion(L"1.9.0.1", L"1.9"));
    EXPECT_TRUE(IsNewerToolVersion(L"1.8.22.1024.1", L"1.8.22.1024"));
}

TEST(IsNewerToolVersion, LeadingZerosDoNotMatter)
{
    EXPECT_FALSE(IsNewerToolVersion(L"01.08.022.01024", L"1.8.22.1024"));
    EXPECT_TRUE(IsNewerToolVersion(L"1.8.22.01025", L"1.8.22.1024"));
}

TEST(IsNewerToolVersion, MalformedTextsNeverCountAsNewer)
{
    for (const wchar_t* bad : {L"", L".", L"1..9", L"1.9.", L".1.9", L"1.9a", L"v2", L" 2", L"2 ", L"-1",
                               L"1.9999999999", L"１.９"}) {
        EXPECT_FALSE(IsNewerToolVersion(bad, L"1.8.22.1024"))
            << "catalogued: " << testing::PrintToString(bad);
        EXPECT_FALSE(IsNewerToolVersion(L"9.9.9.9", bad)) << "asked: " << testing::PrintToString(bad);
    }
}

TEST(ParseToolVersion, GivesTheNumericPartsAndRefusesOverlongOnes)
{
    const auto parts = ParseToolVersion(L"1.8.22.1024");
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ((std::vector<std::uint32_t>{1, 8, 22, 1024}), *parts);
    EXPECT_TRUE(ParseToolVersion(L"999999999").has_value());
    EXPECT_FALSE(ParseToolVersion(L"4294967296").has_value());
}
