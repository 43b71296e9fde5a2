// The repair against the real cmd, reg and registry: in the default 64-bit
// prefix (redirection switched off and back on) and in a 32-bit prefix.
#include "repair/CRegistryRepair.h"
#include "repair/CRepairLock.h"
#include "repair/RepairCommands.h"
#include "repair/RepairLogLines.h"
#include "repair/RepairProcedure.h"
#include "repair/RunCommand.h"

#include "RecordingRunner.h"
#include "RepairRegistryState.h"
#include "RepairWindow.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace wintest;

const std::wstring C1 = kCommandAddBranchName;
const std::wstring C2 = kCommandAddRiskLevel;
const std::wstring C3 = kCommandDeleteInternal;
const std::wstring C4 = kCommandAddInternal;
const std::wstring C6 = kCommandDeleteOptedIn;

bool Is64BitPrefix()
{
    return EnvA("STELLWICK_WINE_ARCH") != "win32";
}

std::wstring RepairLogPath()
{
    return CommonAppData() + L"ToolLog\\Stellwick.txt";
}

// Runs the real commands, except that one of them is swapped: it answers
// "access denied" without running, or runs something that never ends.
class SwappingRunner : public RecordingRunner
{
public:
    SwappingRunner(std::wstring swapped, std::wstring replacement)
        : m_swapped(std::move(swapped)), m_replacement(std::move(replacement))
    {
    }

    bool RunWithReadings(const std::wstring& command, std::vector<std::wstring>& readings,
                         unsigned long* exitCode = nullptr) override
    {
        if (command != m_swapped) {
            return RecordingRunner::RunWithReadings(command, readings, exitCode);
        }
        Record(command);
        if (m_replacement.empty()) {
            readings.assign(1, L"错误: 拒绝访问。\r\n");
            return true;
        }
        return m_real.RunWithReadings(m_replacement, readings, exitCode);
    }

private:
    std::wstring m_swapped;
    std::wstring m_replacement;
};

// Another run holding the repair lock: a helper process that takes it and
// never ends. Killing it leaves the lock abandoned.
HANDLE StartLockHolder()
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION holder = {};
    std::wstring line = L"\"" + ExeDir() + L"repair_output_helper.exe\" holdlock";
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &holder)) {
        return nullptr;
    }
    CloseHandle(holder.hThread);
    for (int i = 0; i < 100; ++i) {
        Sleep(100);
        HANDLE lock = OpenMutexW(SYNCHRONIZE, FALSE, kRepairLockName);
        DWORD waited = lock != nullptr ? WaitForSingleObject(lock, 0) : WAIT_FAILED;
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
            ReleaseMutex(lock);
        }
        if (lock != nullptr) {
            CloseHandle(lock);
        }
        if (waited == WAIT_TIMEOUT) {
            return holder.hProcess;
        }
    }
    ADD_FAILURE() << "the helper did not take the lock";
    return holder.hProcess;
}

void KillLockHolder(HANDLE holder)
{
    TerminateProcess(holder, 9);
    WaitForSingleObject(holder, 5000);
    CloseHandle(holder);
}

class RepairProcedure : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteRepairKey();
        if (Is64BitPrefix()) {
            ASSERT_TRUE(PlantViewProbe());
            ASSERT_EQ(SeesNativeSystemFolder(), k64BitBuild)
                << "the test thread itself must start redirected";
        }
    }
    void TearDown() override { DeleteRepairKey(); }

    void SetFaultyState(bool internalPresent, bool optedInPresent)
    {
        ASSERT_TRUE(SetRepairValue(L"BranchName", L"rs_prerelease"));
        ASSERT_TRUE(SetRepairValue(L"ThresholdRiskLevel", L"high"));
        if (internalPresent) {
            ASSERT_TRUE(SetRepairValue(L"ThresholdInternal", L"1"));
        }
        if (optedInPresent) {
            ASSERT_TRUE(SetRepairValue(L"ThresholdOptedIn", L"1"));
        }
    }

    // Runs the procedure on a thread of its own, as the worker would, and
    // reports whether that thread saw the native system folder afterwards.
    bool RunOnWorker(RecordingRunner& runner, bool* sawNativeAfter)
    {
        bool result = false;
        std::thread worker([&] {
            result = RunRepairProcedure(nullptr, runner);
            *sawNativeAfter = SeesNativeSystemFolder();
        });
        worker.join();
        return result;
    }

    void ExpectRepairedState()
    {
        std::wstring data;
        ASSERT_TRUE(GetRepairValue(L"BranchName", &data));
        EXPECT_EQ(data, L"fbl_release");
        ASSERT_TRUE(GetRepairValue(L"ThresholdRiskLevel", &data));
        EXPECT_EQ(data, L"low");
        EXPECT_FALSE(GetRepairValue(L"ThresholdInternal", nullptr));
        EXPECT_FALSE(GetRepairValue(L"ThresholdOptedIn", nullptr));

        // The system's own reg sees the same in the native view.
        std::wstring query =
            L"reg query \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WindowsSelfHost\\Applicability\"";
        std::wstring output;
        ASSERT_TRUE(RunCommand(query + (Is64BitPrefix() ? L" /reg:64" : L""), output));
        EXPECT_NE(output.find(L"BranchName    REG_SZ    fbl_release"), std::wstring::npos) << output.size();
        EXPECT_NE(output.find(L"ThresholdRiskLevel    REG_SZ    low"), std::wstring::npos);
        EXPECT_EQ(output.find(L"ThresholdInternal"), std::wstring::npos);
        EXPECT_EQ(output.find(L"ThresholdOptedIn"), std::wstring::npos);

        if (Is64BitPrefix()) {
            // Nothing landed in the 32-bit view (WOW6432Node).
            EXPECT_FALSE(RepairKeyExists(KEY_WOW64_32KEY));
            std::wstring wowOutput;
            ASSERT_TRUE(RunCommand(query + L" /reg:32", wowOutput));
            EXPECT_EQ(wowOutput.find(L"fbl_release"), std::wstring::npos);
        }
    }
};

