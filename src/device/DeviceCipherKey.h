// The secrets shared by everything that reads or writes a device file's
// "Type" value: the key text and the initial counter block.
#pragma once

#include <cstring>

// Only the first 16 bytes are the AES-128 key; the last two are never used.
#define DEVICE_KEY_TEXT "harbinge2093tolkai"

// Fills the fixed initial counter block; the caller owns the 16 bytes.
inline void BuildDeviceCounterBlock(unsigned char block[16])
{
    static const unsigned char kHalves[2][8] = {
        {0x5a, 0x13, 0xc7, 0x2e, 0x91, 0x0b, 0x64, 0xf8},
        {0x3d, 0xa6, 0x7f, 0x42, 0xe9, 0x1c, 0xb5, 0x80},
    };
    std::memcpy(block, kHalves[0], 8);
    std::memcpy(block + 8, kHalves[1], 8);
}
