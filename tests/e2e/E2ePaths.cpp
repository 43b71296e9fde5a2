#include "E2ePaths.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <vector>

namespace {

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::wstring BinaryDir() { return PathFromEnvironment("STELLWICK_BINARY_DIR"); }

} // namespace

std::wstring PathFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return {};
    std::wstring path = Widen(value);
    for (auto& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    // A Unix path: Wine shows the Unix root as drive Z:.
    if (path[0] == L'\\')
        path = L"Z:" + path;
    return path;
}

std::wstring ProgramImage()
{
    std::wstring exe = PathFromEnvironment("E2E_STELLWICK_EXE");
    return exe.empty() ? BinaryDir() + L"\\src\\app\\Stellwick.exe" : exe;
}

std::wstring StandinLibrary()
{
    std::wstring library = PathFromEnvironment("E2E_STELLWICK_LIBRARY");
    return library.empty() ? BinaryDir() + L"\\support-standin\\TorvaneFeedbackInformation.dll" : library;
}

std::wstring StandinLibraryWithout(int n)
{
    return BinaryDir() + L"\\support-standin\\without-" + std::to_wstring(n) + L"\\TorvaneFeedbackInformation.dll";
}

std::wstring PlantedMarkerImage()
{
    std::wstring exe = PathFromEnvironment("E2E_MARKER_EXE");
    return exe.empty() ? BinaryDir() + L"\\tests\\e2e\\e2e_planted_marker.exe" : exe;
}

std::wstring PlantedMarkerLog() { return L"C:\\stellwick-e2e-planted-ran.txt"; }

std::wstring PlantedLibraryImage()
{
    std::wstring library = PathFromEnvironment("E2E_PLANTED_LIBRARY");
    return library.empty() ? BinaryDir() + L"\\tests\\e2e\\e2e_planted_library.dll" : library;
}

std::wstring PlantedLibraryLog() { return L"C:\\stellwick-e2e-planted-loaded.txt"; }

std::wstring ScenarioRoot() { return L"C:\\stellwick-e2e"; }

std::wstring CommonAppData()
{
    wchar_t path[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, path, CSIDL_COMMON_APPDATA, TRUE);
    return path;
}

std::wstring JournalFile() { return CommonAppData() + L"\\TorvaneFeedback\\journal.txt"; }

std::wstring RepairLogFile() { return CommonAppData() + L"\\ToolLog\\Stellwick.txt"; }

std::wstring ScreenshotFolder()
{
    std::wstring folder = PathFromEnvironment("E2E_SCREENSHOT_DIR");
    if (folder.empty())
        folder = BinaryDir() + L"\\tests\\e2e\\screenshots";
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return folder;
}

bool FileExists(const std::wstring& path)
{
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path)
{
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveTree(const std::wstring& path)
{
    if (!FolderExists(path))
        return !FileExists(path) || DeleteFileW(path.c_str());
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
    return !FolderExists(path);
}

std::string ReadWholeFile(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}
