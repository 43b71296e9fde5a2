#include "device/CAesCipher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes Hex(const std::string& hex)
{
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<unsigned char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

Bytes Encrypt(const CAesCipher& aes, const Bytes& block)
{
    Bytes out(16, 0);
    aes.EncryptBlock(block.data(), out.data());
    return out;
}

const Bytes kKey = Hex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
const Bytes kPlain = Hex("00112233445566778899aabbccddeeff");

} // namespace

TEST(AesCipher, StandardVectorsForAllKeySizes)
{
    const char* expected[] = {"69c4e0d86a7b0430d8cdb78070b4c55a", "dda97ca4864cdfe06eaf70a0ec0d7191",
                              "8ea2b7ca516745bfeafc49904b496089"};
    for (int i = 0; i < 3; ++i) {
        CAesCipher aes;
        aes.MakeKey(kKey.data(), 16 + 8 * i);
        EXPECT_EQ(10 + 2 * i, aes.Rounds());
        EXPECT_EQ(Hex(expected[i]), Encrypt(aes, kPlain)) << "key length " << 16 + 8 * i;
    }
    // Bad keys after a good one leave the good one in force.
    CAesCipher aes;
    aes.MakeKey(kKey.data(), 16);
    for (int length : {0, 15, 20, 33, -16})
        aes.MakeKey(kKey.data(), length);
    aes.MakeKey(nullptr, 32);
    EXPECT_EQ(16, aes.KeyLength());
    EXPECT_EQ(Hex(expected[0]), Encrypt(aes, kPlain));
}

TEST(AesCipher, CounterIsLittleEndianAndWraps)
{
    Bytes block = Hex("ff000700000000000000000000000000");
    CAesCipher::StepCounter(block.data());
    EXPECT_EQ(Hex("00010700000000000000000000000000"), block);
    block = Hex("ffffffffffffffffffffffffffffff41");
    CAesCipher::StepCounter(block.data());
    EXPECT_EQ(Hex("00000000000000000000000000000042"), block);
    block = Bytes(16, 0xff);
    CAesCipher::StepCounter(block.data());
    EXPECT_EQ(Bytes(16, 0), block);
}

TEST(AesCipher, CounterModeXorsEncryptedCountersFromTheStoredBlock)
{
    CAesCipher aes;
    aes.MakeKey(kKey.data(), 16);
    const Bytes counter = Hex("fe00000000000000000000000000ff00");
    aes.SetCounter(counter.data());
    Bytes data(48);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<unsigned char>(i * 7 + 3);
    Bytes out(48, 0);
    aes.Decrypt(data.data(), out.data(), 48, AES_MODE_COUNTER);

    // Counter values fe.., ff.., then 00 01.. after the carry out of byte 0.
    const Bytes counters[] = {counter, Hex("ff00000000000000000000000000ff00"),
                              Hex("0001000000000000000000000000ff00")};
    for (int b = 0; b < 3; ++b) {
        const Bytes key = Encrypt(aes, counters[b]);
        for (int i = 0; i < 16; ++i)
            ASSERT_EQ(data[16 * b + i] ^ key[i], out[16 * b + i]) << b << " " << i;
    }
    // A second call starts again from the stored block; in place works.
    Bytes again = data;
    aes.Decrypt(again.data(), again.data(), 48, AES_MODE_COUNTER);
    EXPECT_EQ(out, again);
}

TEST(AesCipher, DecryptWritesNothingUnlessEverythingIsSet)
{
    const Bytes in(48, 0x11), untouched(48, 0xA5), counter(16, 0);
    Bytes out = untouched;
    CAesCipher aes;
    aes.SetCounter(counter.data());
    aes.Decrypt(in.data(), out.data(), 16, AES_MODE_COUNTER); // no key yet
    aes.MakeKey(kKey.data(), 16);
    for (unsigned length : {24u, 0u, 40u})
        aes.Decrypt(in.data(), out.data(), length, AES_MODE_COUNTER);
    for (int mode : {0, 1, 2, 3, 5})
        aes.Decrypt(in.data(), out.data(), 16, mode);
    aes.Decrypt(nullptr, out.data(), 16, AES_MODE_COUNTER);
    aes.SetCounter(nullptr);
    aes.Decrypt(in.data(), out.data(), 16, AES_MODE_COUNTER);
    EXPECT_EQ(untouched, out);

    aes.SetCounter(counter.data());
    aes.Decrypt(in.data(), out.data(), 16, AES_MODE_COUNTER);
    EXPECT_NE(untouched, out);
}
