// DecryptText on arbitrary text, keys and output sizes. The output buffer is a
// heap block of exactly the size handed in.
#include "device/CAesCipher.h"
#include "device/DecryptText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

const unsigned char kFill = 0x5A;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Two bytes of output size, sixteen key bytes, then the text.
    if (size < 18)
        return 0;
    const unsigned outSize = (unsigned(data[0]) | (unsigned(data[1]) << 8)) % 2048;
    unsigned char key[16];
    std::memcpy(key, data + 2, 16);
    const std::string text(reinterpret_cast<const char*>(data + 18), size - 18);
    const size_t textLength = std::strlen(text.c_str());

    std::unique_ptr<char[]> out(new char[outSize]);
    std::memset(out.get(), kFill, outSize);
    CAesCipher aes;
    const int length = DecryptText(aes, text.c_str(), out.get(), outSize, key);

    Require(length >= 0 && static_cast<unsigned>(length) <= outSize, "length within the buffer");
    Require(aes.IsKeyReady() && aes.HasCounter(), "key and counter set on every call");
    for (int i = 0; i < length; ++i)
        Require(out[i] != '\0', "no zero byte inside the text");
    if (static_cast<unsigned>(length) < outSize && length > 0)
        Require(out[length] == '\0', "text ends at a zero byte");

    const size_t cipherLength = (textLength / 4 * 3 + 15) / 16 * 16;
    const bool fits = outSize >= textLength && outSize >= cipherLength;
    for (unsigned i = 0; i < outSize; ++i) {
        if (!fits)
            Require(static_cast<unsigned char>(out[i]) == kFill, "a buffer that is too small stays untouched");
        else if (i >= cipherLength)
            Require(out[i] == '\0', "bytes after the cipher length are zero");
    }
    return 0;
}
