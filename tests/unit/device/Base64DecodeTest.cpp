#include "device/Base64Decode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Base64Decode, Cases)
{
    struct Case
    {
        const char* text;
        unsigned limit;
        int result;
        std::string written; // also what stays written when the result is -1
    } cases[] = {
        {"QUJD", 0, 3, "ABC"},
        {"QUI=", 0, 2, "AB"},
        {"QQ==", 0, 1, "A"},
        {"", 0, 0, ""},
        {"+/+/", 0, 3, "\xfb\xff\xbf"},
        {"+ QUJD", 0, 3, "ABC"},
        {"+QUJ", 0, 3, "\xf9\x05\x09"}, // "+" without the space is data
        {"QQ==QUJD", 0, 1, "A"},
        {"QUJD\r\nREVG", 0, 3, "ABC"},
        {"QUJ", 0, -1, ""},
        {"QUJDRE", 0, -1, "ABC"},
        {"QUJD\nREVG", 0, -1, "ABC"},
        {"QU!D", 0, -1, ""},
        {"Q=JD", 0, -1, ""},
        {"QU\rD", 0, -1, ""},
        {"\x80QUJ", 0, -1, ""},
        {"QQ=AQUJD", 0, 4, "AABC"}, // third "=": one byte, and on with the next group
        {"QQ=!", 0, -1, ""},
        {"QUJD", 2, -1, "AB"},
        {"QUJD", 3, 3, "ABC"},
        {"QUJDQQ==", 3, -1, "ABC"},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> out(16, 0xEE);
        EXPECT_EQ(c.result, Base64Decode(c.text, out.data(), c.limit)) << c.text << " limit " << c.limit;
        const std::string written(out.begin(), out.begin() + c.written.size());
        EXPECT_EQ(c.written, written) << c.text;
        EXPECT_EQ(0xEE, out[c.written.size()]) << c.text << ": wrote past the expected bytes";
    }
}