TEST_F(RepairProcedure, ArchitectureIsDetected)
{
    EXPECT_EQ(IsWow64(), RunsUnderWow64());
    BOOL flag = 7;
    EXPECT_TRUE(QueryWow64Process(GetCurrentProcess(), &flag));
    EXPECT_EQ(flag != FALSE, RunsUnderWow64());
}

TEST_F(RepairProcedure, InternalPresentRunsFourCommands)
{
    SetFaultyState(true, true);
    RecordingRunner runner;
    bool sawNativeAfter = true;
    EXPECT_TRUE(RunOnWorker(runner, &sawNativeAfter));
    EXPECT_EQ(runner.m_commands, (std::vector<std::wstring>{C1, C2, C3, C6}));
    for (bool saw : runner.m_sawNativeFolder) {
        EXPECT_EQ(saw, Is64BitPrefix());
    }
    EXPECT_EQ(sawNativeAfter, k64BitBuild);
    ExpectRepairedState();
}

TEST_F(RepairProcedure, InternalAbsentRunsAllSixCommands)
{
    SetFaultyState(false, true);
    RecordingRunner runner;
    bool sawNativeAfter = true;
    EXPECT_TRUE(RunOnWorker(runner, &sawNativeAfter));
    EXPECT_EQ(runner.m_commands, (std::vector<std::wstring>{C1, C2, C3, C4, C3, C6}));
    for (bool saw : runner.m_sawNativeFolder) {
        EXPECT_EQ(saw, Is64BitPrefix());
    }
    EXPECT_EQ(sawNativeAfter, k64BitBuild);
    ExpectRepairedState();
}

TEST_F(RepairProcedure, OptedInAbsentStillSucceeds)
{
    SetFaultyState(true, false);
    RecordingRunner runner;
    bool sawNativeAfter = true;
    EXPECT_TRUE(RunOnWorker(runner, &sawNativeAfter));
    EXPECT_EQ(runner.m_commands, (std::vector<std::wstring>{C1, C2, C3, C6}));
    ExpectRepairedState();
}

TEST_F(RepairProcedure, ThreadFormatLocaleOtherThanTheConsolesStillFindsSuccess)
{
    ASSERT_EQ(GetOEMCP(), 936u) << "needs a Chinese console code page";
    SetFaultyState(false, true);
    RecordingRunner runner;
    bool premise = false;
    bool result = false;
    std::thread worker([&] {
        // An English format locale: the thread's ANSI code page becomes 1252,
        // while reg still writes GBK.
        ASSERT_TRUE(SetThreadLocale(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT)));
        std::wstring output;
        ASSERT_TRUE(RunCommand(
            L"reg add \"HKEY_CURRENT_USER\\Software\\StellwickRunnerTest\" /v V /d x /t REG_SZ /f", output));
        premise = output.find(L"操作成功完成") == std::wstring::npos;
        result = RunRepairProcedure(nullptr, runner);
    });
    worker.join();
    ASSERT_TRUE(premise) << "the thread's code page did not change the reading";
    EXPECT_TRUE(result);
    EXPECT_EQ(runner.m_commands, (std::vector<std::wstring>{C1, C2, C3, C4, C3, C6}));
    ExpectRepairedState();
}

