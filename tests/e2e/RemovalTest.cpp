// What a normal close leaves of the program's folder.
#include "CJournal.h"
#include "E2eFixture.h"
#include "E2ePaths.h"
#include "Poll.h"
#include "UserInput.h"

class Removal : public E2eFixture
{
protected:
    // Closes through the feedback window (answer solved) and waits for the end.
    void CloseAnsweringSolved(CToolRun& run, const MainWindow& main)
    {
        ASSERT_TRUE(ClickControl(main.panel, PANEL_CLOSE));
        HWND feedback = nullptr;
        ASSERT_TRUE(WaitForFeedback(run.ProcessId(), 10000, &feedback));
        ASSERT_TRUE(ClickControl(feedback, FEEDBACK_SOLVED));
        ASSERT_TRUE(run.WaitForExit(15000));
    }
};

TEST_F(Removal, FolderHoldingOnlyTheTwoFilesIsGone)
{
    CToolRun run(L"removal-own-folder");
    ASSERT_TRUE(run.AddProgram());
    ASSERT_TRUE(run.AddLibrary(StandinLibrary()));
    MainWindow main;
    StartAndWaitReady(run, &main);
    CloseAnsweringSolved(run, main);
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(FolderExists(run.Folder())) << "removed without the wait";
    EXPECT_TRUE(PollUntil([&] { return !FolderExists(run.Folder()); }, 20000)) << "the folder stayed";
}

TEST_F(Removal, UsersFileStaysOnlyTheProgramFilesGo)
{
    CToolRun run(L"removal-shared-folder");
    ASSERT_TRUE(run.AddProgram());
    ASSERT_TRUE(run.AddLibrary(StandinLibrary()));
    const std::string notes = "my notes, not the tool's\r\n";
    ASSERT_TRUE(run.AddFile(L"notes.txt", notes));
    MainWindow main;
    StartAndWaitReady(run, &main);
    CloseAnsweringSolved(run, main);
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(PollUntil(
        [&] {
            return !FileExists(run.PathOf(L"Stellwick.exe")) &&
                   !FileExists(run.PathOf(L"TorvaneFeedbackInformation.dll"));
        },
        20000))
        << "the program files stayed";
    EXPECT_TRUE(FolderExists(run.Folder()));
    EXPECT_EQ(ReadWholeFile(run.PathOf(L"notes.txt")), notes);
}

TEST_F(Removal, PlantedTimeoutAndCmdNeverRun)
{
    CToolRun run(L"removal-planted");
    PrepareStandardRun(run);
    ASSERT_TRUE(run.CopyIn(PlantedMarkerImage(), L"timeout.exe"));
    ASSERT_TRUE(run.CopyIn(PlantedMarkerImage(), L"cmd.exe"));
    ASSERT_TRUE(run.CopyIn(PlantedMarkerImage(), L"reg.exe"));
    MainWindow main;
    StartAndWaitReady(run, &main);
    // A repair runs reg through cmd as well: neither may come from this folder.
    PromptView question;
    RepairUpToRestartQuestion(run, main, &question);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(ClickControl(question.content, PROMPT_SECOND));
    ASSERT_TRUE(WaitForNoPrompt(run.ProcessId(), 5000));
    CloseExpectingNoFeedback(run, main);
    EXPECT_TRUE(PollUntil([&] { return !FileExists(run.PathOf(L"Stellwick.exe")); }, 20000))
        << "the removal did not run";
    Sleep(500);
    EXPECT_FALSE(FileExists(PlantedMarkerLog())) << "a planted program ran:\n"
                                                 << ReadWholeFile(PlantedMarkerLog());
    EXPECT_TRUE(FileExists(run.PathOf(L"timeout.exe")));
    EXPECT_TRUE(FileExists(run.PathOf(L"cmd.exe")));
}

TEST_F(Removal, FolderPutAtTheProgramsNameDuringTheWaitKeepsItsFiles)
{
    CToolRun run(L"removal-swapped-name");
    ASSERT_TRUE(run.AddProgram());
    ASSERT_TRUE(run.AddLibrary(StandinLibrary()));
    ASSERT_TRUE(run.AddFile(L"notes.txt", "mine\r\n"));
    MainWindow main;
    StartAndWaitReady(run, &main);
    CloseAnsweringSolved(run, main);
    if (HasFatalFailure())
        return;
    // The library is the program's own business, done before it ends.
    EXPECT_FALSE(FileExists(run.PathOf(L"TorvaneFeedbackInformation.dll"))) << "the library waited";

    // Within the three seconds: the program file becomes a folder with a file in it.
    const std::wstring program = run.PathOf(L"Stellwick.exe");
    ASSERT_TRUE(DeleteFileW(program.c_str()));
    ASSERT_TRUE(CreateDirectoryW(program.c_str(), nullptr));
    const std::string precious = "not the tool's\r\n";
    ASSERT_TRUE(run.AddFile(L"Stellwick.exe\\precious.txt", precious));

    Sleep(8000);
    EXPECT_EQ(ReadWholeFile(run.PathOf(L"Stellwick.exe\\precious.txt")), precious);
    EXPECT_TRUE(FolderExists(program));
    EXPECT_EQ(ReadWholeFile(run.PathOf(L"notes.txt")), "mine\r\n");
}
