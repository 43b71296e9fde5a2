#include "device/Base64Decode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Decoded
{
    int result;
    std::string bytes; // what the decoder wrote, up to the first untouched byte
};

// Decodes into a buffer pre-filled with a marker so that bytes written on an
// error are visible too.
Decoded Decode(const std::string& text, unsigned maxBytes = 0)
{
    std::vector<unsigned char> out(64, 0xEE);
    const int result = Base64Decode(text.c_str(), out.data(), maxBytes);
    std::string bytes;
    for (unsigned char b : out) {
        if (b == 0xEE)
            break;
        bytes.push_back(static_cast<char>(b));
    }
    return {result, bytes};
}

} // namespace

TEST(Base64Decode, FullAndPaddedGroups)
{
    EXPECT_EQ(3, Decode("QUJD").result);
    EXPECT_EQ("ABC", Decode("QUJD").bytes);
    EXPECT_EQ(2, Decode("QUI=").result);
    EXPECT_EQ("AB", Decode("QUI=").bytes);
    EXPECT_EQ(1, Decode("QQ==").result);
    EXPECT_EQ("A", Decode("QQ==").bytes);
    EXPECT_EQ(6, Decode("QUJDREVG").result);
    EXPECT_EQ("ABCDEF", Decode("QUJDREVG").bytes);
    EXPECT_EQ(0, Decode("").result);
    // Every alphabet character, including the two symbols.
    const Decoded all = Decode("+/+/");
    EXPECT_EQ(3, all.result);
    EXPECT_EQ(std::string("\xfb\xff\xbf", 3), all.bytes);
}

TEST(Base64Decode, LeadingPlusSpaceIsSkipped)
{
    EXPECT_EQ(3, Decode("+ QUJD").result);
    EXPECT_EQ("ABC", Decode("+ QUJD").bytes);
    // A plus without the space is an ordinary alphabet character.
    EXPECT_EQ(3, Decode("+QUJ").result);
    // Only once, at the very start.
    EXPECT_EQ(-1, Decode("+ + QUJD").result);
}

TEST(Base64Decode, StopsAfterPaddingAtCarriageReturnOrEnd)
{
    const Decoded afterPad = Decode("QQ==QUJD");
    EXPECT_EQ(1, afterPad.result);
    EXPECT_EQ("A", afterPad.bytes);

    const Decoded atCr = Decode("QUJD\r\nREVG");
    EXPECT_EQ(3, atCr.result);
    EXPECT_EQ("ABC", atCr.bytes);
    EXPECT_EQ(0, Decode("\rQUJD").result);
}

TEST(Base64Decode, BadCharactersCutGroupsAndLineFeedsFail)
{
    EXPECT_EQ(-1, Decode("QUJ").result);
    EXPECT_EQ(-1, Decode("Q").result);
    EXPECT_EQ(-1, Decode("QUJDRE").result);
    const Decoded lineFeed = Decode("QUJD\nREVG");
    EXPECT_EQ(-1, lineFeed.result);
    EXPECT_EQ("ABC", lineFeed.bytes); // the first group stays written

    EXPECT_EQ(-1, Decode("QU!D").result);
    EXPECT_EQ(-1, Decode("QUJ D").result);
    EXPECT_EQ(-1, Decode("=QUJ").result);
    EXPECT_EQ(-1, Decode("Q=JD").result);
    EXPECT_EQ(-1, Decode("QU\rD").result); // CR only ends the text at a group's start
    EXPECT_EQ(-1, Decode("QUJ\xc3").result);
    EXPECT_EQ(-1, Decode("\x80QUJ").result);
}

TEST(Base64Decode, ThirdCharacterPaddingGivesOneByte)
{
    // Fourth character from the alphabet: one byte, and decoding goes on.
    const Decoded goesOn = Decode("QQ=AQUJD");
    EXPECT_EQ(4, goesOn.result);
    EXPECT_EQ("AABC", goesOn.bytes);
    // Fourth character "=": one byte and the end.
    EXPECT_EQ(1, Decode("QQ==QUJD").result);
    // The fourth character is still checked.
    EXPECT_EQ(-1, Decode("QQ=!").result);
}

TEST(Base64Decode, ByteLimit)
{
    const Decoded cut = Decode("QUJD", 2);
    EXPECT_EQ(-1, cut.result);
    EXPECT_EQ("AB", cut.bytes);
    EXPECT_EQ(3, Decode("QUJD", 0).result);
    EXPECT_EQ(3, Decode("QUJD", 3).result);
    EXPECT_EQ(-1, Decode("QUJDQQ==", 3).result);
    EXPECT_EQ(4, Decode("QUJDQQ==", 4).result);
    EXPECT_EQ(1, Decode("QQ==", 1).result);
}

TEST(Base64Decode, NullArgumentsFail)
{
    unsigned char out[4];
    EXPECT_EQ(-1, Base64Decode(nullptr, out, 0));
    EXPECT_EQ(-1, Base64Decode("QUJD", nullptr, 0));
}
