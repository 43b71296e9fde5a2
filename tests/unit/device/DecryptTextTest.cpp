#include "device/CAesCipher.h"
#include "device/DecryptText.h"
#include "device/DeviceCipherKey.h"

#include "DeviceFileEncoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const unsigned char* Key()
{
    return reinterpret_cast<const unsigned char*>(DEVICE_KEY_TEXT);
}

// Keystream bytes of the device key and counter, computed block by block.
std::vector<unsigned char> DeviceKeystream(int blocks)
{
    CAesCipher aes;
    aes.MakeKey(Key(), 16);
    unsigned char counter[16];
    BuildDeviceCounterBlock(counter);
    std::vector<unsigned char> stream;
    for (int i = 0; i < blocks; ++i) {
        unsigned char k[16];
        aes.EncryptBlock(counter, k);
        stream.insert(stream.end(), k, k + 16);
        CAesCipher::StepCounter(counter);
    }
    return stream;
}

} // namespace

TEST(DecryptText, TwentyFourCharactersDecryptThirtyTwoBytes)
{
    // 18 plain bytes without a zero: 24 Base64 characters, capacity 18, and
    // the cipher length rounded up to two blocks.
    const std::string plain = "device-type-text-1";
    ASSERT_EQ(18u, plain.size());
    const std::vector<unsigned char> stream = DeviceKeystream(2);
    std::string cipher = plain;
    for (size_t i = 0; i < cipher.size(); ++i)
        cipher[i] = static_cast<char>(cipher[i] ^ stream[i]);
    const std::string text = Base64Encode(cipher);
    ASSERT_EQ(24u, text.size());

    CAesCipher aes;
    std::vector<char> out(1024, 'x');
    const int length = DecryptText(aes, text.c_str(), out.data(), 1024, Key());

    EXPECT_EQ(plain, std::string(out.data(), 18));
    // Bytes 18 to 31 are the decoder's zero fill run through the keystream.
    for (int i = 18; i < 32; ++i)
        EXPECT_EQ(static_cast<char>(stream[i]), out[i]) << i;
    for (int i = 32; i < 1024; ++i)
        ASSERT_EQ('\0', out[i]) << i;
    int expected = 0;
    while (expected < 32 && out[expected] != '\0')
        ++expected;
    EXPECT_EQ(expected, length);
    EXPECT_GE(length, 18);

    EXPECT_TRUE(aes.IsKeyReady());
    EXPECT_TRUE(aes.HasCounter());
    EXPECT_EQ(16, aes.KeyLength());
}

TEST(DecryptText, OnlyTheFirstSixteenKeyBytesCount)
{
    const std::string text = EncryptDeviceText("only sixteen");
    CAesCipher aes;
    char a[64] = {};
    char b[64] = {};
    const unsigned char otherTail[] = "harbinge2093tolkXYZ";
    EXPECT_EQ(12, DecryptText(aes, text.c_str(), a, sizeof a, Key()));
    EXPECT_EQ(12, DecryptText(aes, text.c_str(), b, sizeof b, otherTail));
    EXPECT_STREQ("only sixteen", a);
    EXPECT_STREQ("only sixteen", b);

    const unsigned char wrongKey[] = "Harbinge2093tolkai";
    char c[64] = {};
    DecryptText(aes, text.c_str(), c, sizeof c, wrongKey);
    EXPECT_STRNE("only sixteen", c);
}

TEST(DecryptText, SmallOutputIsLeftUntouched)
{
    const std::string text = EncodeDeviceType(7); // 24 characters, 32 cipher bytes
    ASSERT_EQ(24u, text.size());
    CAesCipher aes;
    for (unsigned size : {0u, 1u, 23u, 24u, 31u}) {
        std::vector<char> out(40, '#');
        EXPECT_EQ(0, DecryptText(aes, text.c_str(), out.data(), size, Key())) << size;
        EXPECT_EQ(std::vector<char>(40, '#'), out) << size;
    }
    std::vector<char> exact(32, '#');
    EXPECT_EQ(1, DecryptText(aes, text.c_str(), exact.data(), 32, Key()));
    EXPECT_EQ('7', exact[0]);
}

TEST(DecryptText, ShortTextGivesAllZeroOutput)
{
    CAesCipher aes;
    for (const char* text : {"", "Q", "QUJ", "+ Q"}) {
        std::vector<char> out(16, '#');
        EXPECT_EQ(0, DecryptText(aes, text, out.data(), 16, Key())) << text;
        EXPECT_EQ(std::vector<char>(16, '\0'), out) << text;
    }
}

TEST(DecryptText, InvalidBase64DecryptsWhatWasDecodedBeforeTheError)
{
    // Five good groups (15 bytes), then a bad one. The rest of the decode
    // buffer stays zero and so decrypts to bare keystream.
    const std::string good = EncryptDeviceText("fifteen bytes!!");
    const std::string text = good.substr(0, 20) + "!!!!";
    const std::vector<unsigned char> stream = DeviceKeystream(2);
    CAesCipher aes;
    std::vector<char> out(64, '#');
    const int length = DecryptText(aes, text.c_str(), out.data(), 64, Key());

    EXPECT_EQ("fifteen bytes!!", std::string(out.data(), 15));
    for (int i = 15; i < 32; ++i)
        EXPECT_EQ(static_cast<char>(stream[i]), out[i]) << i;
    for (int i = 32; i < 64; ++i)
        EXPECT_EQ('\0', out[i]) << i;
    EXPECT_EQ(static_cast<int>(std::strlen(out.data())), length);
    EXPECT_GE(length, 15);
}

TEST(DecryptText, TextFillingTheBufferIsCountedWithinIt)
{
    // 16 characters: 12 decoded bytes, one block, and an output of exactly
    // that block. Bytes 12 to 15 are keystream; with no zero among them the
    // text runs to the end of the buffer and the count must stop there.
    const std::vector<unsigned char> stream = DeviceKeystream(1);
    for (int i = 12; i < 16; ++i)
        ASSERT_NE(0, stream[i]) << "keystream byte " << i << " is zero; pick another case";
    std::string cipher = "twelve bytes";
    for (size_t i = 0; i < cipher.size(); ++i)
        cipher[i] = static_cast<char>(cipher[i] ^ stream[i]);
    const std::string text = Base64Encode(cipher);
    ASSERT_EQ(16u, text.size());

    // A heap block of exactly 16 bytes, so a scan past it is caught.
    std::vector<char> out(16, '#');
    CAesCipher aes;
    EXPECT_EQ(16, DecryptText(aes, text.c_str(), out.data(), 16, Key()));
    EXPECT_EQ("twelve bytes", std::string(out.data(), 12));
}

TEST(DecryptText, NullArgumentsGiveZero)
{
    CAesCipher aes;
    char out[32] = {'#'};
    EXPECT_EQ(0, DecryptText(aes, nullptr, out, sizeof out, Key()));
    EXPECT_EQ('#', out[0]);
    EXPECT_EQ(0, DecryptText(aes, "QUJD", nullptr, 32, Key()));
    EXPECT_EQ(0, DecryptText(aes, "QUJD", out, sizeof out, nullptr));
    EXPECT_FALSE(aes.IsKeyReady());
}
