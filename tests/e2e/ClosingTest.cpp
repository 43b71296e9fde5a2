// Closing the main window without a successful repair.
#include "CJournal.h"
#include "E2eFixture.h"
#include "Poll.h"
#include "UserInput.h"

class Closing : public E2eFixture
{
};

TEST_F(Closing, WithoutRepairAsksThenReportsTheAnswerThenCloses)
{
    CToolRun run(L"closing-feedback");
    PrepareStandardRun(run);
    MainWindow main;
    // As Explorer starts it for a file dropped on it: a path is no switch,
    // so the window opens as it does without arguments.
    StartAndWaitReady(run, &main, L"\"C:\\users\\Public\\Documents\\report one.txt\"");
    DWORD pid = run.ProcessId();

    ASSERT_TRUE(ClickControl(main.panel, PANEL_CLOSE));
    HWND feedback = nullptr;
    ASSERT_TRUE(WaitForFeedback(pid, 30000, &feedback)) << "no feedback window\n" << DescribeWindows(pid);
    EXPECT_TRUE(IsWindowVisible(main.frame)) << "the main window closed before the answer";
    EXPECT_EQ(CJournal::CountOf("CustomerFeedbackEx"), 0u);

    ASSERT_TRUE(ClickControl(feedback, FEEDBACK_UNSOLVED));
    DWORD code = 1234;
    ASSERT_TRUE(run.WaitForExit(15000, &code)) << "the main window did not close after the answer";
    EXPECT_EQ(code, 0u);
    auto reports = CJournal::CallsOf("CustomerFeedbackEx");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(IsFeedbackReport(reports[0], 2, 1)) << reports[0];
    ASSERT_EQ(CJournal::CountOf("FeedbackQuestion"), 1u);
    EXPECT_LT(CJournal::IndexOf("CustomerFeedbackEx"), CJournal::IndexOf("FeedbackQuestion"));
}
