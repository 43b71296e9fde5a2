// AES block cipher (128-, 192- and 256-bit keys) with the counter-mode
// decryption that the support clients' device files are written with.
#pragma once

#include <cstdint>

// Mode number of Decrypt for counter mode; 0 to 3 (ECB, CBC, CFB, OFB) are
// never used by this program and are not provided.
#define AES_MODE_COUNTER 4

class CAesCipher
{
public:
    CAesCipher();

    // Takes a 16-, 24- or 32-byte key. Any other length, or no key, leaves the
    // object exactly as it was.
    void MakeKey(const unsigned char* key, int keyLength);

    // Copies a 16-byte initial counter block; null forgets the counter.
    void SetCounter(const unsigned char* block);

    // One 16-byte block with the current key; nothing happens without a key.
    void EncryptBlock(const unsigned char* in, unsigned char* out) const;

    // Counter mode: every call starts again from the stored initial block, which
    // itself never moves. Does nothing at all unless both buffers are given, a
    // key and a counter are set, length is a non-zero multiple of 16 and mode is
    // AES_MODE_COUNTER. in and out may be the same buffer.
    void Decrypt(const unsigned char* in, unsigned char* out, unsigned length, int mode) const;

    // The next counter value: a 128-bit little-endian number, byte 0 lowest.
    // All 0xFF wraps to all zeros.
    static void StepCounter(unsigned char block[16]);

    bool IsKeyReady() const { return m_bKeyReady; }
    bool HasCounter() const { return m_bCounter; }
    int KeyLength() const { return m_nKeyLength; }
    int Rounds() const { return m_nRounds; }

private:
    bool m_bKeyReady;
    uint32_t m_roundKeys[15][4];
    int m_nKeyLength;
    int m_nRounds;
    bool m_bCounter;
    unsigned char m_counter[16];
};
