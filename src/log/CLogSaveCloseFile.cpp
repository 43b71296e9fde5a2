#include "log/CLogSaveCloseFile.h"

#include "framework/WineHost.h"
#include "log/LogEntryFormat.h"
#include "log/LogTargetCheck.h"

#include <windows.h>

#include <aclapi.h>

#include <cstring>
#include <vector>

namespace {

// Log file names and texts come to us as GBK, whatever this Windows's own
// ANSI code page is.
constexpr UINT kLogCodePage = 936;

std::wstring WidenLogName(const std::string& name)
{
    std::string bytes = name.substr(0, name.find('\0'));
    if (bytes.empty()) {
        return std::wstring();
    }
    int count =
        MultiByteToWideChar(kLogCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (count <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(kLogCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], count);
    return wide;
}

LogTime LocalNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    LogTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    time.milliseconds = now.wMilliseconds;
    return time;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(file, data, static_cast<DWORD>(left), &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Closes a handle on every way out, an exception from building the entry
// included: a log file left open without delete sharing would keep it from
// ever being moved to its backup name.
class HandleCloser
{
public:
    explicit HandleCloser(HANDLE handle) : m_handle(handle) {}
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;
    ~HandleCloser() { Close(); }

    void Close()
    {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
            m_handle = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE m_handle;
};

// Whether the owner is the well-known account of this kind.
bool OwnerIsWellKnown(PSID owner, WELL_KNOWN_SID_TYPE type)
{
    BYTE buffer[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(buffer);
    return CreateWellKnownSid(type, nullptr, buffer, &size) && EqualSid(owner, buffer);
}

bool OwnerIsTrustedInstaller(PSID owner)
{
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID trustedInstaller = nullptr;
    if (!AllocateAndInitializeSid(&nt, 6, 80, 956008885, 3418522649u, 1831038044, 1853292631, 2271478464u, 0,
                                  0, &trustedInstaller)) {
        return false;
    }
    const bool same = EqualSid(owner, trustedInstaller) != FALSE;
    FreeSid(trustedInstaller);
    return same;
}

LogOwnerKind OwnerKindOf(HANDLE folder)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS) {
        return LogOwnerKind::Other;
    }
    LogOwnerKind kind = LogOwnerKind::Other;
    if (owner != nullptr && IsValidSid(owner)) {
        if (OwnerIsWellKnown(owner, WinLocalSystemSid)) {
            kind = LogOwnerKind::System;
        } else if (OwnerIsWellKnown(owner, WinBuiltinAdministratorsSid)) {
            kind = LogOwnerKind::Administrators;
        } else if (OwnerIsTrustedInstaller(owner)) {
            kind = LogOwnerKind::TrustedInstaller;
        }
    }
    LocalFree(descriptor);
    return kind;
}

// The folder itself, never what a reparse point there leads to. Opened
// without delete sharing, so it cannot be renamed away and replaced while
// one entry is written.
HANDLE OpenLogFolder(const std::wstring& logDir, LogFolderFacts* facts)
{
    std::wstring folder = logDir;
    while (!folder.empty() && folder.back() == L'\\') {
        folder.pop_back();
    }
    HANDLE handle = CreateFileW(folder.empty() ? L"." : folder.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return handle;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info)) {
        return handle;
    }
    facts->opened = true;
    facts->directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts->reparsePoint = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    facts->owner = OwnerKindOf(handle);
    DWORD flags = 0;
    if (GetVolumeInformationByHandleW(handle, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) {
        facts->volumeHasReparsePoints = (flags & FILE_SUPPORTS_REPARSE_POINTS) != 0;
    }
    return handle;
}

// Opens the file itself (a link is not followed), creating it when absent,
// for appending only: every write then lands at the end of the file as it is
// at that moment, so entries of two processes never overwrite each other.
HANDLE OpenPlainFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                     BY_HANDLE_FILE_INFORMATION* info)
{
    HANDLE file = CreateFileW(path.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return file;
    }
    LogFileFacts facts;
    if (GetFileInformationByHandle(file, info)) {
        facts.directory = (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        facts.reparsePoint = (info->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        facts.links = info->nNumberOfLinks;
        if (IsPlainLogFile(facts)) {
            return file;
        }
    }
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
}

// Under Wine only, writers in several processes take turns on one byte far
// beyond any real length of the file. On Windows an append-only handle keeps
// every write whole at the end and nothing is locked; Wine finds the end and
// writes in two steps, so two processes could land on the same offset. A
// holder that never lets go (any reader may lock) only delays an entry, it
// never loses it.
class AppendTurn
{
public:
    explicit AppendTurn(HANDLE file) : m_file(file)
    {
        if (!WineHost::Detected()) {
            return;
        }
        for (int attempt = 0; attempt < 40; ++attempt) {
            OVERLAPPED at = Where();
            if (LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
                m_bHeld = true;
                return;
            }
            if (GetLastError() != ERROR_LOCK_VIOLATION && GetLastError() != ERROR_IO_PENDING) {
                return;
            }
            Sleep(50);
        }
    }
    AppendTurn(const AppendTurn&) = delete;
    AppendTurn& operator=(const AppendTurn&) = delete;
    ~AppendTurn()
    {
        if (m_bHeld) {
            OVERLAPPED at = Where();
            UnlockFileEx(m_file, 0, 1, 0, &at);
        }
    }

private:
    static OVERLAPPED Where()
    {
        OVERLAPPED at = {};
        at.Offset = 0;
        at.OffsetHigh = 0x7FFFFFFF;
        return at;
    }

    HANDLE m_file;
    bool m_bHeld = false;
};

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b)
{
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

struct RenameInformation
{
    BOOLEAN replaceIfExists;
    HANDLE rootDirectory;
    ULONG fileNameLength;
    WCHAR fileName[1];
};

struct IoStatus
{
    union {
        LONG status;
        PVOID pointer;
    };
    ULONG_PTR information;
};

using SetInformationFileFn = LONG(NTAPI*)(HANDLE, IoStatus*, PVOID, ULONG, int);
constexpr int kFileRenameInformation = 10;

// Renames the open file to a name taken inside the log folder that was
// checked: the new name is resolved from that folder's handle, not from a path.
bool RenameWithin(HANDLE file, HANDLE folder, const std::wstring& relativeName)
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto setInformation = ntdll ? reinterpret_cast<SetInformationFileFn>(reinterpret_cast<void*>(
                                            GetProcAddress(ntdll, "NtSetInformationFile")))
                                      : nullptr;
    if (setInformation == nullptr || relativeName.empty()) {
        return false;
    }
    const std::size_t nameBytes = relativeName.size() * sizeof(WCHAR);
    std::vector<unsigned char> buffer(sizeof(RenameInformation) + nameBytes);
    auto* rename = reinterpret_cast<RenameInformation*>(buffer.data());
    rename->replaceIfExists = TRUE;
    rename->rootDirectory = folder;
    rename->fileNameLength = static_cast<ULONG>(nameBytes);
    std::memcpy(rename->fileName, relativeName.data(), nameBytes);
    IoStatus status = {};
    return setInformation(file, &status, rename, static_cast<ULONG>(buffer.size()), kFileRenameInformation) >=
           0;
}

} // namespace

CLogSaveCloseFile::CLogSaveCloseFile(std::wstring logDir) : CLogBase(std::move(logDir)) {}

CLogSaveCloseFile::~CLogSaveCloseFile() = default;

void CLogSaveCloseFile::WriteText(std::string text, std::string fileName)
{
    CPacketLog packet;
    packet.SetFileName(fileName);
    packet.SetText(text);
    WritePacket(&packet);
}

void CLogSaveCloseFile::WriteHex(const unsigned char* data, int length, std::string fileName)
{
    std::wstring hex = FormatHexText(data, length);
    std::string narrow;
    if (!hex.empty()) {
        // Only hex digits and spaces: the same bytes in every ANSI code page.
        int count = WideCharToMultiByte(CP_ACP, 0, hex.c_str(), static_cast<int>(hex.size()), nullptr, 0,
                                        nullptr, nullptr);
        if (count > 0) {
            narrow.resize(static_cast<std::size_t>(count));
            WideCharToMultiByte(CP_ACP, 0, hex.c_str(), static_cast<int>(hex.size()), &narrow[0], count,
                                nullptr, nullptr);
        }
    }
    CPacketLog packet;
    packet.SetFileName(fileName);
    packet.SetText(narrow);
    WritePacket(&packet);
}

void CLogSaveCloseFile::WritePacket(CPacketLog* packet)
{
    if (packet == nullptr) {
        return;
    }
    // Logging never reports its own failures, and an exception must not reach
    // a worker thread's procedure: whatever goes wrong drops this one entry.
    try {
        std::lock_guard<std::mutex> guard(m_lock);
        WriteEntryLocked(*packet);
    } catch (...) {
    }
}

void CLogSaveCloseFile::WriteEntryLocked(const CPacketLog& packet)
{
    // The bytes are written as they are, so nothing here depends on, or
    // touches, the process's C runtime locale.
    LogFolderFacts folderFacts;
    HANDLE folder = OpenLogFolder(m_strLogDir, &folderFacts);
    HandleCloser folderCloser(folder);
    if (folder == INVALID_HANDLE_VALUE || !IsTrustedLogFolder(folderFacts)) {
        return;
    }

    const std::wstring name = WidenLogName(packet.GetFileName());
    const std::wstring path = m_strLogDir + name;
    BY_HANDLE_FILE_INFORMATION written;
    HANDLE file = OpenPlainFile(path, FILE_READ_DATA | FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS, &written);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    HandleCloser closer(file);
    {
        AppendTurn turn(file);
        WriteAll(file, FormatLogEntry(LocalNow(), packet.GetText()));
    }

    LARGE_INTEGER length;
    if (!GetFileSizeEx(file, &length) || !IsOverRotationSize(static_cast<std::uint64_t>(length.QuadPart))) {
        return;
    }
    closer.Close();
    // Only the very file just written is moved, and only while it is still a
    // plain file with one name; another process may have moved it already.
    BY_HANDLE_FILE_INFORMATION current;
    HANDLE again =
        OpenPlainFile(path, DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING, &current);
    if (again == INVALID_HANDLE_VALUE) {
        return;
    }
    HandleCloser againCloser(again);
    if (SameFile(written, current)) {
        RenameWithin(again, folder, name + L"bak");
    }
}
