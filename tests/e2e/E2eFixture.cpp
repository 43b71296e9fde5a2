#include "E2eFixture.h"

#include "CJournal.h"
#include "E2ePaths.h"
#include "Poll.h"
#include "RegistryValues.h"
#include "ScreenCapture.h"
#include "UserInput.h"

#include <cstdlib>
#include <ctime>

namespace texts {
const wchar_t* const UNSUPPORTED = L"此工具不支持当前系统";
const wchar_t* const INIT_FAILED = L"工具初始化失败";
const wchar_t* const WARNING = L"以下修复操作涉及到系统注册表修改，操作前请确认电脑里资料均已备份！";
const wchar_t* const NOTICE =
    L"本工具调用微软自带命令恢复注册表，不是万能工具。如果恢复后仍有问题，可能与注册表无关，请了解。";
const wchar_t* const FAILURE = L"修复注册表失败！";
const wchar_t* const RESTART_QUESTION = L"修复注册表成功,重新启动系统后才会生效，是否重新启动？";
const wchar_t* const NEW_VERSION_GENERAL = L"检测到当前工具有新的版本，请下载最新版本使用。";
} // namespace texts

const char* const QUIET_SETTINGS = "[Component]\r\nInitResult=1\r\nOpenPages=0\r\n";

void E2eFixture::SetUp()
{
    CJournal::Clear();
    DeleteFileW(RepairLogFile().c_str());
    DeleteFileW(PlantedMarkerLog().c_str());
    DeleteFileW(PlantedLibraryLog().c_str());
    ClearRepairValues();
    ASSERT_TRUE(FileExists(ProgramImage())) << "program not built";
    ASSERT_TRUE(FileExists(StandinLibrary())) << "stand-in not built";
}

void E2eFixture::PrepareStandardRun(CToolRun& run, const std::string& settings)
{
    ASSERT_TRUE(run.AddProgram());
    ASSERT_TRUE(run.AddLibrary(StandinLibrary()));
    ASSERT_TRUE(run.AddSettings(settings));
}

void E2eFixture::StartAndWaitReady(CToolRun& run, MainWindow* main, const std::wstring& arguments)
{
    ASSERT_TRUE(run.Start(arguments));
    ASSERT_TRUE(WaitForMainWindow(run.ProcessId(), 30000, main)) << "no main window";
    // A user clicks what the display shows: the panel, not the frame's skin.
    ASSERT_TRUE(PollUntil([&] { return PanelShowsOnScreen(*main); }, 5000))
        << "the panel never showed on screen";
    ASSERT_TRUE(PollUntil([] { return CJournal::CountOf("GetToolIsNewVersion") >= 1; }, 10000))
        << "the new-version check was never made";
    // Its answer has been handled once nothing new shows up right after it.
    Sleep(200);
}

void E2eFixture::RepairUpToRestartQuestion(CToolRun& run, const MainWindow& main, PromptView* question,
                                           int noticeButton)
{
    DWORD pid = run.ProcessId();
    ASSERT_TRUE(ClickControl(main.panel, PANEL_REPAIR));
    PromptView prompt;
    ASSERT_TRUE(WaitForPromptText(pid, texts::WARNING, 10000, &prompt)) << "no warning";
    EXPECT_TRUE(prompt.firstShown);
    EXPECT_TRUE(prompt.secondShown) << "the warning offers cancel";
    ASSERT_TRUE(ClickControl(prompt.content, PROMPT_FIRST));
    ASSERT_TRUE(WaitForPromptText(pid, texts::NOTICE, 10000, &prompt)) << "no notice";
    EXPECT_TRUE(prompt.firstShown);
    EXPECT_FALSE(prompt.secondShown) << "the notice has one button";
    ASSERT_TRUE(ClickControl(prompt.content, noticeButton));
    ASSERT_TRUE(WaitForPromptText(pid, texts::RESTART_QUESTION, 60000, question))
        << "no restart question; last prompt: " << Utf8(FindPrompt(pid).text);
    EXPECT_TRUE(question->firstShown);
    EXPECT_TRUE(question->secondShown) << "the restart question offers yes and no";
}

void E2eFixture::CloseAnsweringSolved(CToolRun& run, const MainWindow& main)
{
    ASSERT_TRUE(ClickControl(main.panel, PANEL_CLOSE));
    HWND feedback = nullptr;
    ASSERT_TRUE(WaitForFeedback(run.ProcessId(), 10000, &feedback)) << "no feedback window";
    ASSERT_TRUE(ClickControl(feedback, FEEDBACK_SOLVED));
    DWORD code = 1234;
    ASSERT_TRUE(run.WaitForExit(15000, &code)) << "the tool did not end after the answer";
    EXPECT_EQ(code, 0u);
}

void E2eFixture::StartAndCloseAnsweringSolved(CToolRun& run)
{
    MainWindow main;
    StartAndWaitReady(run, &main);
    if (!HasFatalFailure())
        CloseAnsweringSolved(run, main);
}

void E2eFixture::CloseExpectingNoFeedback(CToolRun& run, const MainWindow& main)
{
    ASSERT_TRUE(ClickControl(main.panel, PANEL_CLOSE));
    bool feedbackSeen = false;
    bool ended = PollUntil(
        [&] {
            if (FindFeedbackContent(run.ProcessId()))
                feedbackSeen = true;
            return !run.IsRunning();
        },
        20000, 10);
    EXPECT_TRUE(ended) << "the tool did not close; its windows:\n" << DescribeWindows(run.ProcessId());
    EXPECT_FALSE(feedbackSeen) << "a feedback window showed after a successful repair";
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

bool IsFeedbackReport(const std::string& line, int kind, int deviceText)
{
    std::string head = "CustomerFeedbackEx 10009 1.8.22.1024 " + std::to_string(kind) + " ";
    if (line.rfind(head, 0) != 0)
        return false;
    std::string rest = line.substr(head.size());
    size_t space = rest.find(' ');
    if (space == std::string::npos)
        return false;
    long long seconds = std::atoll(rest.substr(0, space).c_str());
    long long now = static_cast<long long>(std::time(nullptr));
    // The time text is "now" in seconds since 1970.
    bool timeOk = seconds > now - 600 && seconds <= now + 5;
    return timeOk && rest.substr(space + 1) == std::to_string(deviceText);
}
