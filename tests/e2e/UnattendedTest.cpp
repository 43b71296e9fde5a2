// The program started by a deployment system: switches, exit code, one
// line of output through a pipe, and never a window.
#include "CJournal.h"
#include "E2eFixture.h"
#include "E2ePaths.h"
#include "Poll.h"
#include "RegistryValues.h"

#include <thread>

namespace {

const char kKeyPath[] = "SOFTWARE\\Microsoft\\WindowsSelfHost\\Applicability";
const char kRepairedValues[] =
    "BranchName=fbl_release ThresholdRiskLevel=low ThresholdInternal=absent ThresholdOptedIn=absent";

struct Outcome
{
    DWORD code = 0xFFFFFFFF;
    std::string output;
    size_t windowsSeen = 0;
};

// Starts the tool as a parent program would, with its output in a pipe, and
// watches its top-level windows (hidden ones too) until it ends.
Outcome RunWith(CToolRun& run, const std::wstring& arguments)
{
    Outcome outcome;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        ADD_FAILURE() << "no pipe";
        return outcome;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    bool started = run.Start(arguments, writeEnd);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        ADD_FAILURE() << "not started";
        return outcome;
    }
    bool ended = PollUntil(
        [&] {
            outcome.windowsSeen += TopWindowsOf(run.ProcessId(), false).size();
            return !run.IsRunning();
        },
        60000, 5);
    EXPECT_TRUE(ended) << Utf8(arguments) << " did not end";
    run.WaitForExit(5000, &outcome.code);
    // Only what is there: the first program of a Wine session also starts the
    // session's desktop process, which keeps a copy of the write end open.
    char buffer[4096];
    DWORD available = 0;
    while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        DWORD got = 0;
        if (!ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) || got == 0)
            break;
        outcome.output.append(buffer, got);
    }
    CloseHandle(readEnd);
    return outcome;
}

FILETIME KeyWriteTime()
{
    FILETIME time = {};
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) ==
        ERROR_SUCCESS) {
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, &time);
        RegCloseKey(key);
    }
    return time;
}

bool SameTime(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

std::string Value64(const wchar_t* name)
{
    std::wstring v;
    return ReadRepairValue(KEY_WOW64_64KEY, name, &v) ? Utf8(v) : "<absent>";
}

void MakeBroken()
{
    ASSERT_TRUE(WriteRepairValue(KEY_WOW64_64KEY, L"BranchName", L"rs_prerelease"));
    ASSERT_TRUE(WriteRepairValue(KEY_WOW64_64KEY, L"ThresholdInternal", L"1"));
    ASSERT_TRUE(WriteRepairValue(KEY_WOW64_64KEY, L"ThresholdOptedIn", L"1"));
}

const char kBrokenValues[] =
    "BranchName=rs_prerelease ThresholdRiskLevel=absent ThresholdInternal=1 ThresholdOptedIn=1";

void ExpectRepairedIn64BitViewOnly()
{
    EXPECT_EQ(Value64(L"BranchName"), "fbl_release");
    EXPECT_EQ(Value64(L"ThresholdRiskLevel"), "low");
    EXPECT_EQ(Value64(L"ThresholdInternal"), "<absent>");
    EXPECT_EQ(Value64(L"ThresholdOptedIn"), "<absent>");
    for (const wchar_t* name :
         {L"BranchName", L"ThresholdRiskLevel", L"ThresholdInternal", L"ThresholdOptedIn"})
        EXPECT_FALSE(ReadRepairValue(KEY_WOW64_32KEY, name, nullptr)) << "in the 32-bit view: " << Utf8(name);
}

} // namespace

class Unattended : public E2eFixture
{
};

