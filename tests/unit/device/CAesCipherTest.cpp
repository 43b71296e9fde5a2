#include "device/CAesCipher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> Hex(const std::string& hex)
{
    std::vector<unsigned char> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::vector<unsigned char> Sequence(int count)
{
    std::vector<unsigned char> bytes(count);
    for (int i = 0; i < count; ++i)
        bytes[i] = static_cast<unsigned char>(i);
    return bytes;
}

std::vector<unsigned char> Encrypt(const CAesCipher& aes, const std::vector<unsigned char>& block)
{
    std::vector<unsigned char> out(16, 0);
    aes.EncryptBlock(block.data(), out.data());
    return out;
}

const std::vector<unsigned char> kPlain = Hex("00112233445566778899aabbccddeeff");

} // namespace

TEST(AesCipher, EncryptsTheStandardExampleVectorsForAllKeySizes)
{
    struct Vector
    {
        int keyLength;
        int rounds;
        const char* cipher;
    };
    const Vector vectors[] = {
        {16, 10, "69c4e0d86a7b0430d8cdb78070b4c55a"},
        {24, 12, "dda97ca4864cdfe06eaf70a0ec0d7191"},
        {32, 14, "8ea2b7ca516745bfeafc49904b496089"},
    };
    for (const Vector& v : vectors) {
        CAesCipher aes;
        const std::vector<unsigned char> key = Sequence(v.keyLength);
        aes.MakeKey(key.data(), v.keyLength);
        ASSERT_TRUE(aes.IsKeyReady());
        EXPECT_EQ(v.keyLength, aes.KeyLength());
        EXPECT_EQ(v.rounds, aes.Rounds());
        EXPECT_EQ(Hex(v.cipher), Encrypt(aes, kPlain)) << "key length " << v.keyLength;
    }
}

TEST(AesCipher, RejectedKeysChangeNothing)
{
    CAesCipher fresh;
    const std::vector<unsigned char> key = Sequence(32);
    for (int length : {0, 15, 17, 20, 31, 33, -16}) {
        CAesCipher aes;
        aes.MakeKey(key.data(), length);
        EXPECT_FALSE(aes.IsKeyReady()) << length;
    }
    CAesCipher nullKey;
    nullKey.MakeKey(nullptr, 16);
    EXPECT_FALSE(nullKey.IsKeyReady());

    // A bad key after a good one keeps the good one in force.
    CAesCipher aes;
    aes.MakeKey(key.data(), 16);
    aes.MakeKey(key.data(), 20);
    aes.MakeKey(nullptr, 32);
    EXPECT_EQ(16, aes.KeyLength());
    EXPECT_EQ(Hex("69c4e0d86a7b0430d8cdb78070b4c55a"), Encrypt(aes, kPlain));
}

TEST(AesCipher, CounterStepsAsLittleEndianNumber)
{
    unsigned char block[16] = {0xFF, 0x00, 0x07};
    CAesCipher::StepCounter(block);
    const unsigned char carried[16] = {0x00, 0x01, 0x07};
    EXPECT_EQ(0, std::memcmp(carried, block, 16));

    unsigned char plain[16] = {0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                               0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF};
    CAesCipher::StepCounter(plain);
    EXPECT_EQ(0x11, plain[0]);
    EXPECT_EQ(0xFF, plain[15]);

    unsigned char longCarry[16];
    std::memset(longCarry, 0xFF, 15);
    longCarry[15] = 0x41;
    CAesCipher::StepCounter(longCarry);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(0x00, longCarry[i]) << i;
    EXPECT_EQ(0x42, longCarry[15]);

    unsigned char all[16];
    std::memset(all, 0xFF, 16);
    CAesCipher::StepCounter(all);
    const unsigned char zeros[16] = {};
    EXPECT_EQ(0, std::memcmp(zeros, all, 16));
}

