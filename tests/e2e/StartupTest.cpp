// A start that one of the checks refuses: one prompt, nothing else on screen,
// exit code 0, and the first failing check decides the text.
#include "CJournal.h"
#include "E2eFixture.h"
#include "E2ePaths.h"
#include "UserInput.h"

namespace {

// Waits for the refusal, checks that it is all the tool shows, answers it and
// expects the process to end with 0.
void ExpectOnlyRefusal(CToolRun& run, const std::wstring& text)
{
    ASSERT_TRUE(run.Start());
    DWORD pid = run.ProcessId();
    PromptView prompt;
    ASSERT_TRUE(WaitForPrompt(pid, 30000, &prompt)) << "no prompt\n" << DescribeWindows(pid);
    EXPECT_EQ(Utf8(prompt.text), Utf8(text));
    EXPECT_TRUE(prompt.firstShown);
    EXPECT_FALSE(prompt.secondShown) << "a refusal has only the confirm button";
    for (HWND window : TopWindowsOf(pid, true)) {
        EXPECT_TRUE(window == prompt.frame || window == prompt.content)
            << "something besides the prompt is on screen: \"" << Utf8(WindowText(window)) << "\"";
    }
    EXPECT_EQ(FindMainWindow(pid).panel, nullptr);
    ASSERT_TRUE(ClickControl(prompt.content, PROMPT_FIRST));
    DWORD code = 1234;
    ASSERT_TRUE(run.WaitForExit(15000, &code)) << "the tool did not end after the refusal\n" << DescribeWindows(pid);
    EXPECT_EQ(code, 0u);
}

} // namespace

class StartupChecks : public E2eFixture
{
};

TEST_F(StartupChecks, WithoutTheLibraryInitialisationFails)
{
    CToolRun run(L"startup-no-library");
    ASSERT_TRUE(run.AddProgram());
    ExpectOnlyRefusal(run, texts::INIT_FAILED);
    EXPECT_TRUE(CJournal::Lines().empty());
}

TEST_F(StartupChecks, LibraryLackingOneExportFails)
{
    // The first, a middle and the last export in load order.
    for (int n : {1, 6, 11}) {
        SCOPED_TRACE("library without export " + std::to_string(n));
        CJournal::Clear();
        CToolRun run(L"startup-without-" + std::to_wstring(n));
        ASSERT_TRUE(run.AddProgram());
        ASSERT_TRUE(run.AddLibrary(StandinLibraryWithout(n)));
        ASSERT_TRUE(run.AddSettings(QUIET_SETTINGS));
        ExpectOnlyRefusal(run, texts::INIT_FAILED);
        // A library that is not whole is never called.
        EXPECT_EQ(CJournal::CountOf("InitFreedbackDll"), 0u);
    }
}

TEST_F(StartupChecks, FailingInitialisationFailsAndLeavesTheFolder)
{
    CToolRun run(L"startup-init-fails");
    PrepareStandardRun(run, "[Component]\r\nInitResult=0\r\nOpenPages=0\r\n");
    ExpectOnlyRefusal(run, texts::INIT_FAILED);
    EXPECT_EQ(CJournal::CountOf("InitFreedbackDll"), 1u);
    EXPECT_EQ(CJournal::CountOf("GetToolIsNewVersion"), 0u);
    EXPECT_EQ(CJournal::CountOf("CustomerFeedbackEx"), 0u) << "no report on an immediate end";
    // An immediate end removes nothing: give a removal the time it would take.
    Sleep(4500);
    EXPECT_TRUE(FileExists(run.PathOf(L"Stellwick.exe")));
    EXPECT_TRUE(FileExists(run.PathOf(L"TorvaneFeedbackInformation.dll")));
}

// Run in a prefix that reports Windows 8.1.
class StartupOnOldWindows : public E2eFixture
{
};

TEST_F(StartupOnOldWindows, OnlyTheUnsupportedSystemPrompt)
{
    CToolRun run(L"startup-old-windows");
    PrepareStandardRun(run);
    ExpectOnlyRefusal(run, texts::UNSUPPORTED);
    EXPECT_EQ(CJournal::CountOf("InitFreedbackDll"), 0u) << "the version is checked before the library";
}

TEST_F(StartupOnOldWindows, VersionIsCheckedBeforeTheLibrary)
{
    CToolRun run(L"startup-old-windows-no-library");
    ASSERT_TRUE(run.AddProgram());
    ExpectOnlyRefusal(run, texts::UNSUPPORTED);
}