TEST_F(RepairProcedure, FailuresAfterTheStepsRanLeaveTheirLine)
{
    struct Case
    {
        const char* name;
        std::wstring swapped;
        std::wstring replacement;
        const char* line;
        std::vector<std::wstring> ran;
    };
    const std::wstring hang = L"\"" + ExeDir() + L"repair_output_helper.exe\" hang";
    const Case cases[] = {
        // reg refused the last deletion: its output is not judged, the
        // registry read back afterwards is.
        {"last command denied", C6, L"", kLogVerifyFailed, {C1, C2, C3, C6}},
        // A command that never ends fails its own step at the time limit.
        {"second command hangs", C2, hang, kLogRunAddRiskLevelFailed, {C1, C2}},
    };
    struct LimitRestorer
    {
        ~LimitRestorer() { SetCommandTimeLimit(kDefaultCommandTimeLimitMs); }
    } restorer;
    SetCommandTimeLimit(3000);

    for (const Case& c : cases) {
        SetFaultyState(true, true);
        DeleteFileW(RepairLogPath().c_str());
        SwappingRunner runner(c.swapped, c.replacement);
        bool sawNativeAfter = true;
        ULONGLONG start = GetTickCount64();
        EXPECT_FALSE(RunOnWorker(runner, &sawNativeAfter)) << c.name;
        EXPECT_LT(GetTickCount64() - start, 20000u) << c.name;
        EXPECT_EQ(runner.m_commands, c.ran) << c.name;
        std::string log = ReadBytes(RepairLogPath());
        ASSERT_GE(log.size(), std::strlen(c.line) + 3) << c.name;
        EXPECT_EQ(log.substr(log.size() - std::strlen(c.line) - 3), std::string(c.line) + "\r\r\n") << c.name;
        EXPECT_EQ(sawNativeAfter, k64BitBuild) << c.name;
    }
    // The first step's change stays: nothing is undone.
    std::wstring data;
    EXPECT_TRUE(GetRepairValue(L"BranchName", &data));
    EXPECT_EQ(data, L"fbl_release");
}

TEST_F(RepairProcedure, WorkerThreadDeliversBothMessagesInOrder)
{
    SetFaultyState(false, true);
    RepairWindow window;
    CRegistryRepair repair;
    EXPECT_FALSE(repair.SetNotifyWindow(nullptr));
    ASSERT_TRUE(repair.SetNotifyWindow(window.Window()));
    ASSERT_TRUE(repair.StartRepair());
    window.WaitForResult();

    ASSERT_EQ(window.m_received.size(), 2u);
    EXPECT_EQ(window.m_received[0].first, WM_REPAIR_CLOSE_PROMPT);
    EXPECT_EQ(window.m_received[0].second, 0u);
    EXPECT_EQ(window.m_received[1].first, WM_REPAIR_RESULT);
    EXPECT_EQ(window.m_received[1].second, REPAIR_RESULT_SUCCESS);
    ExpectRepairedState();
}

} // namespace

namespace {

TEST_F(RepairProcedure, WindowsRepairWaitsForTheLockAndTakesOverAnAbandonedOne)
{
    struct LimitRestorer
    {
        ~LimitRestorer() { SetCommandTimeLimit(kDefaultCommandTimeLimitMs); }
    } restorer;

    // Held by another run: the worker waits, the progress prompt still up (no
    // message yet). That run is killed, and the worker takes the lock over.
    SetFaultyState(false, true);
    HANDLE holder = StartLockHolder();
    ASSERT_NE(holder, nullptr);
    RepairWindow window;
    CRegistryRepair repair;
    ASSERT_TRUE(repair.SetNotifyWindow(window.Window()));
    ASSERT_TRUE(repair.StartRepair());
    Sleep(2000);
    std::wstring data;
    ASSERT_TRUE(GetRepairValue(L"BranchName", &data));
    EXPECT_EQ(data, L"rs_prerelease") << "a command ran while another run held the lock";
    KillLockHolder(holder);
    window.WaitForResult();
    ASSERT_EQ(window.m_received.size(), 2u);
    EXPECT_EQ(window.m_received[1].second, REPAIR_RESULT_SUCCESS);
    ExpectRepairedState();

    // Held for longer than a repair can take (seven command time limits):
    // the repair fails before its first command and says why in the log.
    SetFaultyState(true, true);
    DeleteFileW(RepairLogPath().c_str());
    SetCommandTimeLimit(1000);
    holder = StartLockHolder();
    RecordingRunner runner;
    bool sawNativeAfter = true;
    ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(RunOnWorker(runner, &sawNativeAfter));
    EXPECT_GE(GetTickCount64() - start, 7000u - 50u);
    KillLockHolder(holder);
    EXPECT_TRUE(runner.m_commands.empty());
    std::string log = ReadBytes(RepairLogPath());
    std::string line = std::string(kLogRepairLockTimedOut) + "\r\r\n";
    ASSERT_GE(log.size(), line.size());
    EXPECT_EQ(log.substr(log.size() - line.size()), line);
}

} // namespace
