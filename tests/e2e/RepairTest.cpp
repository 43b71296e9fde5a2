// The repair as a user runs it: warning, notice, progress, restart question.
#include "CJournal.h"
#include "E2eFixture.h"
#include "Poll.h"
#include "RegistryValues.h"
#include "UserInput.h"

namespace {

std::wstring Value64(const wchar_t* name)
{
    std::wstring v;
    return ReadRepairValue(KEY_WOW64_64KEY, name, &v) ? v : L"<absent>";
}

// The four values as the repair leaves them, in the 64-bit view; the 32-bit
// view of the same key untouched.
void ExpectRepairedIn64BitView()
{
    EXPECT_EQ(Utf8(Value64(L"BranchName")), "fbl_release");
    EXPECT_EQ(Utf8(Value64(L"ThresholdRiskLevel")), "low");
    EXPECT_EQ(Utf8(Value64(L"ThresholdInternal")), "<absent>");
    EXPECT_EQ(Utf8(Value64(L"ThresholdOptedIn")), "<absent>");
    EXPECT_FALSE(ReadRepairValue(KEY_WOW64_32KEY, L"BranchName", nullptr)) << "written to the 32-bit view";
    EXPECT_FALSE(ReadRepairValue(KEY_WOW64_32KEY, L"ThresholdRiskLevel", nullptr));
}

} // namespace

class Repair : public E2eFixture
{
};

TEST_F(Repair, CancelledWarningChangesNothing)
{
    ASSERT_TRUE(WriteRepairValue(KEY_WOW64_64KEY, L"ThresholdInternal", L"1"));
    ASSERT_TRUE(WriteRepairValue(KEY_WOW64_64KEY, L"ThresholdOptedIn", L"1"));
    CToolRun run(L"repair-cancelled");
    PrepareStandardRun(run);
    MainWindow main;
    StartAndWaitReady(run, &main);
    DWORD pid = run.ProcessId();

    ASSERT_TRUE(ClickControl(main.panel, PANEL_REPAIR));
    PromptView prompt;
    ASSERT_TRUE(WaitForPromptText(pid, texts::WARNING, 10000, &prompt));
    ASSERT_TRUE(ClickControl(prompt.content, PROMPT_SECOND));
    ASSERT_TRUE(WaitForNoPrompt(pid, 5000));
    // Nothing follows: no notice, no progress prompt.
    bool anything = PollUntil([&] { return FindPrompt(pid).content || FindProgressContent(pid); }, 2000);
    EXPECT_FALSE(anything);
    EXPECT_EQ(Utf8(Value64(L"BranchName")), "<absent>");
    EXPECT_EQ(Utf8(Value64(L"ThresholdRiskLevel")), "<absent>");
    EXPECT_EQ(Utf8(Value64(L"ThresholdInternal")), "1");
    EXPECT_EQ(Utf8(Value64(L"ThresholdOptedIn")), "1");
    EXPECT_TRUE(run.IsRunning());
}

TEST_F(Repair, PresentThresholdInternalDeclinedRestartThenCloseReportsSolved)
{
    ASSERT_TRUE(WriteRepairValue(KEY_WOW64_64KEY, L"ThresholdInternal", L"1"));
    ASSERT_TRUE(WriteRepairValue(KEY_WOW64_64KEY, L"ThresholdOptedIn", L"1"));
    CToolRun run(L"repair-present");
    PrepareStandardRun(run);
    MainWindow main;
    StartAndWaitReady(run, &main);
    DWORD pid = run.ProcessId();

    PromptView question;
    RepairUpToRestartQuestion(run, main, &question);
    if (HasFatalFailure())
        return;
    ExpectRepairedIn64BitView();

    ASSERT_TRUE(ClickControl(question.content, PROMPT_SECOND));
    ASSERT_TRUE(WaitForNoPrompt(pid, 5000));
    bool feedback = PollUntil([&] { return FindFeedbackContent(pid) != nullptr; }, 1500);
    EXPECT_FALSE(feedback) << "declining the restart shows nothing more";
    EXPECT_TRUE(run.IsRunning());
    EXPECT_TRUE(IsWindowVisible(main.panel));
    EXPECT_EQ(CJournal::CountOf("CustomerFeedbackEx"), 0u);

    CloseExpectingNoFeedback(run, main);
    auto reports = CJournal::CallsOf("CustomerFeedbackEx");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(IsFeedbackReport(reports[0], 1, 1)) << reports[0];
    EXPECT_EQ(CJournal::CountOf("FeedbackQuestion"), 0u);
}

TEST_F(Repair, AbsentThresholdInternalSucceedsAndASecondRepairWorksToo)
{
    // Neither value exists: the delete fails, the value is made and deleted
    // again, and the missing ThresholdOptedIn does not count as a failure.
    CToolRun run(L"repair-absent");
    PrepareStandardRun(run);
    MainWindow main;
    StartAndWaitReady(run, &main);
    DWORD pid = run.ProcessId();

    PromptView question;
    // The notice closed by its cross still lets the repair go on.
    RepairUpToRestartQuestion(run, main, &question, PROMPT_CLOSE);
    if (HasFatalFailure())
        return;
    ExpectRepairedIn64BitView();
    ASSERT_TRUE(ClickControl(question.content, PROMPT_SECOND));
    ASSERT_TRUE(WaitForNoPrompt(pid, 5000));

    // A value put back between two runs is taken away by the second one.
    ASSERT_TRUE(WriteRepairValue(KEY_WOW64_64KEY, L"ThresholdInternal", L"2"));
    ASSERT_TRUE(WriteRepairValue(KEY_WOW64_64KEY, L"BranchName", L"rs_prerelease"));
    RepairUpToRestartQuestion(run, main, &question);
    if (HasFatalFailure())
        return;
    ExpectRepairedIn64BitView();
    ASSERT_TRUE(ClickControl(question.content, PROMPT_SECOND));
    ASSERT_TRUE(WaitForNoPrompt(pid, 5000));
    EXPECT_TRUE(run.IsRunning());
}
