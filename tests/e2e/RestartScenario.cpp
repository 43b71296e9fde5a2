// Confirming the restart: the feedback window first, then the forced restart,
// which under Wine ends every process of the session, this driver included.
// So this scenario is disabled in the ordinary runs; a shell script runs it
// and judges from outside what this driver leaves behind in its marker file.
#include "CJournal.h"
#include "E2eFixture.h"
#include "E2ePaths.h"
#include "Poll.h"
#include "UserInput.h"

namespace {

void Mark(const std::string& text)
{
    std::wstring path = PathFromEnvironment("E2E_RESTART_MARKERS");
    if (path.empty())
        return;
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string line = text + "\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
}

} // namespace

class RestartScenario : public E2eFixture
{
};

TEST_F(RestartScenario, DISABLED_ConfirmingShowsFeedbackThenRestarts)
{
    CToolRun run(L"restart");
    PrepareStandardRun(run);
    MainWindow main;
    StartAndWaitReady(run, &main);
    Mark("ready");
    PromptView question;
    RepairUpToRestartQuestion(run, main, &question);
    if (HasFatalFailure()) {
        Mark("failed: no restart question");
        return;
    }
    ASSERT_TRUE(ClickControl(question.content, PROMPT_FIRST));
    HWND feedback = nullptr;
    if (!WaitForFeedback(run.ProcessId(), 10000, &feedback)) {
        Mark("failed: no feedback window");
        FAIL() << "no feedback window after confirming the restart";
    }
    Mark("feedback-shown");
    if (CJournal::CountOf("CustomerFeedbackEx") != 0)
        Mark("failed: reported before the answer");
    // Marked before the click: the answer can end the session within the
    // click's own pauses, before a mark after it is written. The journal
    // shows whether it arrived.
    Mark("answering");
    ClickControl(feedback, FEEDBACK_SOLVED);
    // From here on the session should end under our feet.
    PollUntil([&] { return !run.IsRunning(); }, 30000);
    Sleep(10000);
    Mark(run.IsRunning() ? "survived: tool still running" : "survived: tool ended but the session did not");
    FAIL() << "the restart request did not end the session";
}
