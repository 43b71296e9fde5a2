#include "repair/RunCommand.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {

constexpr DWORD kReadBufferSize = 4096;
constexpr std::size_t kCommandLineSize = 2048;
constexpr DWORD kPauseAfterChunkMs = 500;

// Full path of the interpreter in the system folder, so that a cmd.exe lying
// in our own folder or the current directory is never the one started. With
// file-system redirection switched off on this thread that is the 64-bit one.
bool GetSystemDirectoryPath(std::wstring& directory)
{
    wchar_t path[MAX_PATH + 1] = {};
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    directory.assign(path, length);
    return true;
}

void AppendConverted(const std::string& bytes, std::wstring& output)
{
    if (bytes.empty()) {
        return;
    }
    int count =
        MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (count <= 0) {
        return;
    }
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], count);
    output += wide;
}

} // namespace

bool RunCommand(std::wstring command, std::wstring& output, unsigned long* exitCode)
{
    std::wstring systemDir;
    if (!GetSystemDirectoryPath(systemDir)) {
        return false;
    }
    std::wstring interpreter = systemDir + L"\\cmd.exe";

    // /D: no AutoRun command from the registry runs before ours.
    std::wstring commandLine = L"cmd /D /C " + command;
    if (commandLine.size() >= kCommandLineSize) {
        // Cutting it short would run a different command.
        return false;
    }
    wchar_t commandBuffer[kCommandLineSize] = {};
    std::wmemcpy(commandBuffer, commandLine.c_str(), commandLine.size());

    SECURITY_ATTRIBUTES security = {};
    security.nLength = sizeof(security);
    security.bInheritHandle = TRUE;
    security.lpSecurityDescriptor = nullptr;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &security, 0)) {
        return false;
    }

    STARTUPINFOW startup;
    std::memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.wShowWindow = SW_HIDE;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;

    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(interpreter.c_str(), commandBuffer, nullptr, nullptr, TRUE, 0, nullptr,
                        systemDir.c_str(), &startup, &process)) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return false;
    }
    // Only the child's copies keep the pipe open now: the reads end when
    // the interpreter and whatever it started have finished writing.
    CloseHandle(writeEnd);

    // The bytes are kept whole and converted once at the end: a double-byte
    // character split between two reads would otherwise turn into two broken
    // halves and could hide the text the caller looks for.
    std::string bytes;
    char buffer[kReadBufferSize];
    for (;;) {
        std::memset(buffer, 0, sizeof(buffer));
        DWORD read = 0;
        if (!ReadFile(readEnd, buffer, kReadBufferSize - 1, &read, nullptr)) {
            break;
        }
        // A zero byte ends the text of its chunk.
        bytes.append(buffer, std::strlen(buffer));
        Sleep(kPauseAfterChunkMs);
    }
    CloseHandle(readEnd);

    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    if (GetExitCodeProcess(process.hProcess, &code) && exitCode != nullptr) {
        *exitCode = code;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    AppendConverted(bytes, output);
    return true;
}
