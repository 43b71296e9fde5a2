#include "StandinJournal.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace {

const wchar_t JOURNAL_MUTEX[] = L"TorvaneFeedbackJournal";
// Long enough for any honest writer; a holder that hangs must not hang the caller too.
const DWORD JOURNAL_WAIT_MS = 10000;

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    if (bytes <= 0)
        return std::string();
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], bytes, nullptr,
                        nullptr);
    return out;
}

} // namespace

std::wstring JournalPath()
{
    wchar_t common[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, common, CSIDL_COMMON_APPDATA, TRUE))
        return std::wstring();
    std::wstring folder = std::wstring(common) + L"\\TorvaneFeedback";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\journal.txt";
}

void AppendJournalLine(const std::wstring& line)
{
    const std::wstring path = JournalPath();
    if (path.empty())
        return;
    const std::string bytes = Utf8(line) + "\r\n";

    HANDLE mutex = CreateMutexW(nullptr, FALSE, JOURNAL_MUTEX);
    bool owned = false;
    if (mutex) {
        // An abandoned mutex still hands over ownership; its last line was
        // written in one piece or not at all.
        const DWORD wait = WaitForSingleObject(mutex, JOURNAL_WAIT_MS);
        owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
    // Without the lock (timeout) the line is still written: one appending
    // write lands in one piece, and a lost line would hide a call.
    HANDLE file =
        CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    if (owned)
        ReleaseMutex(mutex);
    if (mutex)
        CloseHandle(mutex);
}
