// A repair on a system whose reg does not print the Chinese success text.
// Run in a prefix started with an English locale.
#include "E2eFixture.h"
#include "E2ePaths.h"
#include "Poll.h"
#include "RegistryValues.h"
#include "UserInput.h"

namespace {

std::string Gbk(const std::wstring& text)
{
    int n = WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

bool LogHolds(const std::string& line) { return ReadWholeFile(RepairLogFile()).find(line) != std::string::npos; }

} // namespace

class RepairFailure : public E2eFixture
{
};

TEST_F(RepairFailure, ProgressClosesThenFailurePromptThenTheLogLine)
{
    CToolRun run(L"repair-english");
    PrepareStandardRun(run);
    MainWindow main;
    StartAndWaitReady(run, &main);
    DWORD pid = run.ProcessId();
    const std::string failureLine = Gbk(L"修复注测表失败添加 BranchName");

    ASSERT_TRUE(ClickControl(main.panel, PANEL_REPAIR));
    PromptView prompt;
    ASSERT_TRUE(WaitForPromptText(pid, texts::WARNING, 10000, &prompt));
    ASSERT_TRUE(ClickControl(prompt.content, PROMPT_FIRST));
    ASSERT_TRUE(WaitForPromptText(pid, texts::NOTICE, 10000, &prompt));
    ASSERT_TRUE(ClickControl(prompt.content, PROMPT_FIRST));

    // Watch closely: the progress prompt lives only as long as one reg command.
    bool progressSeen = false;
    std::wstring progressText;
    bool failureShown = PollUntil(
        [&] {
            if (HWND progress = FindProgressContent(pid)) {
                progressSeen = true;
                std::wstring t = ControlText(progress, 1000);
                if (!t.empty())
                    progressText = t;
            }
            PromptView p = FindPrompt(pid);
            return p.content && p.text == texts::FAILURE;
        },
        60000, 2);
    ASSERT_TRUE(failureShown) << "no failure prompt";
    EXPECT_TRUE(progressSeen) << "no progress prompt was shown";
    EXPECT_EQ(Utf8(progressText.substr(0, 8)), "正在修复，请稍等");
    EXPECT_EQ(FindProgressContent(pid), nullptr) << "the progress prompt is still open";
    ASSERT_TRUE(WaitForPromptText(pid, texts::FAILURE, 5000, &prompt));
    EXPECT_FALSE(prompt.secondShown);

    // The worker waits for the prompt before it writes its line.
    Sleep(1000);
    EXPECT_FALSE(LogHolds(failureLine)) << "logged while the failure prompt was still open";
    ASSERT_TRUE(ClickControl(prompt.content, PROMPT_FIRST));
    EXPECT_TRUE(PollUntil([&] { return LogHolds(failureLine); }, 10000)) << "the failure line never reached the log";
    // The first step failed: nothing after it ran.
    EXPECT_FALSE(ReadRepairValue(KEY_WOW64_64KEY, L"ThresholdRiskLevel", nullptr));
    EXPECT_TRUE(run.IsRunning());
}
