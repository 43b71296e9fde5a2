#include "device/CAesCipher.h"
#include "device/DeviceTypeValue.h"

#include "DeviceFileEncoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(DeviceTypeValue, EncoderRoundTrip)
{
    for (int type : {0, 1, 2, -5, 2147483647, INT_MIN, 42}) {
        CAesCipher aes;
        EXPECT_EQ(type, DeviceTypeFromValue(aes, EncodeDeviceType(type))) << type;
    }
}

TEST(DeviceTypeValue, TwoFollowedByZeroBytes)
{
    CAesCipher aes;
    EXPECT_EQ(2, DeviceTypeFromValue(aes, EncryptDeviceText(std::string("2\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16))));
    EXPECT_EQ(2, DeviceTypeFromValue(aes, EncryptDeviceText(std::string("2\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 18))));
}

TEST(DeviceTypeValue, LeadingNumberOfThePlainText)
{
    CAesCipher aes;
    EXPECT_EQ(12, DeviceTypeFromValue(aes, EncryptDeviceText(" \t12abc")));
    EXPECT_EQ(-3, DeviceTypeFromValue(aes, EncryptDeviceText("-3-4")));
    EXPECT_EQ(0, DeviceTypeFromValue(aes, EncryptDeviceText("type 2")));
    EXPECT_EQ(INT_MAX, DeviceTypeFromValue(aes, EncryptDeviceText("2147483648")));
    // Bytes the C locale cannot widen after the number do not lose it.
    EXPECT_EQ(7, DeviceTypeFromValue(aes, EncryptDeviceText("7\xff\xfe\x80")));
}

TEST(DeviceTypeValue, EmptyOrBrokenValuesGiveZero)
{
    CAesCipher aes;
    EXPECT_EQ(0, DeviceTypeFromValue(aes, ""));
    EXPECT_EQ(0, DeviceTypeFromValue(aes, "QU"));
    EXPECT_EQ(0, DeviceTypeFromValue(aes, EncryptDeviceText(std::string(16, '\0'))));
}

TEST(ParseDeviceNumber, ReadsLikeWcstol)
{
    EXPECT_EQ(42, ParseDeviceNumber(L"42"));
    EXPECT_EQ(42, ParseDeviceNumber(L" \t\r\n\v\f42xyz"));
    EXPECT_EQ(7, ParseDeviceNumber(L"+7"));
    EXPECT_EQ(-12, ParseDeviceNumber(L"-12 5"));
    EXPECT_EQ(0, ParseDeviceNumber(L""));
    EXPECT_EQ(0, ParseDeviceNumber(L"abc"));
    EXPECT_EQ(0, ParseDeviceNumber(L"- 5"));
    EXPECT_EQ(0, ParseDeviceNumber(L"+-5"));
    EXPECT_EQ(8, ParseDeviceNumber(L"0008"));
    EXPECT_EQ(0, ParseDeviceNumber(L"0x1F"));
    EXPECT_EQ(0, ParseDeviceNumber(nullptr));
}

TEST(ParseDeviceNumber, ClampsToTheThirtyTwoBitRange)
{
    EXPECT_EQ(INT_MAX, ParseDeviceNumber(L"2147483647"));
    EXPECT_EQ(INT_MAX, ParseDeviceNumber(L"2147483648"));
    EXPECT_EQ(INT_MIN, ParseDeviceNumber(L"-2147483648"));
    EXPECT_EQ(INT_MIN, ParseDeviceNumber(L"-2147483649"));
    EXPECT_EQ(INT_MAX, ParseDeviceNumber(L"99999999999999999999999999999999"));
    EXPECT_EQ(INT_MIN, ParseDeviceNumber(L"-99999999999999999999999999999999"));
    EXPECT_EQ(INT_MAX, ParseDeviceNumber(L"+000000000000000000000002147483648"));
}