TEST_F(Unattended, CheckRepairCheckRepairOnABrokenPc)
{
    MakeBroken();
    CToolRun run(L"unattended");
    PrepareStandardRun(run);

    Outcome check = RunWith(run, L"/check");
    EXPECT_EQ(check.code, 1u);
    EXPECT_EQ(check.output,
              std::string("Stellwick 1.8.22.1024 check: needs-repair ") + kBrokenValues + "\r\n");
    EXPECT_EQ(Value64(L"BranchName"), "rs_prerelease") << "the check changed something";
    FILETIME beforeRepair = KeyWriteTime();

    Outcome repair = RunWith(run, L"/REPAIR");
    EXPECT_EQ(repair.code, 3010u);
    EXPECT_EQ(repair.output, std::string("Stellwick 1.8.22.1024 repair: repaired ") + kRepairedValues +
                                 " restart=needed\r\n");
    ExpectRepairedIn64BitViewOnly();
    FILETIME afterRepair = KeyWriteTime();
    EXPECT_FALSE(SameTime(beforeRepair, afterRepair)) << "the key's write time does not show a reg run";

    Outcome recheck = RunWith(run, L"-check");
    EXPECT_EQ(recheck.code, 0u);
    EXPECT_EQ(recheck.output,
              std::string("Stellwick 1.8.22.1024 check: repaired ") + kRepairedValues + "\r\n");

    Outcome again = RunWith(run, L"/repair");
    EXPECT_EQ(again.code, 0u);
    EXPECT_EQ(again.output,
              std::string("Stellwick 1.8.22.1024 repair: already-repaired ") + kRepairedValues + "\r\n");
    EXPECT_TRUE(SameTime(afterRepair, KeyWriteTime())) << "reg ran although nothing was to do";

    for (const Outcome* o : {&check, &repair, &recheck, &again})
        EXPECT_EQ(o->windowsSeen, 0u) << "a window of the tool appeared";
    EXPECT_TRUE(FileExists(run.PathOf(L"Stellwick.exe")));
    EXPECT_TRUE(FileExists(run.PathOf(L"TorvaneFeedbackInformation.dll")));
    EXPECT_TRUE(CJournal::Lines().empty()) << "the support component was called";
    // Every result is left in the repair log for the technician.
    std::string log = ReadWholeFile(RepairLogFile());
    EXPECT_NE(log.find("check: needs-repair " + std::string(kBrokenValues) + "\r\r\n"), std::string::npos)
        << log;
    EXPECT_NE(log.find("repair: repaired "), std::string::npos) << log;
    EXPECT_NE(log.find("repair: already-repaired "), std::string::npos) << log;
}

TEST_F(Unattended, WrongSwitchesChangeNothingAndNeedNoLibrary)
{
    MakeBroken();
    CToolRun run(L"unattended-usage");
    ASSERT_TRUE(run.AddProgram());
    for (const wchar_t* arguments :
         {L"/fix", L"/check /repair", L"/repair -Repair", L"/restart", L"/repair now"}) {
        SCOPED_TRACE(Utf8(arguments));
        Outcome wrong = RunWith(run, arguments);
        EXPECT_EQ(wrong.code, 2u);
        EXPECT_EQ(wrong.output.rfind("Stellwick: ", 0), 0u) << wrong.output;
        EXPECT_NE(wrong.output.find("Usage: Stellwick.exe"), std::string::npos) << wrong.output;
        EXPECT_EQ(wrong.windowsSeen, 0u);
    }
    Outcome help = RunWith(run, L"/?");
    EXPECT_EQ(help.code, 0u);
    EXPECT_EQ(help.output.rfind("Usage: Stellwick.exe", 0), 0u) << help.output;

    EXPECT_EQ(Value64(L"BranchName"), "rs_prerelease");
    EXPECT_EQ(Value64(L"ThresholdRiskLevel"), "<absent>");
    EXPECT_EQ(Value64(L"ThresholdInternal"), "1");
    EXPECT_FALSE(FileExists(RepairLogFile())) << "arguments it refused were logged";

    // Without the support library the unattended mode still works.
    Outcome check = RunWith(run, L"/check");
    EXPECT_EQ(check.code, 1u);
    EXPECT_EQ(check.windowsSeen, 0u);
}

