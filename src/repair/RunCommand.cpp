#include "repair/RunCommand.h"

#include <windows.h>

#include "framework/CInheritedHandles.h"

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
std::atomic<bool> g_failJobsForTest{false};

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
    if (g_failJobsForTest) {
        return ScopedHandle();
    }
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

void FailCommandJobsForTest(bool fail)
{
    g_failJobsForTest = fail;
}

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
    // The read end is ours alone, also for a process another thread starts.
    SetHandleInformation(readHandle, HANDLE_FLAG_INHERIT, 0);

    // The command reads nothing; from the null device it finds the end at
    // once, and it is never handed the caller's own standard input.
    HANDLE nullInput = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                                   OPEN_EXISTING, 0, nullptr);
    if (nullInput == INVALID_HANDLE_VALUE) {
        return false;
    }
    ScopedHandle input(nullInput);

    // A command outside its job could leave something running after its
    // time limit or after this call: such a command is not run at all.
    ScopedHandle job = CreateKillOnCloseJob();
    if (!job) {
        return false;
    }

    // Only these two handles reach the command. Whatever else of the caller
    // is inheritable (a deployment system's output pipe, say) stays out of
    // cmd and reg, and so cannot be kept open by them.
    CInheritedHandles inherited({writeEnd.get(), input.get()});
    if (inherited.List() == nullptr) {
        return false;
    }

    STARTUPINFOEXW startup;
    std::memset(&startup, 0, sizeof(startup));
    GetStartupInfoW(&startup.StartupInfo);
    startup.StartupInfo.cb = sizeof(startup);
    // The C runtime passes its file table here; those handles are not inherited.
    startup.StartupInfo.cbReserved2 = 0;
    startup.StartupInfo.lpReserved2 = nullptr;
    startup.StartupInfo.hStdInput = input.get();
    startup.StartupInfo.hStdOutput = writeEnd.get();
    startup.StartupInfo.hStdError = writeEnd.get();
    startup.StartupInfo.wShowWindow = SW_HIDE;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.lpAttributeList = inherited.List();

    // Suspended until it is in the job, so that nothing it starts can be
    // outside the job.
    PROCESS_INFORMATION created = {};
    if (!CreateProcessW(interpreter.c_str(), commandBuffer, nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED | EXTENDED_STARTUPINFO_PRESENT, nullptr, systemDir.c_str(),
                        &startup.StartupInfo, &created)) {
        return false;
    }
    ScopedHandle process(created.hProcess);
    ScopedHandle thread(created.hThread);
    if (!AssignProcessToJobObject(job.get(), process.get()) ||
        ResumeThread(thread.get()) == static_cast<DWORD>(-1)) {
        // Still suspended: it never ran a thing.
        TerminateProcess(process.get(), kCommandTimedOutExitCode);
        WaitForSingleObject(process.get(), kEndGraceMs);
        return false;
    }
    input.reset();
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
        TerminateJobObject(job.get(), kCommandTimedOutExitCode);
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
