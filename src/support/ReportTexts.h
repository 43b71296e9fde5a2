// The two texts every feedback report carries.
#pragma once

#include <cstdint>
#include <string>

// Seconds since 1970-01-01 UTC as "%d" of a signed 32-bit value. Times past
// 2038-01-19 03:14:07 wrap to negative numbers, as the component has always
// received them: the low 32 bits, read as two's complement.
std::wstring ReportTimeText(std::int64_t secondsSince1970);

// ReportTimeText of the current time.
std::wstring ReportTimeTextNow();

// "%d" of the device type plus 1. The sum is taken in 64 bits and its low
// 32 bits read as two's complement, so INT_MAX gives "-2147483648" (what a
// 32-bit addition on the machine gives) without overflowing a signed int.
std::wstring ReportDeviceText(int deviceType);

// The low 32 bits of a value, read as a signed two's complement number.
std::int32_t LowSigned32(std::int64_t value);
