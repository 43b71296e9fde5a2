#include "app/UnattendedMode.h"

#include "app/UnattendedArguments.h"
#include "app/UnattendedResult.h"
#include "log/CLogSave.h"
#include "repair/CRegistryRepair.h"
#include "repair/CRepairLock.h"
#include "repair/CRepairSequence.h"
#include "repair/CSystemCommandRunner.h"
#include "repair/ReadApplicabilityState.h"
#include "repair/RepairProcedure.h"
#include "repair/RepairLogLines.h"

#include <windows.h>

#include <shellapi.h>

namespace {

constexpr UINT kLogCodePage = 936;

std::string Narrow(const std::wstring& text, UINT codePage)
{
    if (text.empty()) {
        return std::string();
    }
    int size = static_cast<int>(text.size());
    int count = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (count <= 0) {
        return std::string();
    }
    std::string narrow(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, &narrow[0], count, nullptr, nullptr);
    return narrow;
}

void WriteConsoleText(HANDLE console, const std::wstring& text)
{
    DWORD written = 0;
    WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// A GUI program has no console of its own. Redirected output (a pipe, a file)
// is what deployment systems capture, so it takes the text as UTF-8; started
// from a console window the text goes to that console instead.
void WriteToOutput(const std::wstring& text)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) {
        DWORD mode = 0;
        if (GetConsoleMode(out, &mode)) {
            WriteConsoleText(out, text);
            return;
        }
        std::string utf8 = Narrow(text, CP_UTF8);
        DWORD written = 0;
        WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
        return;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
        WriteConsoleText(console, text);
        CloseHandle(console);
    }
    FreeConsole();
}

void WriteRepairLog(const char* line)
{
    CLogSave::GetInstance()->WriteLog(line, kRepairLogFile, true);
}

// The repair itself, from the judgement of the values to their read-back,
// all under the machine-wide lock.
void RepairLocked(UnattendedResult& result)
{
    CRepairLock lock;
    if (const char* lockFailure = AcquireRepairLock(lock)) {
        WriteRepairLog(lockFailure);
        result.verdict = UnattendedVerdict::Failed;
        result.step = RepairStepName(lockFailure);
        return;
    }
    // Judged again now that no other run can be changing the values: one
    // that held the lock while this run waited has usually repaired them,
    // and one that is half-way through can make them look right for a moment.
    ApplicabilityState now;
    if (ReadApplicabilityState(now) != StateReadResult::Read) {
        result.state.reset();
        result.verdict = UnattendedVerdict::Unreadable;
        return;
    }
    result.state = now;
    if (now.IsRepaired()) {
        // Nothing to do: no reg runs, so a deployment system may call this
        // on every PC as often as it likes.
        result.verdict = UnattendedVerdict::AlreadyRepaired;
        return;
    }
    // The window's steps, with the same commands and log lines, but also
    // counting a command that ended with 0 as gone through: this mode runs
    // on PCs of every display language.
    CSystemCommandRunner runner;
    RepairOutcome outcome = RunRepairSteps(runner, CRepairSequence::Judgement::SuccessTextOrExitCodeZero);
    if (!outcome.success && outcome.failureLine != nullptr) {
        WriteRepairLog(outcome.failureLine);
    }

    // The verdict is what the registry holds afterwards, not what the
    // commands printed.
    ApplicabilityState after;
    if (ReadApplicabilityState(after) != StateReadResult::Read) {
        result.state.reset();
        result.verdict = outcome.success ? UnattendedVerdict::Unreadable : UnattendedVerdict::Failed;
        result.step = outcome.success ? std::wstring() : RepairStepName(outcome.failureLine);
        return;
    }
    result.state = after;
    if (!outcome.success) {
        result.verdict = UnattendedVerdict::Failed;
        result.step = RepairStepName(outcome.failureLine);
        return;
    }
    if (!after.IsRepaired()) {
        result.verdict = UnattendedVerdict::Failed;
        result.step = L"verify";
        return;
    }
    result.verdict = UnattendedVerdict::Repaired;
}

void Repair(const UnattendedArguments& arguments, CRegistryRepair& repair, UnattendedResult& result)
{
    RepairLocked(result);
    if (result.verdict != UnattendedVerdict::Repaired) {
        return;
    }
    if (!arguments.restart) {
        result.restart = UnattendedRestart::Needed;
        return;
    }
    // The request returns before the system goes down, so the result line
    // still reaches the log and the caller. Deployment systems run this as
    // the system account, which has no desktop session to log off: the
    // system's own shutdown request is the one that works for it.
    unsigned long error = 0;
    if (repair.RequestSystemRestart(&error)) {
        result.restart = UnattendedRestart::Requested;
    } else {
        result.restart = UnattendedRestart::Refused;
        result.restartError = error;
    }
}

void Run(const UnattendedArguments& arguments, UnattendedResult& result)
{
    CRegistryRepair repair;
    if (!repair.IsSupportedSystem()) {
        result.verdict = UnattendedVerdict::Unsupported;
        return;
    }
    ApplicabilityState state;
    if (ReadApplicabilityState(state) != StateReadResult::Read) {
        result.verdict = UnattendedVerdict::Unreadable;
        return;
    }
    result.state = state;
    if (arguments.action == UnattendedAction::Check) {
        result.verdict = state.IsRepaired() ? UnattendedVerdict::Repaired : UnattendedVerdict::NeedsRepair;
        return;
    }
    Repair(arguments, repair, result);
}

} // namespace

std::vector<std::wstring> CommandLineArguments()
{
    std::vector<std::wstring> arguments;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (list == nullptr) {
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        arguments.emplace_back(list[i]);
    }
    LocalFree(list);
    return arguments;
}

int RunUnattended(const std::vector<std::wstring>& arguments)
{
    UnattendedArguments parsed = ParseUnattendedArguments(arguments);
    if (parsed.action == UnattendedAction::Invalid) {
        // Nothing read, nothing written, not even the log.
        WriteToOutput(L"Stellwick: " + parsed.problem + L"\r\n" + UnattendedUsage());
        return kExitBadArguments;
    }
    if (parsed.action == UnattendedAction::Usage) {
        WriteToOutput(UnattendedUsage());
        return kExitOk;
    }

    UnattendedResult result;
    result.action = parsed.action;
    Run(parsed, result);
    std::wstring line = FormatUnattendedResult(result);
    // The log keeps the outcome on the PC for the technician who comes later.
    WriteRepairLog(Narrow(line, kLogCodePage).c_str());
    WriteToOutput(line + L"\r\n");
    return UnattendedExitCode(result);
}
