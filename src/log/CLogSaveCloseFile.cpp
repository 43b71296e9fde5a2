#include "log/CLogSaveCloseFile.h"

#include "log/LogEntryFormat.h"

#include <windows.h>

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

// Closes the entry's file on every way out, an exception from building the
// entry included: a handle left open without delete sharing would keep the
// file from ever being moved to its backup name.
class FileCloser
{
public:
    explicit FileCloser(HANDLE file) : m_file(file) {}
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;
    ~FileCloser() { Close(); }

    void Close()
    {
        if (m_file != INVALID_HANDLE_VALUE) {
            CloseHandle(m_file);
            m_file = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE m_file;
};

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
    std::wstring path = m_strLogDir + WidenLogName(packet.GetFileName());
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    FileCloser closer(file);

    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    SetFilePointerEx(file, zero, nullptr, FILE_END);
    WriteAll(file, FormatLogEntry(LocalNow(), packet.GetText()));

    LARGE_INTEGER length;
    if (GetFileSizeEx(file, &length) && IsOverRotationSize(static_cast<std::uint64_t>(length.QuadPart))) {
        const std::wstring backup = path + L"bak";
        closer.Close();
        MoveFileExW(path.c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
}
