// The one new-version question after the main window is laid out.
#include "CJournal.h"
#include "E2eFixture.h"
#include "E2ePaths.h"
#include "Poll.h"
#include "UserInput.h"

class NewVersion : public E2eFixture
{
};

TEST_F(NewVersion, NewerToolGivesTheGeneralTextOneDownloadAndExit)
{
    CToolRun run(L"new-version");
    PrepareStandardRun(run, std::string(QUIET_SETTINGS) + "[Catalogue]\r\n10009=1.9.0.0\r\n");
    ASSERT_TRUE(run.Start());
    DWORD pid = run.ProcessId();
    PromptView prompt;
    ASSERT_TRUE(WaitForPrompt(pid, 30000, &prompt));
    // No USB device file under Wine: device type 0, the general text.
    EXPECT_EQ(Utf8(prompt.text), Utf8(texts::NEW_VERSION_GENERAL));
    EXPECT_FALSE(prompt.secondShown);
    EXPECT_EQ(CJournal::CountOf("OpenToolDownUrl"), 0u) << "the download page opens after the prompt";
    ASSERT_TRUE(ClickControl(prompt.content, PROMPT_FIRST));
    DWORD code = 1234;
    ASSERT_TRUE(run.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
    auto asked = CJournal::CallsOf("GetToolIsNewVersion");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "GetToolIsNewVersion 10009 1.8.22.1024");
    EXPECT_EQ(CJournal::CountOf("OpenToolDownUrl"), 1u);
    EXPECT_GT(CJournal::IndexOf("OpenToolDownUrl"), CJournal::IndexOf("GetToolIsNewVersion"));
    EXPECT_EQ(CJournal::CountOf("CustomerFeedbackEx"), 0u);
    Sleep(4500);
    EXPECT_TRUE(FileExists(run.PathOf(L"Stellwick.exe"))) << "an immediate end removes nothing";
}

TEST_F(NewVersion, SameVersionShowsNothingAndTheToolStays)
{
    CToolRun run(L"no-new-version");
    // The catalogue knows exactly this version: not newer.
    PrepareStandardRun(run, std::string(QUIET_SETTINGS) + "[Catalogue]\r\n10009=1.8.22.1024\r\n");
    // A variable the user set for his account reaches an elevated run too: the
    // shipped program must not write to the file it names (only the
    // benchmark's own build of the program records start-up phases).
    const std::wstring userFile = ScenarioRoot() + L"\\settings.cfg";
    const std::string userBytes = "[User]\r\nKeep=these bytes\r\n";
    ASSERT_TRUE(WriteWholeFile(userFile, userBytes));
    SetEnvironmentVariableW(L"STELLWICK_STARTUP_PHASES", userFile.c_str());
    MainWindow main;
    StartAndWaitReady(run, &main);
    SetEnvironmentVariableW(L"STELLWICK_STARTUP_PHASES", nullptr);
    EXPECT_EQ(ReadWholeFile(userFile), userBytes);
    DeleteFileW(userFile.c_str());
    DWORD pid = run.ProcessId();
    PromptView none;
    EXPECT_FALSE(WaitForPrompt(pid, 1500, &none)) << "unexpected prompt: " << Utf8(none.text);
    EXPECT_TRUE(run.IsRunning());
    EXPECT_TRUE(IsWindowVisible(main.frame));
    EXPECT_EQ(CJournal::CountOf("GetToolIsNewVersion"), 1u) << "the check runs once";
    EXPECT_EQ(CJournal::CountOf("OpenToolDownUrl"), 0u);
}
