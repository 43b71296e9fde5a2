#include "repair/RunCommand.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <cwchar>
#include <memory>

namespace {

constexpr DWORD kReadBufferSize = 4096;
constexpr std::size_t kCommandLineSize = 2048;
constexpr DWORD kPauseAfterChunkMs = 500;
// How often an idle pipe is looked at again while the command runs.
constexpr DWORD kIdlePollMs = 20;
// How long an ended command is given to be gone before the next one starts.
constexpr DWORD kEndGraceMs = 5000;

std::atomic<unsigned long> g_timeLimitMs{kDefaultCommandTimeLimitMs};

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// Closed on every way out, an exception included. Closing the job ends
// whatever still runs in it.
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

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

ScopedHandle CreateKillOnCloseJob()
{
    ScopedHandle job(CreateJobObjectW(nullptr, nullptr));
    if (job) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof(limits))) {
            job.reset();
        }
    }
    return job;
}

} // namespace

void SetCommandTimeLimit(unsigned long milliseconds)
{
    g_timeLimitMs = milliseconds;
}

unsigned long GetCommandTimeLimit()
{
    return g_timeLimitMs;
}

void AppendDecodedOutput(const std::string& bytes, unsigned int codePage, std::wstring& output)
{
    if (bytes.empty()) {
        return;
    }
    int count = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (count <= 0) {
        return;
    }
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], count);
    output += wide;
}

bool RunCommand(std::wstring command, std::wstring& output, unsigned long* exitCode)
{
    // The bytes are kept whole and converted once at the end: a double-byte
    // character split between two reads would otherwise turn into two broken
    // halves and could hide the text the caller looks for.
    std::string bytes;
    bool ended = RunCommandBytes(command, bytes, exitCode);
    AppendDecodedOutput(bytes, CP_THREAD_ACP, output);
    return ended;
}

bool RunCommandBytes(std::wstring command, std::string& bytes, unsigned long* exitCode)
{
    const ULONGLONG deadline = GetTickCount64() + g_timeLimitMs;

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
    HANDLE readHandle = nullptr;
    HANDLE writeHandle = nullptr;
    if (!CreatePipe(&readHandle, &writeHandle, &security, 0)) {
        return false;
    }
    ScopedHandle readEnd(readHandle);
    ScopedHandle writeEnd(writeHandle);

    // Without a job the command still runs and is still ended at its time
    // limit, only then the interpreter alone and not what it started.
    ScopedHandle job = CreateKillOnCloseJob();

    STARTUPINFOW startup;
    std::memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    startup.wShowWindow = SW_HIDE;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;

    // Suspended until it is in the job, so that nothing it starts can be
    // outside the job.
    PROCESS_INFORMATION created = {};
    if (!CreateProcessW(interpreter.c_str(), commandBuffer, nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                        systemDir.c_str(), &startup, &created)) {
        return false;
    }
    ScopedHandle process(created.hProcess);
    ScopedHandle thread(created.hThread);
    bool inJob = job && AssignProcessToJobObject(job.get(), process.get());
    if (ResumeThread(thread.get()) == static_cast<DWORD>(-1)) {
        TerminateProcess(process.get(), kCommandTimedOutExitCode);
        WaitForSingleObject(process.get(), kEndGraceMs);
        return false;
    }
    // Only the child's copies keep the pipe open now: the reads end when
    // the interpreter and whatever it started have finished writing.
    writeEnd.reset();

    // The pipe is only read when it holds data, so that a command which
    // neither ends nor writes (or something it started that still holds the
    // pipe) cannot keep this thread past the deadline.
    bool timedOut = false;
    char buffer[kReadBufferSize];
    for (;;) {
        if (GetTickCount64() >= deadline) {
            timedOut = true;
            break;
        }
        DWORD available = 0;
        if (!PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr)) {
            // The writing side has closed the pipe and all was read.
            break;
        }
        if (available == 0) {
            Sleep(kIdlePollMs);
            continue;
        }
        std::memset(buffer, 0, sizeof(buffer));
        DWORD read = 0;
        if (!ReadFile(readEnd.get(), buffer, kReadBufferSize - 1, &read, nullptr)) {
            break;
        }
        // A zero byte ends the text of its chunk.
        bytes.append(buffer, std::strlen(buffer));
        Sleep(kPauseAfterChunkMs);
    }
    readEnd.reset();

    if (!timedOut) {
        ULONGLONG now = GetTickCount64();
        DWORD remaining = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        timedOut = WaitForSingleObject(process.get(), remaining) != WAIT_OBJECT_0;
    }
    if (timedOut) {
        if (inJob) {
            TerminateJobObject(job.get(), kCommandTimedOutExitCode);
        } else {
            TerminateProcess(process.get(), kCommandTimedOutExitCode);
        }
        WaitForSingleObject(process.get(), kEndGraceMs);
        if (exitCode != nullptr) {
            *exitCode = kCommandTimedOutExitCode;
        }
        return false;
    }

    DWORD code = 0;
    if (GetExitCodeProcess(process.get(), &code) && exitCode != nullptr) {
        *exitCode = code;
    }
    return true;
}
