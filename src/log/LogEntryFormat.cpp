#include "log/LogEntryFormat.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>

std::string FormatLogPrefix(const LogTime& time)
{
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), "[%04d-%02d-%02d %02d:%02d:%02d %03dms]   ", time.year, time.month,
                  time.day, time.hour, time.minute, time.second, time.milliseconds);
    return buffer;
}

std::string FormatLogEntry(const LogTime& time, const std::string& text)
{
    std::string entry = FormatLogPrefix(time);
    entry.reserve(entry.size() + text.size() + 8);
    for (char c : text) {
        if (c == '\0') {
            break;
        }
        if (c == '\n') {
            entry += '\r';
        }
        entry += c;
    }
    entry += "\r\r\n";
    return entry;
}

bool IsOverRotationSize(std::uint64_t fileLength)
{
    return static_cast<std::uint32_t>(fileLength) > kLogRotationSize;
}

bool ParsePrintSwitch(const std::wstring& value)
{
    long parsed = std::wcstol(value.c_str(), nullptr, 10);
    return parsed == 1;
}

std::wstring FormatHexText(const unsigned char* data, int length)
{
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text;
    if (data == nullptr || length <= 0) {
        return text;
    }
    text.reserve(static_cast<std::size_t>(length) * 3);
    for (int i = 0; i < length; ++i) {
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0x0F];
        text += L' ';
    }
    return text;
}
