#include "repair/CRepairSequence.h"
#include "repair/RepairCommands.h"
#include "repair/RepairLogLines.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

const std::wstring kKey = L"\"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WindowsSelfHost\\Applicability\"";
const std::wstring C1 = L"reg add " + kKey + L" /v \"BranchName\" /d \"fbl_release\" /t REG_SZ /f";
const std::wstring C2 = L"reg add " + kKey + L" /v \"ThresholdRiskLevel\" /d \"low\" /t REG_SZ /f";
const std::wstring C3 = L"reg delete " + kKey + L" /v \"ThresholdInternal\" /f";
const std::wstring C4 = L"reg add " + kKey + L" /v \"ThresholdInternal\" /d \"\" /t REG_SZ /f";
const std::wstring C6 = L"reg delete " + kKey + L" /v \"ThresholdOptedIn\" /f";

const std::wstring kOk = L"reg: 操作成功完成\r\n";
const std::wstring kMissing = L"reg: 找不到所指定的注册表值\r\n";
// The GBK bytes of kOk read as code page 1252: a thread whose format locale
// is English on a Chinese system.
const std::wstring kOkReadAs1252 =
    L"reg: \u00B2\u00D9\u00D7\u00F7\u00B3\u00C9\u00B9\u00A6\u00CD\u00EA\u00B3\u00C9\r\n";

struct Reply
{
    bool started = true;
    std::wstring output;
    unsigned long exitCode = 0;
    // Further readings of the same output in other code pages.
    std::vector<std::wstring> otherReadings;
};

// Answers each command from a script; the nth run of the same text takes the
// nth reply (C3 and C5 share their text). Unscripted commands succeed.
class ScriptedRunner : public ICommandRunner
{
public:
    void Script(const std::wstring& command, std::vector<Reply> replies)
    {
        m_replies[command] = std::move(replies);
    }

    bool Run(const std::wstring& command, std::wstring& output, unsigned long* exitCode = nullptr) override
    {
        // Each command must be judged on its own output alone.
        EXPECT_TRUE(output.empty()) << "accumulator not cleared before a command";
        size_t index = m_calls[command]++;
        m_ran.push_back(command);
        Reply reply;
        reply.output = kOk;
        auto it = m_replies.find(command);
        if (it != m_replies.end() && index < it->second.size()) {
            reply = it->second[index];
        }
        m_last = reply;
        if (reply.started) {
            output += reply.output;
            if (exitCode != nullptr) {
                *exitCode = reply.exitCode;
            }
        }
        return reply.started;
    }

    bool RunWithReadings(const std::wstring& command, std::vector<std::wstring>& readings,
                         unsigned long* exitCode = nullptr) override
    {
        bool started = ICommandRunner::RunWithReadings(command, readings, exitCode);
        if (started) {
            readings.insert(readings.end(), m_last.otherReadings.begin(), m_last.otherReadings.end());
        }
        return started;
    }

    const std::vector<std::wstring>& Ran() const { return m_ran; }

private:
    Reply m_last;
    std::map<std::wstring, std::vector<Reply>> m_replies;
    std::map<std::wstring, size_t> m_calls;
    std::vector<std::wstring> m_ran;
};

Reply NotStarted()
{
    Reply r;
    r.started = false;
    return r;
}

Reply Prints(const std::wstring& text)
{
    Reply r;
    r.output = text;
    return r;
}

Reply Exits(const std::wstring& text, unsigned long code)
{
    Reply r;
    r.output = text;
    r.exitCode = code;
    return r;
}

TEST(RepairSequence, CommandTextsAreExact)
{
    EXPECT_EQ(std::wstring(kCommandAddBranchName),
              L"reg add \"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\WindowsSelfHost\\Applicability\" /v "
              L"\"BranchName\" /d \"fbl_release\" /t REG_SZ /f");
    EXPECT_EQ(std::wstring(kCommandAddRiskLevel), C2);
    EXPECT_EQ(std::wstring(kCommandDeleteInternal), C3);
    EXPECT_EQ(std::wstring(kCommandAddInternal), C4);
    EXPECT_EQ(std::wstring(kCommandDeleteOptedIn), C6);
    // The longest command line, with the interpreter prefix, fits the runner's buffer.
    EXPECT_LT(std::wstring(L"cmd /D /C ").size() + C2.size(), 2048u);
}

TEST(RepairSequence, InternalPresentRunsFourCommands)
{
    ScriptedRunner runner;
    RepairOutcome outcome = CRepairSequence(runner).Run();
    EXPECT_TRUE(outcome.success);
    EXPECT_EQ(outcome.failureLine, nullptr);
    EXPECT_EQ(runner.Ran(), (std::vector<std::wstring>{C1, C2, C3, C6}));
}

