#include "ToolVersion.h"

std::optional<std::vector<std::uint32_t>> ParseToolVersion(const std::wstring& text)
{
    std::vector<std::uint32_t> parts;
    std::uint32_t value = 0;
    int digits = 0;
    for (const wchar_t c : text) {
        if (c >= L'0' && c <= L'9') {
            if (++digits > 9)
                return std::nullopt;
            value = value * 10 + static_cast<std::uint32_t>(c - L'0');
        } else if (c == L'.' && digits > 0) {
            parts.push_back(value);
            value = 0;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    parts.push_back(value);
    return parts;
}

int CompareToolVersions(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b)
{
    const std::size_t count = a.size() > b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t left = i < a.size() ? a[i] : 0;
        const std::uint32_t right = i < b.size() ? b[i] : 0;
        if (left != right)
            return left < right ? -1 : 1;
    }
    return 0;
}

bool IsNewerToolVersion(const std::wstring& catalogued, const std::wstring& asked)
{
    const auto newer = ParseToolVersion(catalogued);
    const auto current = ParseToolVersion(asked);
    return newer && current && CompareToolVersions(*newer, *current) > 0;
}
