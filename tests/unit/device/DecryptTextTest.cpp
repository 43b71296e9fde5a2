#include "device/CAesCipher.h"
#include "device/DecryptText.h"
#include "device/DeviceCipherKey.h"

#include "DeviceFileEncoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const unsigned char* const kKey = reinterpret_cast<const unsigned char*>(DEVICE_KEY_TEXT);

// The device keystream, computed block by block from the block function.
std::vector<unsigned char> Keystream(int blocks)
{
    CAesCipher aes;
    aes.MakeKey(kKey, 16);
    unsigned char counter[16];
    BuildDeviceCounterBlock(counter);
    std::vector<unsigned char> stream(16 * blocks);
    for (int i = 0; i < blocks; ++i, CAesCipher::StepCounter(counter))
        aes.EncryptBlock(counter, stream.data() + 16 * i);
    return stream;
}

} // namespace

TEST(DecryptText, TwentyFourCharactersDecryptThirtyTwoBytes)
{
    const std::vector<unsigned char> stream = Keystream(2);
    std::string cipher = "device-type-text-1"; // 18 bytes, no zero
    for (size_t i = 0; i < cipher.size(); ++i)
        cipher[i] = static_cast<char>(cipher[i] ^ stream[i]);
    const std::string text = Base64Encode(cipher);
    ASSERT_EQ(24u, text.size());

    CAesCipher aes;
    std::vector<char> out(1024, 'x');
    const int length = DecryptText(aes, text.c_str(), out.data(), 1024, kKey);
    EXPECT_EQ("device-type-text-1", std::string(out.data(), 18));
    // Bytes 18 to 31: the decode buffer's zeros through the keystream; then zeros.
    EXPECT_EQ(std::string(stream.begin() + 18, stream.end()), std::string(out.data() + 18, 14));
    EXPECT_EQ(std::vector<char>(992, '\0'), std::vector<char>(out.begin() + 32, out.end()));
    EXPECT_EQ(std::string(out.data()).size(), static_cast<size_t>(length));
}

TEST(DecryptText, OutputTooSmallIsLeftUntouched)
{
    const std::string text = EncodeDeviceType(7); // 24 characters, 32 cipher bytes
    CAesCipher aes;
    for (unsigned size : {0u, 23u, 24u, 31u}) {
        std::vector<char> out(40, '#');
        EXPECT_EQ(0, DecryptText(aes, text.c_str(), out.data(), size, kKey)) << size;
        EXPECT_EQ(std::vector<char>(40, '#'), out) << size;
    }
    std::vector<char> exact(32, '#');
    EXPECT_EQ(1, DecryptText(aes, text.c_str(), exact.data(), 32, kKey));
    EXPECT_EQ('7', exact[0]);
}

TEST(DecryptText, ShortTextGivesZeroedOutput)
{
    CAesCipher aes;
    for (const char* text : {"", "QUJ", "+ Q"}) {
        std::vector<char> out(16, '#');
        EXPECT_EQ(0, DecryptText(aes, text, out.data(), 16, kKey)) << text;
        EXPECT_EQ(std::vector<char>(16, '\0'), out) << text;
    }
}

TEST(DecryptText, KeyIsTheFirstSixteenBytesAndBadBase64StillDecrypts)
{
    const std::string text = EncryptDeviceText("fifteen bytes!!");
    CAesCipher aes;
    char out[64];
    const unsigned char otherTail[] = "harbinge2093tolkXYZ";
    EXPECT_EQ(15, DecryptText(aes, text.c_str(), out, sizeof out, otherTail));
    EXPECT_STREQ("fifteen bytes!!", out);

    // After five good groups a bad one: what was decoded is decrypted anyway.
    const std::string broken = text.substr(0, 20) + "!!!!";
    DecryptText(aes, broken.c_str(), out, sizeof out, kKey);
    EXPECT_EQ("fifteen bytes!!", std::string(out, 15));
}