TEST(RepairSequence, InternalAbsentCreatesAndDeletesItAgain)
{
    ScriptedRunner runner;
    runner.Script(C3, {Prints(kMissing), Prints(kOk)});
    RepairOutcome outcome = CRepairSequence(runner).Run();
    EXPECT_TRUE(outcome.success);
    EXPECT_EQ(runner.Ran(), (std::vector<std::wstring>{C1, C2, C3, C4, C3, C6}));
}

TEST(RepairSequence, OptedInAbsentStillSucceeds)
{
    ScriptedRunner runner;
    runner.Script(C6, {Prints(kMissing)});
    EXPECT_TRUE(CRepairSequence(runner).Run().success);

    ScriptedRunner silent;
    silent.Script(C6, {Prints(L"")});
    EXPECT_TRUE(CRepairSequence(silent).Run().success);
}

TEST(RepairSequence, ExitCodeZeroCountsOnlyWhereAskedFor)
{
    // reg on a Windows in another display language.
    const std::wstring ok = L"The operation completed successfully.\r\n";
    const std::wstring missing =
        L"ERROR: The system was unable to find the specified registry key or value.\r\n";
    auto english = [&](ScriptedRunner& runner) {
        runner.Script(C1, {Exits(ok, 0)});
        runner.Script(C2, {Exits(ok, 0)});
        runner.Script(C3, {Exits(missing, 1), Exits(ok, 0)});
        runner.Script(C4, {Exits(ok, 0)});
        runner.Script(C6, {Exits(missing, 1)});
    };
    const auto byExitCode = CRepairSequence::Judgement::SuccessTextOrExitCodeZero;

    ScriptedRunner window;
    english(window);
    EXPECT_STREQ(CRepairSequence(window).Run().failureLine, kLogAddBranchNameFailed);

    ScriptedRunner unattended;
    english(unattended);
    EXPECT_TRUE(CRepairSequence(unattended, byExitCode).Run().success);
    EXPECT_EQ(unattended.Ran(), (std::vector<std::wstring>{C1, C2, C3, C4, C3, C6}));

    ScriptedRunner denied;
    english(denied);
    denied.Script(C2, {Exits(L"ERROR: Access is denied.\r\n", 1)});
    EXPECT_STREQ(CRepairSequence(denied, byExitCode).Run().failureLine, kLogAddRiskLevelFailed);
}

TEST(RepairSequence, SuccessTextIsFoundAnywhere)
{
    EXPECT_TRUE(CRepairSequence::HasSuccessText(L"操作成功完成"));
    EXPECT_TRUE(CRepairSequence::HasSuccessText(L"noise\r\nreg: 操作成功完成\r\nmore"));
    EXPECT_FALSE(CRepairSequence::HasSuccessText(L"reg: The operation completed successfully\r\n"));
    EXPECT_FALSE(CRepairSequence::HasSuccessText(L"操作成功"));
    EXPECT_FALSE(CRepairSequence::HasSuccessText(L""));
}

Reply PrintsReadAlsoAs(const std::wstring& text, std::vector<std::wstring> otherReadings)
{
    Reply r = Prints(text);
    r.otherReadings = std::move(otherReadings);
    return r;
}

TEST(RepairSequence, SuccessTextInTheConsolesCodePageCounts)
{
    // Read wrongly in the thread's code page, rightly in the console's.
    ScriptedRunner runner;
    Reply misread = PrintsReadAlsoAs(kOkReadAs1252, {kOk});
    runner.Script(C1, {misread});
    runner.Script(C2, {misread});
    runner.Script(C3, {misread});
    RepairOutcome outcome = CRepairSequence(runner).Run();
    EXPECT_TRUE(outcome.success);
    // C3 counted as done: no detour through C4 and C5.
    EXPECT_EQ(runner.Ran(), (std::vector<std::wstring>{C1, C2, C3, C6}));
}

TEST(RepairSequence, ConfirmStandsOnlyOnTheRepairedState)
{
    ApplicabilityState repaired;
    repaired.branchName = L"fbl_release";
    repaired.thresholdRiskLevel = L"low";
    ApplicabilityState optedInLeft = repaired;
    optedInLeft.thresholdOptedIn = L"1";

    RepairOutcome done;
    done.success = true;
    RepairOutcome confirmed = CRepairSequence::Confirm(done, true, repaired);
    EXPECT_TRUE(confirmed.success);
    EXPECT_EQ(confirmed.failureLine, nullptr);

    for (const auto& read : {std::make_pair(true, optedInLeft), std::make_pair(false, repaired)}) {
        RepairOutcome refused = CRepairSequence::Confirm(done, read.first, read.second);
        EXPECT_FALSE(refused.success);
        EXPECT_STREQ(refused.failureLine, kLogVerifyFailed);
    }

    // A failed step keeps its own line, whatever the registry says.
    RepairOutcome failed;
    failed.failureLine = kLogAddRiskLevelFailed;
    RepairOutcome kept = CRepairSequence::Confirm(failed, true, repaired);
    EXPECT_FALSE(kept.success);
    EXPECT_EQ(kept.failureLine, kLogAddRiskLevelFailed);
}