class AesCounterMode : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::vector<unsigned char> key = Sequence(16);
        m_aes.MakeKey(key.data(), 16);
        m_counter = Hex("fe00000000000000000000000000ff00");
        m_aes.SetCounter(m_counter.data());
    }

    // Keystream block i, built with the block function and our own stepping.
    std::vector<unsigned char> Keystream(int blocks)
    {
        std::vector<unsigned char> stream;
        std::vector<unsigned char> counter = m_counter;
        for (int i = 0; i < blocks; ++i) {
            const std::vector<unsigned char> k = Encrypt(m_aes, counter);
            stream.insert(stream.end(), k.begin(), k.end());
            CAesCipher::StepCounter(counter.data());
        }
        return stream;
    }

    CAesCipher m_aes;
    std::vector<unsigned char> m_counter;
};

TEST_F(AesCounterMode, EachBlockIsCipherXorEncryptedCounter)
{
    std::vector<unsigned char> cipher(48);
    for (size_t i = 0; i < cipher.size(); ++i)
        cipher[i] = static_cast<unsigned char>(i * 7 + 3);
    std::vector<unsigned char> out(48, 0);
    m_aes.Decrypt(cipher.data(), out.data(), 48, AES_MODE_COUNTER);

    const std::vector<unsigned char> stream = Keystream(3);
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(cipher[i] ^ stream[i]), out[i]) << i;

    // Block 2 uses the counter after the carry out of byte 0 (fe -> ff -> 00, 01).
    const std::vector<unsigned char> third = Hex("0001" "000000000000000000000000" "ff00");
    ASSERT_EQ(16u, third.size());
    EXPECT_EQ(Encrypt(m_aes, third), std::vector<unsigned char>(stream.begin() + 32, stream.end()));
}

TEST_F(AesCounterMode, EveryCallStartsFromTheStoredBlockAndWorksInPlace)
{
    std::vector<unsigned char> data(32, 0x5c);
    std::vector<unsigned char> first(32, 0);
    m_aes.Decrypt(data.data(), first.data(), 32, AES_MODE_COUNTER);
    std::vector<unsigned char> second(32, 0);
    m_aes.Decrypt(data.data(), second.data(), 32, AES_MODE_COUNTER);
    EXPECT_EQ(first, second);

    m_aes.Decrypt(data.data(), data.data(), 32, AES_MODE_COUNTER);
    EXPECT_EQ(first, data);

    // Applying it twice gives the original back.
    m_aes.Decrypt(data.data(), data.data(), 32, AES_MODE_COUNTER);
    EXPECT_EQ(std::vector<unsigned char>(32, 0x5c), data);
}

TEST_F(AesCounterMode, UnmetPreconditionsWriteNothing)
{
    const std::vector<unsigned char> in(48, 0x11);
    const std::vector<unsigned char> untouched(48, 0xA5);
    std::vector<unsigned char> out = untouched;

    for (unsigned length : {24u, 0u, 15u, 17u, 40u}) {
        m_aes.Decrypt(in.data(), out.data(), length, AES_MODE_COUNTER);
        EXPECT_EQ(untouched, out) << "length " << length;
    }
    for (int mode : {0, 1, 2, 3, 5, -4}) {
        m_aes.Decrypt(in.data(), out.data(), 16, mode);
        EXPECT_EQ(untouched, out) << "mode " << mode;
    }
    m_aes.Decrypt(nullptr, out.data(), 16, AES_MODE_COUNTER);
    EXPECT_EQ(untouched, out);
    m_aes.Decrypt(in.data(), nullptr, 16, AES_MODE_COUNTER);

    CAesCipher noKey;
    noKey.SetCounter(m_counter.data());
    noKey.Decrypt(in.data(), out.data(), 16, AES_MODE_COUNTER);
    EXPECT_EQ(untouched, out);

    m_aes.SetCounter(nullptr);
    EXPECT_FALSE(m_aes.HasCounter());
    m_aes.Decrypt(in.data(), out.data(), 16, AES_MODE_COUNTER);
    EXPECT_EQ(untouched, out);

    // With everything in place the same call does write.
    m_aes.SetCounter(m_counter.data());
    m_aes.Decrypt(in.data(), out.data(), 16, AES_MODE_COUNTER);
    EXPECT_NE(untouched, out);
}
