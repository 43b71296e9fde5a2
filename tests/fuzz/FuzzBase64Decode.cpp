// Base64Decode on arbitrary text and byte limits. The output buffer is exactly
// as large as the decoder may write, so any write past it is an ASan report.
#include "device/Base64Decode.h"

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    // Two bytes of byte limit (0 = none, kept small so limits are hit), then the text.
    const unsigned maxBytes = (unsigned(data[0]) | (unsigned(data[1]) << 8)) % 300;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const size_t textLength = std::strlen(text.c_str());
    const size_t bound = textLength / 4 * 3;

    // Without a limit: three bytes per group of four characters at most.
    std::unique_ptr<unsigned char[]> unlimited(new unsigned char[bound]);
    const int all = Base64Decode(text.c_str(), unlimited.get(), 0);
    Require(all >= -1 && (all < 0 || static_cast<size_t>(all) <= bound), "unlimited count within bound");

    if (maxBytes == 0)
        return 0;
    std::unique_ptr<unsigned char[]> limited(new unsigned char[maxBytes]);
    std::memset(limited.get(), 0, maxBytes);
    const int some = Base64Decode(text.c_str(), limited.get(), maxBytes);
    Require(some >= -1 && (some < 0 || static_cast<unsigned>(some) <= maxBytes), "limited count within limit");
    // A limit only cuts the output short; it never changes what is decoded.
    if (all >= 0 && static_cast<unsigned>(all) <= maxBytes)
        Require(some == all, "a limit that is not reached changes nothing");
    if (all >= 0 && static_cast<unsigned>(all) > maxBytes)
        Require(some == -1, "a limit that is reached gives -1");
    if (some >= 0)
        Require(std::memcmp(limited.get(), unlimited.get(), static_cast<size_t>(some)) == 0, "same bytes");
    return 0;
}
