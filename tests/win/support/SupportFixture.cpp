#include "SupportFixture.h"

#include <windows.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>

namespace {

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int count = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], count);
    return out;
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..")
                DeleteFileW((folder + L"\\" + name).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int count = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string out(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], count, nullptr,
                        nullptr);
    return out;
}

std::wstring StandinBuildFolder()
{
    char unixPath[4096] = {};
    GetEnvironmentVariableA("STELLWICK_BINARY_DIR", unixPath, sizeof unixPath);
    // Wine shows the Unix root as drive Z:.
    std::wstring path = L"Z:" + Widen(unixPath) + L"/support-standin";
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

std::wstring JournalFile()
{
    wchar_t common[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, common, CSIDL_COMMON_APPDATA, FALSE);
    return std::wstring(common) + L"\\TorvaneFeedback\\journal.txt";
}

void ClearJournal()
{
    const std::wstring path = JournalFile();
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ASSERT_TRUE(DeleteFileW(path.c_str())) << "journal could not be cleared";
    }
}

std::vector<std::string> JournalLines()
{
    std::ifstream in(JournalFile().c_str(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            // Every line ends in CR LF; a tail without one is a torn line.
            if (start < bytes.size())
                lines.push_back("<unterminated>" + bytes.substr(start));
            return lines;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
}

void SupportFixture::SetUp()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base =
        std::wstring(temp) + L"stellwick-support-" + std::to_wstring(GetCurrentProcessId());
    m_folder = base + L"-standin";
    m_emptyFolder = base + L"-empty";
    CreateDirectoryW(m_folder.c_str(), nullptr);
    CreateDirectoryW(m_emptyFolder.c_str(), nullptr);
    const std::wstring built = StandinBuildFolder() + L"\\TorvaneFeedbackInformation.dll";
    ASSERT_TRUE(CopyFileW(built.c_str(), (m_folder + L"\\TorvaneFeedbackInformation.dll").c_str(), FALSE))
        << "stand-in not found at " << Utf8(built);
    WriteSettings();
    ClearJournal();
}

void SupportFixture::TearDown()
{
    RemoveFolder(m_folder);
    RemoveFolder(m_emptyFolder);
}

void SupportFixture::WriteSettings(const std::wstring& componentKeys, const std::wstring& otherSections)
{
    const std::wstring text = L"\xFEFF[Component]\r\nOpenPages=0\r\n" + componentKeys + otherSections;
    HANDLE file = CreateFileW((m_folder + L"\\TorvaneFeedbackInformation.ini").c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(text.size() * sizeof(wchar_t), written);
}
