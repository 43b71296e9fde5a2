// Base64Decode on arbitrary text and limits, into buffers exactly as large as
// the decoder may write (ASan reports any write past them).
#include "device/Base64Decode.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const unsigned limit = (unsigned(data[0]) | (unsigned(data[1]) << 8)) % 300; // 0: none
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const size_t bound = std::strlen(text.c_str()) / 4 * 3;

    std::unique_ptr<unsigned char[]> all(new unsigned char[bound]);
    const int full = Base64Decode(text.c_str(), all.get(), 0);
    if (full < -1 || (full >= 0 && size_t(full) > bound))
        std::abort();
    if (limit == 0)
        return 0;
    std::unique_ptr<unsigned char[]> cut(new unsigned char[limit]);
    const int part = Base64Decode(text.c_str(), cut.get(), limit);
    // A limit only cuts the output short, it never changes what is decoded.
    if (full >= 0 && unsigned(full) <= limit && part != full)
        std::abort();
    if (full >= 0 && unsigned(full) > limit && part != -1)
        std::abort();
    if (part >= 0 && std::memcmp(cut.get(), all.get(), size_t(part)) != 0)
        std::abort();
    return 0;
}
