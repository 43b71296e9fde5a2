// A start that one of the checks refuses: one prompt, nothing else on screen,
// exit code 0, and the first failing check decides the text. And a start from
// a folder where libraries were planted under the names of those the tool loads.
#include "CJournal.h"
#include "E2eFixture.h"
#include "E2ePaths.h"
#include "UserInput.h"

#include <psapi.h>

#include <cstring>
#include <vector>

namespace {

struct LoadedModule
{
    HMODULE base;
    std::wstring path;
};

// Every module mapped in the process, as the process itself lists them.
std::vector<LoadedModule> LoadedModules(HANDLE process)
{
    HMODULE modules[1024];
    DWORD needed = 0;
    if (!K32EnumProcessModulesEx(process, modules, sizeof(modules), &needed, LIST_MODULES_ALL))
        return {};
    std::vector<LoadedModule> list;
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 1024; ++i) {
        wchar_t path[MAX_PATH];
        DWORD n = K32GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
        if (n)
            list.push_back({modules[i], std::wstring(path, n)});
    }
    return list;
}

std::wstring BaseName(const std::wstring& path)
{
    return path.substr(path.rfind(L'\\') + 1);
}

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

// Wine maps its own code for most system names even when a file of that name
// lies in the program's folder, and then lists the module under that file's
// path (measured with Wine 8, for what the program's import table pulls in
// before any of its code runs). Its own images carry this text in the stub of
// their headers; the planted library does not, and Windows never lists a
// planted path for a library it took from the system.
bool IsWineOwnImage(HANDLE process, HMODULE base)
{
    if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        return false;
    char stub[17] = {};
    SIZE_T read = 0;
    return ReadProcessMemory(process, reinterpret_cast<const char*>(base) + 0x40, stub, 16, &read) &&
           read == 16 && std::strcmp(stub, "Wine builtin DLL") == 0;
}

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
    ASSERT_TRUE(run.WaitForExit(15000, &code)) << "the tool did not end after the refusal\n"
                                               << DescribeWindows(pid);
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

TEST_F(StartupChecks, LibrariesPlantedUnderTheNamesItLoadsAreNeverLoaded)
{
    // The names: whatever the tool has mapped once its panel is up, in a clean run.
    std::vector<std::wstring> names;
    {
        CToolRun clean(L"startup-modules");
        PrepareStandardRun(clean);
        MainWindow main;
        StartAndWaitReady(clean, &main);
        for (const auto& module : LoadedModules(clean.Process())) {
            const std::wstring name = BaseName(module.path);
            if (!SameText(name, L"Stellwick.exe") && !SameText(name, L"TorvaneFeedbackInformation.dll"))
                names.push_back(name);
        }
        CloseAnsweringSolved(clean, main);
    }
    ASSERT_GE(names.size(), 10u) << "the process listed too few modules";

    CToolRun run(L"startup-planted-libraries");
    PrepareStandardRun(run);
    for (const auto& name : names)
        ASSERT_TRUE(run.CopyIn(PlantedLibraryImage(), name)) << Utf8(name);
    MainWindow main;
    StartAndWaitReady(run, &main);
    if (!HasFatalFailure()) {
        const std::wstring folder = run.Folder() + L"\\";
        for (const auto& module : LoadedModules(run.Process())) {
            if (module.path.size() <= folder.size() ||
                !SameText(module.path.substr(0, folder.size()), folder))
                continue;
            EXPECT_TRUE(SameText(BaseName(module.path), L"Stellwick.exe") ||
                        SameText(BaseName(module.path), L"TorvaneFeedbackInformation.dll") ||
                        IsWineOwnImage(run.Process(), module.base))
                << "mapped from the program's folder: " << Utf8(module.path);
        }
        CloseAnsweringSolved(run, main);
    }
    EXPECT_FALSE(FileExists(PlantedLibraryLog())) << "a planted library was loaded:\n"
                                                  << ReadWholeFile(PlantedLibraryLog());
}
