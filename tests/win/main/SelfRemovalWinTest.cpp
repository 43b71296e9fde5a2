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
#include "ui/main/FolderChainHold.h"
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

TEST(SelfRemovalOnWindows, HeldParentsCannotBeRenamed)
{
    const std::wstring base = TempFolder(L"stellwick-hold-test");
    const std::wstring parent = base + L"\\parent";
    const std::wstring folder = parent + L"\\Stellwick";
    CreateDirectoryW(parent.c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);

    FolderChainHold hold;
    ASSERT_TRUE(hold.Hold(folder, false));
    EXPECT_EQ(hold.Count(), ParentFoldersBelowRoot(folder).size());
    EXPECT_TRUE(hold.Identities().back().SameAs(IdentityOfPath(parent)));
    EXPECT_FALSE(MoveFileW(parent.c_str(), (base + L"\\parent.old").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    // The folder itself stays free to go.
    ASSERT_TRUE(MoveFileW(folder.c_str(), (parent + L"\\moved").c_str()));
    ASSERT_TRUE(MoveFileW((parent + L"\\moved").c_str(), folder.c_str()));

    // Where the folder stays, it is held too; where a folder is missing, nothing is.
    ASSERT_TRUE(hold.Hold(folder, true));
    EXPECT_FALSE(MoveFileW(folder.c_str(), (parent + L"\\moved").c_str()));
    EXPECT_FALSE(hold.Hold(folder + L"\\missing\\deeper", false));
    EXPECT_EQ(hold.Count(), 0u);
    EXPECT_TRUE(MoveFileW(folder.c_str(), (parent + L"\\moved").c_str()));
    RemoveDirectoryW((parent + L"\\moved").c_str());
    RemoveDirectoryW(parent.c_str());
    RemoveDirectoryW(base.c_str());
}

TEST(SelfRemovalOnWindows, ProfilesAndProgramFilesFoldersOfTheSystem)
{
    const std::vector<std::wstring> profiles = UserProfileFolders();
    EXPECT_TRUE(Contains(profiles, CsidlPath(CSIDL_PROFILE)));
    // The running account's and at least one from the system's list.
    EXPECT_GE(profiles.size(), 2u);
    // A folder directly inside the profile is kept; its own folder one level deeper goes.
    SelfRemovalFolders folders;
    folders.profiles = profiles;
    EXPECT_EQ(PlanSelfRemovalWithFolders(CsidlPath(CSIDL_PROFILE) + L"\\sw\\Stellwick.exe",
                                         SUPPORT_LIBRARY_FILE, {L"Stellwick.exe"}, true, folders)
                  .action,
              SelfRemovalPlan::Action::DeleteProgramFiles);
    const std::wstring inProfile = CsidlPath(CSIDL_PROFILE) + L"\\stellwick-profile-test";
    CreateDirectoryW(inProfile.c_str(), nullptr);
    EXPECT_TRUE(IsKnownFolderByIdentity(inProfile + L"\\.", {}, profiles));
    RemoveDirectoryW(inProfile.c_str());

    // A 32-bit process on a 64-bit system sees both.
    const std::vector<std::wstring> programFiles = ProgramFilesFolders();
    EXPECT_TRUE(Contains(programFiles, L"C:\\Program Files"));
    EXPECT_TRUE(Contains(programFiles, L"C:\\Program Files (x86)"));
    const std::wstring pf = L"C:\\Program Files\\stellwick-pf-test";
    CreateDirectoryW(pf.c_str(), nullptr);
    FolderChainHold hold;
    ASSERT_TRUE(hold.Hold(pf + L"\\inner", false));
    EXPECT_TRUE(
        IsAnyOfFoldersByIdentity(L"C:\\PROGRA~1\\stellwick-pf-test\\inner", hold.Identities(), programFiles));
    hold.Release();
    RemoveDirectoryW(pf.c_str());
}
