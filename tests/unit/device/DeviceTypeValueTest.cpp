#include "device/CAesCipher.h"
#include "device/DeviceTypeValue.h"

#include "DeviceFileEncoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(DeviceTypeValue, FromEncodedValues)
{
    CAesCipher aes;
    for (int type : {0, 1, 2, -5, 2147483647, INT_MIN})
        EXPECT_EQ(type, DeviceTypeFromValue(aes, EncodeDeviceType(type))) << type;

    std::string twoThenZeros(32, '\0');
    twoThenZeros[0] = '2';
    EXPECT_EQ(2, DeviceTypeFromValue(aes, EncryptDeviceText(twoThenZeros)));
    EXPECT_EQ(12, DeviceTypeFromValue(aes, EncryptDeviceText(" \t12abc")));
    EXPECT_EQ(INT_MAX, DeviceTypeFromValue(aes, EncryptDeviceText("2147483648")));
    // Bytes the C locale cannot widen after the number do not lose it.
    EXPECT_EQ(7, DeviceTypeFromValue(aes, EncryptDeviceText("7\xff\xfe")));
    EXPECT_EQ(0, DeviceTypeFromValue(aes, EncryptDeviceText("type 2")));
    EXPECT_EQ(0, DeviceTypeFromValue(aes, ""));
}

TEST(ParseDeviceNumber, ReadsLikeWcstolClampedToThirtyTwoBits)
{
    struct Case
    {
        const wchar_t* text;
        int value;
    } cases[] = {
        {L" \t\r\n\v\f42xyz", 42},
        {L"+7", 7},
        {L"-12 5", -12},
        {L"", 0},
        {L"abc", 0},
        {L"- 5", 0},
        {L"0x1F", 0},
        {L"2147483647", INT_MAX},
        {L"2147483648", INT_MAX},
        {L"-2147483648", INT_MIN},
        {L"-2147483649", INT_MIN},
        {L"-99999999999999999999999", INT_MIN},
        {L"+0000000000002147483648", INT_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, ParseDeviceNumber(c.text)) << c.text;
}
