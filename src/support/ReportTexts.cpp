#include "support/ReportTexts.h"

#include <ctime>

std::int32_t LowSigned32(std::int64_t value)
{
    const std::uint32_t low = static_cast<std::uint32_t>(value);
    if (low <= static_cast<std::uint32_t>(INT32_MAX))
        return static_cast<std::int32_t>(low);
    // Above INT32_MAX: shift down by 2^32 without any signed overflow.
    return static_cast<std::int32_t>(low - 0x80000000u) + INT32_MIN;
}

std::wstring ReportTimeText(std::int64_t secondsSince1970)
{
    return std::to_wstring(LowSigned32(secondsSince1970));
}

std::wstring ReportTimeTextNow()
{
    return ReportTimeText(static_cast<std::int64_t>(std::time(nullptr)));
}

std::wstring ReportDeviceText(int deviceType)
{
    return std::to_wstring(LowSigned32(static_cast<std::int64_t>(deviceType) + 1));
}
