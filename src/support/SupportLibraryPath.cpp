#include "support/SupportLibraryPath.h"

std::wstring SupportLibraryPath(const std::wstring& programFile)
{
    const std::wstring::size_type slash = programFile.rfind(L'\\');
    if (slash == std::wstring::npos)
        return std::wstring();
    return programFile.substr(0, slash) + L"\\" SUPPORT_LIBRARY_FILE;
}

std::wstring SupportLibraryPathInFolder(const std::wstring& folder)
{
    if (folder.empty())
        return std::wstring();
    if (folder.back() == L'\\' || folder.back() == L'/')
        return folder + SUPPORT_LIBRARY_FILE;
    return folder + L"\\" SUPPORT_LIBRARY_FILE;
}