struct FailureRow
{
    const char* name;
    // Replies per command; a command not listed succeeds.
    std::vector<std::pair<std::wstring, std::vector<Reply>>> script;
    const char* line;
    std::vector<std::wstring> ran;
};

TEST(RepairSequence, EveryFailureRowStopsWithItsLine)
{
    const std::wstring english = L"reg: The operation completed successfully\r\n";
    const std::vector<FailureRow> rows = {
        {"C1 not started", {{C1, {NotStarted()}}}, kLogRunAddBranchNameFailed, {C1}},
        {"C1 no success text", {{C1, {Prints(english)}}}, kLogAddBranchNameFailed, {C1}},
        {"C1 printed nothing", {{C1, {Prints(L"")}}}, kLogAddBranchNameFailed, {C1}},
        {"C1 no success text in any reading",
         {{C1, {PrintsReadAlsoAs(kMissing, {english, kOkReadAs1252})}}},
         kLogAddBranchNameFailed,
         {C1}},
        {"C2 not started", {{C2, {NotStarted()}}}, kLogRunAddRiskLevelFailed, {C1, C2}},
        {"C2 no success text", {{C2, {Prints(kMissing)}}}, kLogAddRiskLevelFailed, {C1, C2}},
        {"C3 not started", {{C3, {NotStarted()}}}, kLogRunDeleteInternalFailed1, {C1, C2, C3}},
        {"C4 not started",
         {{C3, {Prints(kMissing)}}, {C4, {NotStarted()}}},
         kLogRunAddInternalFailed,
         {C1, C2, C3, C4}},
        {"C4 no success text",
         {{C3, {Prints(kMissing)}}, {C4, {Prints(L"reg: 拒绝访问\r\n")}}},
         kLogAddInternalFailed,
         {C1, C2, C3, C4}},
        {"C5 not started",
         {{C3, {Prints(kMissing), NotStarted()}}},
         kLogRunDeleteInternalFailed2,
         {C1, C2, C3, C4, C3}},
        {"C5 no success text",
         {{C3, {Prints(kMissing), Prints(kMissing)}}},
         kLogDeleteInternalFailed,
         {C1, C2, C3, C4, C3}},
        {"C6 not started after C3", {{C6, {NotStarted()}}}, kLogRunDeleteOptedInFailed, {C1, C2, C3, C6}},
        {"C6 not started after C5",
         {{C3, {Prints(kMissing), Prints(kOk)}}, {C6, {NotStarted()}}},
         kLogRunDeleteOptedInFailed,
         {C1, C2, C3, C4, C3, C6}},
    };
    for (const FailureRow& row : rows) {
        ScriptedRunner runner;
        for (const auto& entry : row.script) {
            runner.Script(entry.first, entry.second);
        }
        RepairOutcome outcome = CRepairSequence(runner).Run();
        EXPECT_FALSE(outcome.success) << row.name;
        ASSERT_NE(outcome.failureLine, nullptr) << row.name;
        EXPECT_STREQ(outcome.failureLine, row.line) << row.name;
        EXPECT_EQ(runner.Ran(), row.ran) << row.name;
    }
}

} // namespace

#include "repair/ApplicabilityState.h"

TEST(ApplicabilityStateTest, RepairedOnlyWithBothStringsExactAndTheOtherTwoAbsent)
{
    ApplicabilityState state;
    state.branchName = L"fbl_release";
    state.thresholdRiskLevel = L"low";
    EXPECT_TRUE(state.IsRepaired());

    ApplicabilityState other = state;
    other.thresholdInternal = L""; // present though empty
    EXPECT_FALSE(other.IsRepaired());
    other = state;
    other.thresholdOptedIn = L"<type 4>";
    EXPECT_FALSE(other.IsRepaired());
    other = state;
    other.branchName = L"FBL_RELEASE";
    EXPECT_FALSE(other.IsRepaired());
    other = state;
    other.thresholdRiskLevel.reset();
    EXPECT_FALSE(other.IsRepaired());
    EXPECT_FALSE(ApplicabilityState().IsRepaired());
}
