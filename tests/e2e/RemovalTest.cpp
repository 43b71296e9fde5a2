// What a normal close leaves of the program's folder.
#include "CJournal.h"
#include "E2eFixture.h"
#include "E2ePaths.h"
#include "Poll.h"
#include "UserInput.h"

#include <shlobj.h>

#include <vector>

namespace {

// Runs the system's cmd with these parameters in the folder; its exit code.
DWORD RunCmd(const std::wstring& parameters, const std::wstring& folder)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring cmd = std::wstring(system) + L"\\cmd.exe";
    std::wstring line = L"\"" + cmd + L"\" " + parameters;
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(cmd.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &si, &pi))
        return 0xFFFFFFFF;
    DWORD code = 0xFFFFFFFF;
    WaitForSingleObject(pi.hProcess, 10000);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

// Wine's Unix name of a path: a link is made from the Unix side, since Wine
// itself makes none.
std::string UnixNameOf(const std::wstring& path)
{
    using GetUnixName = char*(__cdecl*)(const wchar_t*);
    const auto get = reinterpret_cast<GetUnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!get)
        return {};
    char* name = get(path.c_str());
    if (!name)
        return {};
    std::string out = name;
    HeapFree(GetProcessHeap(), 0, name);
    return out;
}

std::wstring Widened(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

} // namespace

class Removal : public E2eFixture
{
};

TEST_F(Removal, FolderHoldingOnlyTheTwoFilesIsGone)
{
    CToolRun run(L"removal-own-folder");
    ASSERT_TRUE(run.AddProgram());
    ASSERT_TRUE(run.AddLibrary(StandinLibrary()));
    StartAndCloseAnsweringSolved(run);
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
    StartAndCloseAnsweringSolved(run);
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
    StartAndCloseAnsweringSolved(run);
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

TEST_F(Removal, ParentRenamedAndLinkedDuringTheWaitLeadsTheRemovalNowhere)
{
    // The tool in ...\parent\Stellwick; a folder of someone else's with the
    // same inner name elsewhere.
    const std::wstring base = ScenarioRoot() + L"\\removal-held-parent";
    // A link left by an earlier run that failed goes first, by itself: Wine
    // shows it as a plain folder and would empty what it leads to.
    SHCreateDirectoryExW(nullptr, base.c_str(), nullptr);
    const std::string unixLink = UnixNameOf(base + L"\\parent");
    ASSERT_FALSE(unixLink.empty());
    RunCmd(L"/c start /wait /unix /bin/rm -f \"" + Widened(unixLink) + L"\"", ScenarioRoot());
    RemoveTree(base);
    const std::wstring victim = base + L"\\victim";
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, (victim + L"\\Stellwick").c_str(), nullptr), ERROR_SUCCESS);
    const std::string precious = "not the tool's\r\n";
    ASSERT_TRUE(WriteWholeFile(victim + L"\\Stellwick\\precious.txt", precious));
    CToolRun run(L"removal-held-parent\\parent\\Stellwick");
    ASSERT_TRUE(run.AddProgram());
    ASSERT_TRUE(run.AddLibrary(StandinLibrary()));
    const std::string unixVictim = UnixNameOf(victim);
    ASSERT_FALSE(unixVictim.empty());
    StartAndCloseAnsweringSolved(run);
    if (HasFatalFailure())
        return;

    // Within the three seconds: the parent moved aside and a link to the
    // other folder put at its name.
    RunCmd(L"/c ren parent parent.old", base);
    EXPECT_FALSE(FolderExists(base + L"\\parent.old")) << "the parent could be renamed during the wait";
    if (!FolderExists(base + L"\\parent"))
        RunCmd(L"/c start /wait /unix /bin/ln -s \"" + Widened(unixVictim) + L"\" \"" + Widened(unixLink) +
                   L"\"",
               base);

    EXPECT_TRUE(PollUntil([&] { return !FolderExists(run.Folder()); }, 20000)) << "the folder stayed";
    Sleep(1000);
    EXPECT_EQ(ReadWholeFile(victim + L"\\Stellwick\\precious.txt"), precious);
    // Once the removal is over, the parent is free again.
    EXPECT_EQ(RunCmd(L"/c ren parent parent.old", base), 0u);
    EXPECT_TRUE(FolderExists(base + L"\\parent.old"));
    RemoveTree(base);
}

TEST_F(Removal, LibraryHeldOpenDuringTheCloseGoesWithTheDelayedCommand)
{
    CToolRun run(L"removal-library-held");
    ASSERT_TRUE(run.AddProgram());
    ASSERT_TRUE(run.AddLibrary(StandinLibrary()));
    ASSERT_TRUE(run.AddFile(L"notes.txt", "mine\r\n"));
    // As a scanner would: open for reading, without delete sharing.
    const std::wstring library = run.PathOf(L"TorvaneFeedbackInformation.dll");
    HANDLE scanner =
        CreateFileW(library.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(scanner, INVALID_HANDLE_VALUE);
    StartAndCloseAnsweringSolved(run);
    const bool stayedWhileHeld = FileExists(library);
    CloseHandle(scanner);
    if (HasFatalFailure())
        return;
    EXPECT_TRUE(stayedWhileHeld) << "the library was deleted although it was held open";
    EXPECT_TRUE(
        PollUntil([&] { return !FileExists(library) && !FileExists(run.PathOf(L"Stellwick.exe")); }, 20000))
        << "the library or the program stayed";
    EXPECT_EQ(ReadWholeFile(run.PathOf(L"notes.txt")), "mine\r\n");
}

TEST_F(Removal, InstalledCopiesUnderProgramFilesStay)
{
    // A 32-bit process under a 64-bit Windows is told the (x86) folder and
    // finds the native one as ProgramW6432.
    for (const std::wstring root : {L"C:\\Program Files", L"C:\\Program Files (x86)"}) {
        {
            CToolRun run(root, L"Stellwick");
            ASSERT_TRUE(run.AddProgram());
            ASSERT_TRUE(run.AddLibrary(StandinLibrary()));
            StartAndCloseAnsweringSolved(run);
            if (HasFatalFailure())
                return;
            Sleep(5000);
            EXPECT_TRUE(FileExists(run.PathOf(L"Stellwick.exe"))) << root;
            EXPECT_TRUE(FileExists(run.PathOf(L"TorvaneFeedbackInformation.dll"))) << root;
        }
        RemoveTree(root + L"\\Stellwick");
    }
}
