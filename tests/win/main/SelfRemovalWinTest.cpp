// The pieces of the self-removal that only the system can answer: its known
// folders and the listing of a real folder, fed into the decision.
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/CFeedbackInformation.h"
#include "support/FileIdentity.h"
#include "support/SupportLibraryPath.h"
#include "ui/main/KnownShellFolders.h"
#include "ui/main/SelfRemovalPlan.h"

namespace {

std::wstring CsidlPath(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool Contains(const std::vector<std::wstring>& list, const std::wstring& path)
{
    const std::wstring n = NormaliseFolderPath(path);
    return std::any_of(list.begin(), list.end(),
                       [&](const std::wstring& k) { return NormaliseFolderPath(k) == n; });
}

std::wstring TempFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ExeFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\'));
}

void Touch(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
}

} // namespace

TEST(SelfRemovalOnWindows, KnownFoldersCoverTheUsersAndTheSystemsFolders)
{
    const std::vector<std::wstring> known = KnownShellFolders();
    for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_PROFILE, CSIDL_PROGRAM_FILES,
                      CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_COMMON_APPDATA}) {
        const std::wstring path = CsidlPath(csidl);
        ASSERT_FALSE(path.empty()) << csidl;
        EXPECT_TRUE(Contains(known, path)) << csidl;
    }
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    EXPECT_TRUE(Contains(known, temp));

    // Downloads is a known folder only; it has no CSIDL.
    PWSTR downloads = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &downloads)));
    EXPECT_TRUE(Contains(known, downloads));
    const SelfRemovalPlan plan = PlanSelfRemoval(std::wstring(downloads) + L"\\Stellwick.exe",
                                                 SUPPORT_LIBRARY_FILE, {L"Stellwick.exe"}, true, known);
    EXPECT_EQ(plan.action, SelfRemovalPlan::Action::DeleteProgramFiles);
    CoTaskMemFree(downloads);
}

TEST(SelfRemovalOnWindows, RealFolderListingDecidesBetweenFolderAndFiles)
{
    const std::wstring folder = TempFolder(L"stellwick-removal-test");
    const std::wstring exe = folder + L"\\Stellwick.exe";
    const std::wstring dll = folder + L"\\" SUPPORT_LIBRARY_FILE;
    const std::wstring mine = folder + L"\\notes.txt";
    Touch(exe);
    Touch(dll);
    DeleteFileW(mine.c_str());

    std::vector<std::wstring> names;
    ASSERT_TRUE(ListFolderEntries(folder, &names));
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 2u);
    SelfRemovalPlan plan = PlanSelfRemoval(exe, SUPPORT_LIBRARY_FILE, names, true, KnownShellFolders());
    EXPECT_EQ(plan.action, SelfRemovalPlan::Action::RemoveFolder);
    EXPECT_EQ(plan.parameters, L"/D /C timeout /t 3 /nobreak & rmdir /s /q \"" + folder + L"\"");

    Touch(mine);
    ASSERT_TRUE(ListFolderEntries(folder, &names));
    EXPECT_EQ(names.size(), 3u);
    plan = PlanSelfRemoval(exe, SUPPORT_LIBRARY_FILE, names, true, KnownShellFolders());
    EXPECT_EQ(plan.action, SelfRemovalPlan::Action::DeleteProgramFiles);

    EXPECT_FALSE(ListFolderEntries(folder + L"\\does-not-exist", &names));
    for (const std::wstring& f : {exe, dll, mine})
        DeleteFileW(f.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(SelfRemovalOnWindows, ShortNameOfAKnownFolderIsStillRecognisedOnceLengthened)
{
    const std::vector<std::wstring> known = KnownShellFolders();
    PWSTR downloads = nullptr;
    ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &downloads)));
    const std::wstring longFolder = downloads;
    CoTaskMemFree(downloads);
    CreateDirectoryW(longFolder.c_str(), nullptr);

    wchar_t shortBuffer[MAX_PATH] = {};
    const DWORD n = GetShortPathNameW(longFolder.c_str(), shortBuffer, MAX_PATH);
    ASSERT_GT(n, 0u);
    ASSERT_LT(n, static_cast<DWORD>(MAX_PATH));
    const std::wstring shortFolder(shortBuffer, n);
    // Only meaningful when the system really has a different short form.
    ASSERT_NE(NormaliseFolderPath(shortFolder), NormaliseFolderPath(longFolder));

    const std::wstring exe = shortFolder + L"\\Stellwick.exe";
    Touch(exe);
    const std::wstring lengthened = LongPathOf(exe);
    EXPECT_EQ(NormaliseFolderPath(lengthened), NormaliseFolderPath(longFolder + L"\\Stellwick.exe"));
    const SelfRemovalPlan plan =
        PlanSelfRemoval(lengthened, SUPPORT_LIBRARY_FILE, {L"Stellwick.exe"}, true, known);
    EXPECT_EQ(plan.action, SelfRemovalPlan::Action::DeleteProgramFiles);
    // The path as started would have slipped through.
    EXPECT_EQ(PlanSelfRemoval(exe, SUPPORT_LIBRARY_FILE, {L"Stellwick.exe"}, true, known).action,
              SelfRemovalPlan::Action::RemoveFolder);
    DeleteFileW(exe.c_str());

    // A path that does not exist comes back as it was.
    EXPECT_EQ(LongPathOf(L"C:\\does-not-exist\\x.exe"), L"C:\\does-not-exist\\x.exe");
}

