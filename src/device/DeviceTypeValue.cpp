#include "device/DeviceTypeValue.h"

#include "device/CAesCipher.h"
#include "device/DecryptText.h"
#include "device/DeviceCipherKey.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

// mbstowcs gives up on the whole text at the first byte the C locale cannot
// convert; the number only needs the characters before that byte.
std::wstring Widen(const char* text)
{
    const size_t converted = std::mbstowcs(nullptr, text, 0);
    if (converted != static_cast<size_t>(-1)) {
        std::vector<wchar_t> wide(converted + 1, L'\0');
        std::mbstowcs(wide.data(), text, converted + 1);
        return std::wstring(wide.data(), converted);
    }
    std::wstring prefix;
    std::mbstate_t state = std::mbstate_t();
    const char* p = text;
    size_t remaining = std::strlen(text);
    while (remaining != 0) {
        wchar_t wc = L'\0';
        const size_t used = std::mbrtowc(&wc, p, remaining, &state);
        if (used == 0 || used == static_cast<size_t>(-1) || used == static_cast<size_t>(-2))
            break;
        prefix.push_back(wc);
        p += used;
        remaining -= used;
    }
    return prefix;
}

} // namespace

int ParseDeviceNumber(const wchar_t* text)
{
    if (text == nullptr)
        return 0;
    const wchar_t* p = text;
    while (*p != L'\0' && std::iswspace(static_cast<wint_t>(*p)))
        ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-') {
        negative = *p == L'-';
        ++p;
    }
    // Accumulated as a magnitude that stops growing once it is past the range.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : static_cast<long long>(INT_MAX);
    long long magnitude = 0;
    while (*p >= L'0' && *p <= L'9') {
        if (magnitude <= limit)
            magnitude = magnitude * 10 + (*p - L'0');
        ++p;
    }
    if (magnitude > limit)
        return negative ? INT_MIN : INT_MAX;
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int DeviceTypeFromValue(CAesCipher& aes, const std::string& value)
{
    std::vector<char> plain(DEVICE_VALUE_BUFFER_SIZE, '\0');
    DecryptText(aes, value.c_str(), plain.data(), DEVICE_VALUE_BUFFER_SIZE,
                reinterpret_cast<const unsigned char*>(DEVICE_KEY_TEXT));
    // DecryptText stops at the first zero byte, and the buffer is zeroed, but a
    // plain text filling the whole buffer would have no terminator of its own.
    plain.back() = '\0';
    return ParseDeviceNumber(Widen(plain.data()).c_str());
}
