#include "app/UnattendedArguments.h"
#include "app/UnattendedResult.h"
#include "repair/RepairLogLines.h"

#include <gtest/gtest.h>

namespace {

UnattendedArguments Parse(std::vector<std::wstring> arguments)
{
    return ParseUnattendedArguments(arguments);
}

ApplicabilityState Repaired()
{
    ApplicabilityState state;
    state.branchName = L"fbl_release";
    state.thresholdRiskLevel = L"low";
    return state;
}

} // namespace

TEST(UnattendedArguments, SlashOrDashInAnyCase)
{
    EXPECT_EQ(Parse({L"/check"}).action, UnattendedAction::Check);
    EXPECT_EQ(Parse({L"-CHECK"}).action, UnattendedAction::Check);
    UnattendedArguments repair = Parse({L"-Restart", L"/REPAIR"});
    EXPECT_EQ(repair.action, UnattendedAction::Repair);
    EXPECT_TRUE(repair.restart);
    EXPECT_FALSE(Parse({L"/repair"}).restart);
    EXPECT_EQ(Parse({L"/?"}).action, UnattendedAction::Usage);
    EXPECT_EQ(Parse({L"-Help"}).action, UnattendedAction::Usage);
}

TEST(UnattendedArguments, OnlyAnArgumentStartingWithASwitchMeansUnattended)
{
    EXPECT_FALSE(HasUnattendedSwitch({}));
    // A file dropped on the program, a stray word, an empty argument: the window.
    EXPECT_FALSE(HasUnattendedSwitch({L"C:\\Users\\ann\\Desktop\\report.txt"}));
    EXPECT_FALSE(HasUnattendedSwitch({L"\\\\server\\share\\a.txt", L"check", L""}));
    // One switch anywhere hands the whole line to the parser, which refuses the word.
    EXPECT_TRUE(HasUnattendedSwitch({L"report.txt", L"/check"}));
    EXPECT_TRUE(HasUnattendedSwitch({L"-"}));
    EXPECT_EQ(Parse({L"report.txt", L"/check"}).action, UnattendedAction::Invalid);
}

TEST(UnattendedArguments, EverythingElseIsRefusedWithAReason)
{
    const std::vector<std::vector<std::wstring>> refused = {
        {L"/check", L"/repair"},  // conflicting
        {L"/repair", L"-REPAIR"}, // repeated
        {L"/restart"},            // a restart without a repair
        {L"/check", L"/restart"},
        {L"/repair", L"now"}, // a value after a switch
        {L"/repair:now"},     // a value stuck to it
        {L"/? ", L"/check"},  // unknown ("/? " with a blank) and more
        {L"/?", L"/check"},   // help does not combine
        {L"--check"},
        {L"/"},
        {L""},
        {L"check"},
        {L"/chéck"},
    };
    for (const auto& arguments : refused) {
        UnattendedArguments parsed = ParseUnattendedArguments(arguments);
        EXPECT_EQ(parsed.action, UnattendedAction::Invalid) << ::testing::PrintToString(arguments);
        EXPECT_FALSE(parsed.problem.empty());
    }
}

TEST(UnattendedResult, RepairedLineAsTheDeploymentReportShowsIt)
{
    UnattendedResult result;
    result.action = UnattendedAction::Repair;
    result.verdict = UnattendedVerdict::Repaired;
    result.state = Repaired();
    result.restart = UnattendedRestart::Needed;
    EXPECT_EQ(FormatUnattendedResult(result),
              L"Stellwick 1.8.22.1024 repair: repaired BranchName=fbl_release ThresholdRiskLevel=low "
              L"ThresholdInternal=absent ThresholdOptedIn=absent restart=needed");
    EXPECT_EQ(UnattendedExitCode(result), 3010);

    // /restart the system did not accept: still owed, with the system's error.
    result.restart = UnattendedRestart::Refused;
    result.restartError = 5;
    EXPECT_EQ(UnattendedExitCode(result), 3010);
    EXPECT_EQ(FormatUnattendedResult(result),
              L"Stellwick 1.8.22.1024 repair: repaired BranchName=fbl_release ThresholdRiskLevel=low "
              L"ThresholdInternal=absent ThresholdOptedIn=absent restart=refused error=5");
}

