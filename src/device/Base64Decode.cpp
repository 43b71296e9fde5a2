#include "device/Base64Decode.h"

namespace {

const unsigned char kInvalid = 0xFF;

struct DecodeTable
{
    unsigned char value[128];

    constexpr DecodeTable() : value()
    {
        for (int i = 0; i < 128; ++i)
            value[i] = kInvalid;
        for (int i = 0; i < 26; ++i) {
            value[int('A') + i] = static_cast<unsigned char>(i);
            value[int('a') + i] = static_cast<unsigned char>(26 + i);
        }
        for (int i = 0; i < 10; ++i)
            value[int('0') + i] = static_cast<unsigned char>(52 + i);
        value[int('+')] = 62;
        value[int('/')] = 63;
    }
};

constexpr DecodeTable kTable;

unsigned char SixBits(unsigned char c)
{
    return c < 128 ? kTable.value[c] : kInvalid;
}

} // namespace

int Base64Decode(const char* text, unsigned char* out, unsigned maxBytes)
{
    if (text == nullptr || out == nullptr)
        return -1;

    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    if (p[0] == '+' && p[1] == ' ')
        p += 2;

    unsigned count = 0;
    auto emit = [&](unsigned value) {
        if (maxBytes != 0 && count + 1 > maxBytes)
            return false;
        out[count++] = static_cast<unsigned char>(value & 0xFF);
        return true;
    };

    for (;;) {
        if (p[0] == '\0' || p[0] == '\r')
            return static_cast<int>(count);

        // Each character is looked at only when the one before it was not the
        // terminating zero, so a cut group is never read past its end.
        const unsigned char a = SixBits(p[0]);
        if (a == kInvalid)
            return -1;
        const unsigned char b = SixBits(p[1]);
        if (b == kInvalid)
            return -1;
        const bool thirdPad = p[2] == '=';
        const unsigned char c = thirdPad ? 0 : SixBits(p[2]);
        if (c == kInvalid)
            return -1;
        const bool fourthPad = p[3] == '=';
        const unsigned char d = fourthPad ? 0 : SixBits(p[3]);
        if (d == kInvalid)
            return -1;

        if (!emit((a << 2) | (b >> 4)))
            return -1;
        if (!thirdPad) {
            if (!emit((b << 4) | (c >> 2)))
                return -1;
            if (!fourthPad && !emit((c << 6) | d))
                return -1;
        }
        if (fourthPad)
            return static_cast<int>(count);
        p += 4;
    }
}
