#include "device/CAesCipher.h"

#include <cstring>

namespace {

const unsigned char kSBox[256] = {
    0x63, 0x7c, 0x77, 0x7b, 0xf2, 0x6b, 0x6f, 0xc5, 0x30, 0x01, 0x67, 0x2b, 0xfe, 0xd7, 0xab, 0x76,
    0xca, 0x82, 0xc9, 0x7d, 0xfa, 0x59, 0x47, 0xf0, 0xad, 0xd4, 0xa2, 0xaf, 0x9c, 0xa4, 0x72, 0xc0,
    0xb7, 0xfd, 0x93, 0x26, 0x36, 0x3f, 0xf7, 0xcc, 0x34, 0xa5, 0xe5, 0xf1, 0x71, 0xd8, 0x31, 0x15,
    0x04, 0xc7, 0x23, 0xc3, 0x18, 0x96, 0x05, 0x9a, 0x07, 0x12, 0x80, 0xe2, 0xeb, 0x27, 0xb2, 0x75,
    0x09, 0x83, 0x2c, 0x1a, 0x1b, 0x6e, 0x5a, 0xa0, 0x52, 0x3b, 0xd6, 0xb3, 0x29, 0xe3, 0x2f, 0x84,
    0x53, 0xd1, 0x00, 0xed, 0x20, 0xfc, 0xb1, 0x5b, 0x6a, 0xcb, 0xbe, 0x39, 0x4a, 0x4c, 0x58, 0xcf,
    0xd0, 0xef, 0xaa, 0xfb, 0x43, 0x4d, 0x33, 0x85, 0x45, 0xf9, 0x02, 0x7f, 0x50, 0x3c, 0x9f, 0xa8,
    0x51, 0xa3, 0x40, 0x8f, 0x92, 0x9d, 0x38, 0xf5, 0xbc, 0xb6, 0xda, 0x21, 0x10, 0xff, 0xf3, 0xd2,
    0xcd, 0x0c, 0x13, 0xec, 0x5f, 0x97, 0x44, 0x17, 0xc4, 0xa7, 0x7e, 0x3d, 0x64, 0x5d, 0x19, 0x73,
    0x60, 0x81, 0x4f, 0xdc, 0x22, 0x2a, 0x90, 0x88, 0x46, 0xee, 0xb8, 0x14, 0xde, 0x5e, 0x0b, 0xdb,
    0xe0, 0x32, 0x3a, 0x0a, 0x49, 0x06, 0x24, 0x5c, 0xc2, 0xd3, 0xac, 0x62, 0x91, 0x95, 0xe4, 0x79,
    0xe7, 0xc8, 0x37, 0x6d, 0x8d, 0xd5, 0x4e, 0xa9, 0x6c, 0x56, 0xf4, 0xea, 0x65, 0x7a, 0xae, 0x08,
    0xba, 0x78, 0x25, 0x2e, 0x1c, 0xa6, 0xb4, 0xc6, 0xe8, 0xdd, 0x74, 0x1f, 0x4b, 0xbd, 0x8b, 0x8a,
    0x70, 0x3e, 0xb5, 0x66, 0x48, 0x03, 0xf6, 0x0e, 0x61, 0x35, 0x57, 0xb9, 0x86, 0xc1, 0x1d, 0x9e,
    0xe1, 0xf8, 0x98, 0x11, 0x69, 0xd9, 0x8e, 0x94, 0x9b, 0x1e, 0x87, 0xe9, 0xce, 0x55, 0x28, 0xdf,
    0x8c, 0xa1, 0x89, 0x0d, 0xbf, 0xe6, 0x42, 0x68, 0x41, 0x99, 0x2d, 0x0f, 0xb0, 0x54, 0xbb, 0x16,
};

// Round constants for the key expansion; 10 are enough for every key size.
const unsigned char kRcon[10] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80, 0x1b, 0x36};

uint32_t SubWord(uint32_t w)
{
    return (uint32_t(kSBox[(w >> 24) & 0xff]) << 24) | (uint32_t(kSBox[(w >> 16) & 0xff]) << 16) |
           (uint32_t(kSBox[(w >> 8) & 0xff]) << 8) | uint32_t(kSBox[w & 0xff]);
}

uint32_t RotWord(uint32_t w)
{
    return (w << 8) | (w >> 24);
}

unsigned char XTime(unsigned char b)
{
    return static_cast<unsigned char>((b << 1) ^ ((b & 0x80) ? 0x1b : 0x00));
}

