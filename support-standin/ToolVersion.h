// Dotted tool versions ("1.8.22.1024") compared by number, part by part.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The numeric parts, or nothing when the text is not one or more runs of
// decimal digits joined by single dots. Parts above 999999999 are refused
// rather than wrapped.
std::optional<std::vector<std::uint32_t>> ParseToolVersion(const std::wstring& text);

// Negative, zero or positive as a is older than, equal to or newer than b;
// missing trailing parts count as 0 (1.9 equals 1.9.0.0).
int CompareToolVersions(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b);

// Whether the catalogue's version is newer than the one asked about. A text
// that is not a version never counts as newer: a bad catalogue entry must not
// announce an update.
bool IsNewerToolVersion(const std::wstring& catalogued, const std::wstring& asked);
