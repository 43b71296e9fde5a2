// Repair time against its floor: the same reg commands, each through its own
// cmd /C run back to back without any pause, plus the 500 ms the runner
// waits after each chunk of output. Both are measured here, in one run.
#include "repair/CSystemCommandRunner.h"
#include "repair/RepairCommands.h"
#include "repair/RepairProcedure.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Microsoft\\WindowsSelfHost\\Applicability";
constexpr int kRuns = 5;
constexpr double kTarget = 1.10;

void PrepareState(bool internalPresent)
{
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_64KEY, 0);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const wchar_t one[] = L"1";
    RegSetValueExW(key, L"ThresholdOptedIn", 0, REG_SZ, reinterpret_cast<const BYTE*>(one), sizeof(one));
    if (internalPresent) {
        RegSetValueExW(key, L"ThresholdInternal", 0, REG_SZ, reinterpret_cast<const BYTE*>(one), sizeof(one));
    }
    RegCloseKey(key);
}

double NowMs()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One command through cmd /C, its output drained as fast as it comes.
void RunPlain(const std::wstring& command)
{
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &security, 0)) {
        return;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.wShowWindow = SW_HIDE;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    wchar_t systemDir[MAX_PATH] = {};
    GetSystemDirectoryW(systemDir, MAX_PATH);
    std::wstring interpreter = std::wstring(systemDir) + L"\\cmd.exe";
    std::wstring line = L"cmd /C " + command;
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(interpreter.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, systemDir, &startup,
                       &process)) {
        CloseHandle(writeEnd);
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr)) {
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        CloseHandle(writeEnd);
    }
    CloseHandle(readEnd);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Measure(const char* name, bool internalPresent, const std::vector<std::wstring>& commands)
{
    std::vector<double> repairTimes;
    std::vector<double> floorTimes;
    for (int run = 0; run < kRuns; ++run) {
        PrepareState(internalPresent);
        double start = NowMs();
        CSystemCommandRunner runner;
        RunRepairProcedure(nullptr, runner);
        repairTimes.push_back(NowMs() - start);

        // The floor runs the same commands in the same state, with the
        // same redirection, so only the runner's own cost differs.
        PrepareState(internalPresent);
        PVOID previous = nullptr;
        BOOL wow = FALSE;
        IsWow64Process(GetCurrentProcess(), &wow);
        bool switched = wow && Wow64DisableWow64FsRedirection(&previous);
        start = NowMs();
        for (const std::wstring& command : commands) {
            RunPlain(command);
        }
        floorTimes.push_back(NowMs() - start + 500.0 * static_cast<double>(commands.size()));
        if (switched) {
            Wow64RevertWow64FsRedirection(previous);
        }
    }
    double value = Median(repairTimes);
    double baseline = Median(floorTimes);
    double ratio = value / baseline;
    std::printf("BENCH %s value=%.0fms baseline=%.0fms ratio=%.3f target=%.2f %s\n", name, value, baseline,
                ratio, kTarget, ratio <= kTarget ? "ok" : "over");
    std::fflush(stdout);
}

} // namespace

int main()
{
    Measure("repair_4_commands", true,
            {kCommandAddBranchName, kCommandAddRiskLevel, kCommandDeleteInternal, kCommandDeleteOptedIn});
    Measure("repair_6_commands", false,
            {kCommandAddBranchName, kCommandAddRiskLevel, kCommandDeleteInternal, kCommandAddInternal,
             kCommandDeleteInternal, kCommandDeleteOptedIn});
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_64KEY, 0);
    return 0;
}