TEST(UnattendedResult, OddValuesStayInsideTheirField)
{
    UnattendedResult result;
    result.verdict = UnattendedVerdict::NeedsRepair;
    result.state = ApplicabilityState();
    result.state->branchName = L"rs prerelease";
    result.state->thresholdRiskLevel = L"";
    result.state->thresholdInternal = L"a\"b\\c";
    result.state->thresholdOptedIn = L"1\r\n2";
    EXPECT_EQ(
        FormatUnattendedResult(result),
        L"Stellwick 1.8.22.1024 check: needs-repair BranchName=\"rs prerelease\" ThresholdRiskLevel=\"\" "
        L"ThresholdInternal=\"a\\\"b\\\\c\" ThresholdOptedIn=\"1\\x0D\\x0A2\"");
}

TEST(UnattendedResult, FailedStepAndValuesNeverReadAreReported)
{
    UnattendedResult failed;
    failed.action = UnattendedAction::Repair;
    failed.verdict = UnattendedVerdict::Failed;
    failed.step = RepairStepName(kLogRunDeleteInternalFailed2);
    EXPECT_EQ(FormatUnattendedResult(failed),
              L"Stellwick 1.8.22.1024 repair: failed step=delete-ThresholdInternal-again");

    UnattendedResult unsupported;
    unsupported.verdict = UnattendedVerdict::Unsupported;
    EXPECT_EQ(FormatUnattendedResult(unsupported), L"Stellwick 1.8.22.1024 check: unsupported-system");

    // Every failure line of the repair names its step.
    for (const char* line : {kLogRedirectionOffFailed, kLogRunAddBranchNameFailed, kLogAddBranchNameFailed,
                             kLogRunAddRiskLevelFailed, kLogAddRiskLevelFailed, kLogRunDeleteInternalFailed1,
                             kLogRunAddInternalFailed, kLogAddInternalFailed, kLogRunDeleteInternalFailed2,
                             kLogDeleteInternalFailed, kLogRunDeleteOptedInFailed, kLogRepairLockTimedOut,
                             kLogRepairLockUnavailable}) {
        EXPECT_NE(RepairStepName(line), L"unknown") << line;
    }
    EXPECT_EQ(RepairStepName(nullptr), L"unknown");
}

TEST(UnattendedResult, ExitCodes)
{
    struct Case
    {
        UnattendedAction action;
        UnattendedVerdict verdict;
        UnattendedRestart restart;
        int code;
    };
    const Case cases[] = {
        {UnattendedAction::Check, UnattendedVerdict::Repaired, UnattendedRestart::NotApplicable, 0},
        {UnattendedAction::Check, UnattendedVerdict::NeedsRepair, UnattendedRestart::NotApplicable, 1},
        {UnattendedAction::Repair, UnattendedVerdict::AlreadyRepaired, UnattendedRestart::NotApplicable, 0},
        {UnattendedAction::Repair, UnattendedVerdict::Repaired, UnattendedRestart::Requested, 1641},
        // The change is made either way; a refused restart is still owed.
        {UnattendedAction::Repair, UnattendedVerdict::Repaired, UnattendedRestart::Refused, 3010},
        {UnattendedAction::Repair, UnattendedVerdict::Failed, UnattendedRestart::NotApplicable, 1},
        {UnattendedAction::Repair, UnattendedVerdict::Unsupported, UnattendedRestart::NotApplicable, 4},
        {UnattendedAction::Check, UnattendedVerdict::Unreadable, UnattendedRestart::NotApplicable, 5},
    };
    for (const Case& c : cases) {
        UnattendedResult result;
        result.action = c.action;
        result.verdict = c.verdict;
        result.restart = c.restart;
        EXPECT_EQ(UnattendedExitCode(result), c.code) << static_cast<int>(c.verdict);
    }
}