TEST(SelfRemovalOnWindows, KnownFolderOrRootByAnotherNameIsFoundByIdentity)
{
    const std::vector<std::wstring> known = KnownShellFolders();
    const std::wstring windows = CsidlPath(CSIDL_WINDOWS);
    const DWORD start = GetTickCount();
    // The same folder under a name no text comparison would match.
    EXPECT_TRUE(IsKnownFolderByIdentity(windows + L"\\system32\\..", known));
    EXPECT_TRUE(IsKnownFolderByIdentity(L"C:\\.", known));
    const std::wstring own = TempFolder(L"stellwick-identity-test");
    EXPECT_FALSE(IsKnownFolderByIdentity(own, known));
    EXPECT_FALSE(IsKnownFolderByIdentity(own + L"\\does-not-exist", known));
    RemoveDirectoryW(own.c_str());
    std::printf("identity checks took %lu ms\n", GetTickCount() - start);
}

TEST(SelfRemovalOnWindows, SupportLibraryIsDeletedOnlyWhenItIsTheFileThatWasLoaded)
{
    const std::wstring folder = TempFolder(L"stellwick-library-test");
    const std::wstring library = folder + L"\\" SUPPORT_LIBRARY_FILE;
    const std::wstring standin = ExeFolder() + L"\\" SUPPORT_LIBRARY_FILE;
    ASSERT_TRUE(CopyFileW(standin.c_str(), library.c_str(), FALSE));

    CFeedbackInformation feedback;
    ASSERT_TRUE(feedback.Load(folder));
    const FileIdentity loaded = feedback.LoadedIdentity();
    ASSERT_TRUE(loaded.valid);
    feedback.Unload();

    // Another file put at the name after the load is not the one to delete.
    const std::wstring aside = folder + L"\\loaded.dll";
    ASSERT_TRUE(MoveFileW(library.c_str(), aside.c_str()));
    ASSERT_TRUE(CopyFileW(standin.c_str(), library.c_str(), FALSE));
    EXPECT_FALSE(DeleteFileIfSame(library, loaded));
    EXPECT_TRUE(FileExists(library));

    DeleteFileW(library.c_str());
    ASSERT_TRUE(MoveFileW(aside.c_str(), library.c_str()));
    const DWORD start = GetTickCount();
    EXPECT_TRUE(DeleteFileIfSame(library, loaded));
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_FALSE(FileExists(library));

    // The pattern del is given matches the program file and nothing else there.
    const std::wstring exe = folder + L"\\Stellwick.exe";
    Touch(exe);
    EXPECT_TRUE(PatternMatchesOnly(folder, L"?tellwick.exe", L"Stellwick.exe"));
    Touch(folder + L"\\xtellwick.exe");
    EXPECT_FALSE(PatternMatchesOnly(folder, L"?tellwick.exe", L"Stellwick.exe"));
    DeleteFileW((folder + L"\\xtellwick.exe").c_str());
    DeleteFileW(exe.c_str());
    RemoveDirectoryW(folder.c_str());
}
