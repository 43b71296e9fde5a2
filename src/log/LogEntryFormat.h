// The on-disk form of log entries and the rules around them, kept apart from
// the file handling so they can be checked anywhere.
#pragma once

#include <cstdint>
#include <string>

struct LogTime
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// "[YYYY-MM-DD hh:mm:ss mmmms]" followed by three spaces.
std::string FormatLogPrefix(const LogTime& time);

// The exact bytes of one entry: prefix, the text up to its first zero byte
// with every LF written as CR LF, then CR CR LF.
std::string FormatLogEntry(const LogTime& time, const std::string& text);

// A file is moved to its backup once an entry leaves it above this size.
constexpr std::uint32_t kLogRotationSize = 6020000;

// The length is compared as the unsigned 32-bit number the writer has always used.
bool IsOverRotationSize(std::uint64_t fileLength);

// The "print" switch is on only when the value reads as the integer 1
// (leading blanks, an optional sign, then digits; anything after is ignored).
bool ParsePrintSwitch(const std::wstring& value);

// "%02X " for every byte, the last one included; empty for length <= 0.
std::wstring FormatHexText(const unsigned char* data, int length);