// The state is kept as 16 bytes in input order: byte 4*c + r is row r of column c.
void AddRoundKey(unsigned char state[16], const uint32_t key[4])
{
    for (int c = 0; c < 4; ++c) {
        state[4 * c + 0] ^= static_cast<unsigned char>(key[c] >> 24);
        state[4 * c + 1] ^= static_cast<unsigned char>(key[c] >> 16);
        state[4 * c + 2] ^= static_cast<unsigned char>(key[c] >> 8);
        state[4 * c + 3] ^= static_cast<unsigned char>(key[c]);
    }
}

void SubBytes(unsigned char state[16])
{
    for (int i = 0; i < 16; ++i)
        state[i] = kSBox[state[i]];
}

void ShiftRows(unsigned char state[16])
{
    unsigned char t[16];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            t[4 * c + r] = state[4 * ((c + r) % 4) + r];
    std::memcpy(state, t, 16);
}

void MixColumns(unsigned char state[16])
{
    for (int c = 0; c < 4; ++c) {
        unsigned char* col = state + 4 * c;
        const unsigned char a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
        const unsigned char all = a0 ^ a1 ^ a2 ^ a3;
        col[0] = a0 ^ all ^ XTime(a0 ^ a1);
        col[1] = a1 ^ all ^ XTime(a1 ^ a2);
        col[2] = a2 ^ all ^ XTime(a2 ^ a3);
        col[3] = a3 ^ all ^ XTime(a3 ^ a0);
    }
}

} // namespace

CAesCipher::CAesCipher()
    : m_bKeyReady(false), m_roundKeys(), m_nKeyLength(0), m_nRounds(0), m_bCounter(false), m_counter()
{
}

void CAesCipher::MakeKey(const unsigned char* key, int keyLength)
{
    if (key == nullptr || (keyLength != 16 && keyLength != 24 && keyLength != 32))
        return;

    const int nk = keyLength / 4;
    const int rounds = nk + 6;
    const int totalWords = 4 * (rounds + 1);
    uint32_t w[60];
    for (int i = 0; i < nk; ++i)
        w[i] = (uint32_t(key[4 * i]) << 24) | (uint32_t(key[4 * i + 1]) << 16) |
               (uint32_t(key[4 * i + 2]) << 8) | uint32_t(key[4 * i + 3]);
    for (int i = nk; i < totalWords; ++i) {
        uint32_t temp = w[i - 1];
        if (i % nk == 0)
            temp = SubWord(RotWord(temp)) ^ (uint32_t(kRcon[i / nk - 1]) << 24);
        else if (nk > 6 && i % nk == 4)
            temp = SubWord(temp);
        w[i] = w[i - nk] ^ temp;
    }

    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 4; ++c)
            m_roundKeys[r][c] = (4 * r + c < totalWords) ? w[4 * r + c] : 0;
    m_nKeyLength = keyLength;
    m_nRounds = rounds;
    m_bKeyReady = true;
}

void CAesCipher::SetCounter(const unsigned char* block)
{
    if (block == nullptr) {
        m_bCounter = false;
        return;
    }
    std::memcpy(m_counter, block, 16);
    m_bCounter = true;
}

void CAesCipher::EncryptBlock(const unsigned char* in, unsigned char* out) const
{
    if (!m_bKeyReady || in == nullptr || out == nullptr)
        return;
    unsigned char state[16];
    std::memcpy(state, in, 16);
    AddRoundKey(state, m_roundKeys[0]);
    for (int round = 1; round < m_nRounds; ++round) {
        SubBytes(state);
        ShiftRows(state);
        MixColumns(state);
        AddRoundKey(state, m_roundKeys[round]);
    }
    SubBytes(state);
    ShiftRows(state);
    AddRoundKey(state, m_roundKeys[m_nRounds]);
    std::memcpy(out, state, 16);
}

void CAesCipher::Decrypt(const unsigned char* in, unsigned char* out, unsigned length, int mode) const
{
    if (in == nullptr || out == nullptr || !m_bKeyReady || length == 0 || length % 16 != 0)
        return;
    if (mode != AES_MODE_COUNTER || !m_bCounter)
        return;

    unsigned char counter[16];
    std::memcpy(counter, m_counter, 16);
    for (unsigned offset = 0; offset < length; offset += 16) {
        // The cipher block is copied first so that out may be in.
        unsigned char cipherBlock[16];
        std::memcpy(cipherBlock, in + offset, 16);
        EncryptBlock(counter, out + offset);
        for (int i = 0; i < 16; ++i)
            out[offset + i] ^= cipherBlock[i];
        StepCounter(counter);
    }
}

void CAesCipher::StepCounter(unsigned char block[16])
{
    for (int i = 0; i < 16; ++i) {
        if (++block[i] != 0)
            return;
    }
}
