// DecryptText on arbitrary text, keys and output sizes; the output is a heap
// block of exactly the size handed in.
#include "device/CAesCipher.h"
#include "device/DecryptText.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 18) // output size, 16 key bytes, text
        return 0;
    const unsigned outSize = (unsigned(data[0]) | (unsigned(data[1]) << 8)) % 2048;
    const std::string text(reinterpret_cast<const char*>(data + 18), size - 18);
    const size_t textLength = std::strlen(text.c_str());
    const size_t cipherLength = (textLength / 4 * 3 + 15) / 16 * 16;

    std::unique_ptr<char[]> out(new char[outSize]);
    std::memset(out.get(), 0x5A, outSize);
    CAesCipher aes;
    const int length = DecryptText(aes, text.c_str(), out.get(), outSize, data + 2);

    if (length < 0 || unsigned(length) > outSize || std::memchr(out.get(), 0, size_t(length)) != nullptr)
        std::abort();
    if (unsigned(length) < outSize && length > 0 && out[length] != '\0')
        std::abort();
    const bool fits = outSize >= textLength && outSize >= cipherLength;
    for (unsigned i = 0; i < outSize; ++i) {
        if (!fits && out[i] != 0x5A) // too small: untouched
            std::abort();
        if (fits && i >= cipherLength && out[i] != '\0')
            std::abort();
    }
    return 0;
}