TEST_F(Unattended, TwoRepairsAtOnceTakeTurns)
{
    CToolRun first(L"unattended-first");
    CToolRun second(L"unattended-second");
    PrepareStandardRun(first);
    PrepareStandardRun(second);
    // Started together and a little apart, as two deployment jobs would.
    for (DWORD apartMs : {0u, 300u, 0u, 300u}) {
        SCOPED_TRACE(apartMs);
        MakeBroken();
        Outcome one, two;
        std::thread other([&] { one = RunWith(first, L"/repair"); });
        Sleep(apartMs);
        two = RunWith(second, L"/repair");
        other.join();
        // Whichever came second waited and found nothing left to do.
        const Outcome& repaired = one.code == 3010u ? one : two;
        const Outcome& waited = one.code == 3010u ? two : one;
        EXPECT_EQ(repaired.output, std::string("Stellwick 1.8.22.1024 repair: repaired ") + kRepairedValues +
                                       " restart=needed\r\n");
        EXPECT_EQ(waited.code, 0u);
        EXPECT_EQ(waited.output,
                  std::string("Stellwick 1.8.22.1024 repair: already-repaired ") + kRepairedValues + "\r\n");
        ExpectRepairedIn64BitViewOnly();
    }
}

TEST_F(Unattended, ExpandableStringIsNotTheRepairedStateAndTheRestartIsRequested)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = L"fbl_release";
    ASSERT_EQ(RegSetValueExW(key, L"BranchName", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(text),
                             sizeof text),
              ERROR_SUCCESS);
    ASSERT_TRUE(WriteRepairValue(KEY_WOW64_64KEY, L"ThresholdRiskLevel", L"low"));
    CToolRun run(L"unattended-expand");
    PrepareStandardRun(run);

    Outcome check = RunWith(run, L"/check");
    EXPECT_EQ(check.code, 1u);
    EXPECT_EQ(check.output, "Stellwick 1.8.22.1024 check: needs-repair BranchName=<REG_EXPAND_SZ>fbl_release "
                            "ThresholdRiskLevel=low ThresholdInternal=absent ThresholdOptedIn=absent\r\n");

    // Wine's shutdown request does nothing and reports success, so the
    // session outlives the accepted restart.
    Outcome repair = RunWith(run, L"/repair /restart");
    EXPECT_EQ(repair.code, 1641u);
    EXPECT_EQ(repair.output, std::string("Stellwick 1.8.22.1024 repair: repaired ") + kRepairedValues +
                                 " restart=requested\r\n");
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"BranchName", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    RegCloseKey(key);
}

// Run in the prefix with the English locale, where reg prints no Chinese success text.
class UnattendedOtherLanguage : public E2eFixture
{
};

TEST_F(UnattendedOtherLanguage, RepairGoesByTheExitCodes)
{
    MakeBroken();
    CToolRun run(L"unattended-english");
    PrepareStandardRun(run);
    Outcome repair = RunWith(run, L"/repair");
    EXPECT_EQ(repair.code, 3010u) << repair.output;
    EXPECT_EQ(repair.output, std::string("Stellwick 1.8.22.1024 repair: repaired ") + kRepairedValues +
                                 " restart=needed\r\n");
    ExpectRepairedIn64BitViewOnly();
    EXPECT_EQ(repair.windowsSeen, 0u);
}

// Run in the Windows 8.1 prefix.
class UnattendedOldWindows : public E2eFixture
{
};

TEST_F(UnattendedOldWindows, RefusedWithExitCode4)
{
    MakeBroken();
    CToolRun run(L"unattended-old");
    PrepareStandardRun(run);
    for (const wchar_t* arguments : {L"/check", L"/repair"}) {
        Outcome refused = RunWith(run, arguments);
        EXPECT_EQ(refused.code, 4u);
        EXPECT_EQ(refused.output, std::string("Stellwick 1.8.22.1024 ") +
                                      (arguments[1] == L'c' ? "check" : "repair") +
                                      ": unsupported-system\r\n");
        EXPECT_EQ(refused.windowsSeen, 0u);
    }
    EXPECT_EQ(Value64(L"BranchName"), "rs_prerelease");
    EXPECT_EQ(Value64(L"ThresholdInternal"), "1");
    EXPECT_TRUE(CJournal::Lines().empty());
}
