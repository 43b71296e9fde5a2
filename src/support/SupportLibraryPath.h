// Where the support component is looked for: beside the program file.
#pragma once

#include <string>

#define SUPPORT_LIBRARY_FILE L"TorvaneFeedbackInformation.dll"

// The program file's folder (its path up to the last backslash) plus
// "\TorvaneFeedbackInformation.dll". Empty when the path has no backslash:
// then there is no folder to load from, and nothing may be looked up by bare
// name through the search path instead.
std::wstring SupportLibraryPath(const std::wstring& programFile);

// The library's full path in a given folder; a trailing backslash is not doubled.
std::wstring SupportLibraryPathInFolder(const std::wstring& folder);
