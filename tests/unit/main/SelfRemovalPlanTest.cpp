#include "ui/main/SelfRemovalPlan.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kDll = L"TorvaneFeedbackInformation.dll";

std::vector<std::wstring> OnlyOurs(const std::wstring& exe)
{
    return {exe, kDll};
}

const std::vector<std::wstring> kKnown = {
    L"C:\\Users\\ann\\Desktop", L"C:\\Users\\ann\\Downloads\\", L"C:\\Users\\ann",
    L"C:\\Program Files",       L"C:\\Program Files (x86)",     L"C:\\Windows",
    L"C:\\Windows\\system32",
};

// The plan for Stellwick.exe alone with its library in the folder of exe.
SelfRemovalPlan PlanAlone(const std::wstring& exe, const SelfRemovalFolders& folders)
{
    return PlanSelfRemovalWithFolders(exe, kDll, OnlyOurs(L"Stellwick.exe"), true, folders);
}

} // namespace

TEST(SelfRemovalPlan, OwnFolderIsRemovedWholeAfterTheWait)
{
    const SelfRemovalPlan p = PlanSelfRemoval(L"C:\\T\\x.exe", kDll, OnlyOurs(L"x.exe"), true, kKnown);
    EXPECT_EQ(p.action, SelfRemovalPlan::Action::RemoveFolder);
    EXPECT_EQ(p.folder, L"C:\\T");
    EXPECT_EQ(p.parameters, L"/D /C timeout /t 3 /nobreak & rmdir /s /q \"C:\\T\"");
}

TEST(SelfRemovalPlan, FolderWithSpacesStaysOneQuotedArgument)
{
    const SelfRemovalPlan p =
        PlanSelfRemoval(L"C:\\My Tools\\Stellwick\\Stellwick.exe", kDll, {L"stellwick.EXE"}, true, kKnown);
    EXPECT_EQ(p.action, SelfRemovalPlan::Action::RemoveFolder);
    EXPECT_EQ(p.parameters, L"/D /C timeout /t 3 /nobreak & rmdir /s /q \"C:\\My Tools\\Stellwick\"");
}

TEST(SelfRemovalPlan, AnythingElseInTheFolderKeepsItAndDeletesOnlyOurTwoFiles)
{
    std::vector<std::wstring> entries = OnlyOurs(L"Stellwick.exe");
    entries.push_back(L"report.docx");
    const SelfRemovalPlan p = PlanSelfRemoval(L"D:\\Share\\Stellwick.exe", kDll, entries, true, kKnown);
    EXPECT_EQ(p.action, SelfRemovalPlan::Action::DeleteProgramFiles);
    // The library goes at once through the program; del gets a pattern, never
    // the bare name, which it would empty if a folder were put there.
    EXPECT_TRUE(p.deleteSupportLibrary);
    EXPECT_EQ(p.programPattern, L"?tellwick.exe");
    EXPECT_EQ(p.parameters, L"/D /C timeout /t 3 /nobreak & del /f /q \"D:\\Share\\?tellwick.exe\"");

    // A sub-folder counts as something else too.
    const SelfRemovalPlan sub =
        PlanSelfRemoval(L"D:\\Share\\Stellwick.exe", kDll, {L"Stellwick.exe", L"logs"}, true, kKnown);
    EXPECT_EQ(sub.action, SelfRemovalPlan::Action::DeleteProgramFiles);
}

TEST(SelfRemovalPlan, UnreadableListingIsTreatedAsForeignContent)
{
    const SelfRemovalPlan p = PlanSelfRemoval(L"C:\\T\\x.exe", kDll, OnlyOurs(L"x.exe"), false, kKnown);
    EXPECT_EQ(p.action, SelfRemovalPlan::Action::DeleteProgramFiles);
    EXPECT_FALSE(p.deleteSupportLibrary);
}

TEST(SelfRemovalPlan, AnotherProgramInTheFolderKeepsTheSupportLibrary)
{
    std::vector<std::wstring> entries = OnlyOurs(L"Stellwick.exe");
    entries.push_back(L"OtherTool.EXE");
    const SelfRemovalPlan p = PlanSelfRemoval(L"D:\\Share\\Stellwick.exe", kDll, entries, true, kKnown);
    EXPECT_EQ(p.action, SelfRemovalPlan::Action::DeleteProgramFiles);
    EXPECT_FALSE(p.deleteSupportLibrary);
    EXPECT_EQ(p.parameters, L"/D /C timeout /t 3 /nobreak & del /f /q \"D:\\Share\\?tellwick.exe\"");
}

TEST(SelfRemovalPlan, KnownFolderOrRootReachedByAnotherNameIsStillKept)
{
    for (const std::wstring exe :
         {L"\\\\localhost\\C$\\Users\\ann\\Downloads\\Stellwick.exe",
          L"\\\\127.0.0.1\\c$\\Windows\\Stellwick.exe",
          L"\\\\?\\UNC\\localhost\\C$\\Users\\ann\\Stellwick.exe", L"\\\\.\\C:\\Program Files\\Stellwick.exe",
          L"\\\\?\\Volume{0b1c2d3e-0000-0000-0000-100000000000}\\Stellwick.exe",
          L"\\\\localhost\\D$\\Stellwick.exe"}) {
        const SelfRemovalPlan p = PlanSelfRemoval(exe, kDll, OnlyOurs(L"Stellwick.exe"), true, kKnown);
        EXPECT_EQ(p.action, SelfRemovalPlan::Action::DeleteProgramFiles) << exe;
    }
    // What only the system can tell (a share under another name, a mounted volume) comes in as a fact.
    EXPECT_EQ(PlanSelfRemoval(L"\\\\pc7\\dl\\sw\\Stellwick.exe", kDll, OnlyOurs(L"Stellwick.exe"), true,
                              kKnown, true)
                  .action,
              SelfRemovalPlan::Action::DeleteProgramFiles);
    // A folder of its own on such a path still goes whole.
    EXPECT_EQ(PlanSelfRemoval(L"\\\\localhost\\C$\\Users\\ann\\Downloads\\sw\\Stellwick.exe", kDll,
                              OnlyOurs(L"Stellwick.exe"), true, kKnown)
                  .action,
              SelfRemovalPlan::Action::RemoveFolder);
}

TEST(SelfRemovalPlan, KnownShellFoldersAreNeverRemovedWhateverTheirCaseOrTrailingSlash)
{
    for (const std::wstring exe :
         {L"C:\\Users\\ann\\Downloads\\Stellwick.exe", L"c:\\users\\ANN\\desktop\\Stellwick.exe",
          L"C:\\Users\\ann\\Stellwick.exe", L"C:\\Program Files\\Stellwick.exe", L"C:/Windows/Stellwick.exe",
          L"C:\\Windows\\System32\\Stellwick.exe", L"\\\\?\\C:\\Program Files (x86)\\Stellwick.exe"}) {
        const SelfRemovalPlan p = PlanSelfRemoval(exe, kDll, OnlyOurs(L"Stellwick.exe"), true, kKnown);
        EXPECT_EQ(p.action, SelfRemovalPlan::Action::DeleteProgramFiles) << exe;
        EXPECT_EQ(p.parameters.find(L"rmdir"), std::wstring::npos) << exe;
    }
    // A folder of its own below a known folder is the tool's and goes.
    const SelfRemovalPlan p = PlanSelfRemoval(L"C:\\Users\\ann\\Downloads\\Stellwick\\Stellwick.exe", kDll,
                                              OnlyOurs(L"Stellwick.exe"), true, kKnown);
    EXPECT_EQ(p.action, SelfRemovalPlan::Action::RemoveFolder);
}

TEST(SelfRemovalPlan, DriveRootKeepsEverythingButOurFiles)
{
    const SelfRemovalPlan p =
        PlanSelfRemoval(L"E:\\Stellwick.exe", kDll, OnlyOurs(L"Stellwick.exe"), true, {});
    EXPECT_EQ(p.action, SelfRemovalPlan::Action::DeleteProgramFiles);
    // The root keeps its backslash: "E:Stellwick.exe" would mean the current folder of E:.
    EXPECT_EQ(p.parameters, L"/D /C timeout /t 3 /nobreak & del /f /q \"E:\\?tellwick.exe\"");

    const SelfRemovalPlan share =
        PlanSelfRemoval(L"\\\\server\\tools\\Stellwick.exe", kDll, OnlyOurs(L"Stellwick.exe"), true, {});
    EXPECT_EQ(share.action, SelfRemovalPlan::Action::DeleteProgramFiles);
    const SelfRemovalPlan inShare =
        PlanSelfRemoval(L"\\\\server\\tools\\sw\\Stellwick.exe", kDll, OnlyOurs(L"Stellwick.exe"), true, {});
    EXPECT_EQ(inShare.action, SelfRemovalPlan::Action::RemoveFolder);
}

TEST(SelfRemovalPlan, PathsCmdWouldExpandAreNotHandedToIt)
{
    for (const std::wstring exe : {L"C:\\100%\\Stellwick.exe", L"C:\\%TEMP%\\Stellwick.exe",
                                   L"C:\\a!b!c\\Stellwick.exe", L"C:\\T\\x%PATH%.exe"}) {
        const SelfRemovalPlan p = PlanSelfRemoval(exe, kDll, {L"Stellwick.exe"}, true, {});
        EXPECT_EQ(p.action, SelfRemovalPlan::Action::Nothing) << exe;
        EXPECT_TRUE(p.parameters.empty()) << exe;
    }
}

TEST(SelfRemovalPlan, ProgramPathWithoutAFolderRemovesNothing)
{
    EXPECT_EQ(PlanSelfRemoval(L"x.exe", kDll, {L"x.exe"}, true, {}).action, SelfRemovalPlan::Action::Nothing);
    EXPECT_EQ(PlanSelfRemoval(L"C:\\T\\", kDll, {}, true, {}).action, SelfRemovalPlan::Action::Nothing);
    EXPECT_EQ(PlanSelfRemoval(L"", kDll, {}, true, {}).action, SelfRemovalPlan::Action::Nothing);
}

TEST(SelfRemovalPlan, NormalisedPathsCompareAlike)
{
    EXPECT_EQ(NormaliseFolderPath(L"C:\\Users\\Ann\\"), L"c:\\users\\ann");
    EXPECT_EQ(NormaliseFolderPath(L"C:/Users//Ann"), L"c:\\users\\ann");
    EXPECT_EQ(NormaliseFolderPath(L"\\\\?\\UNC\\Srv\\Share\\"), L"\\\\srv\\share");
    EXPECT_EQ(NormaliseFolderPath(L"\\\\Srv\\Share"), L"\\\\srv\\share");
    EXPECT_TRUE(IsDriveRoot(L"C:"));
    EXPECT_TRUE(IsDriveRoot(L"c:\\"));
    EXPECT_TRUE(IsDriveRoot(L"\\\\srv\\share\\"));
    EXPECT_FALSE(IsDriveRoot(L"C:\\T"));
    EXPECT_FALSE(IsDriveRoot(L"\\\\srv\\share\\t"));
}

TEST(SelfRemovalPlan, EveryUsersProfileAndWhatLiesDirectlyInItAreKept)
{
    // The technician elevated with his own account: bob is the logged-on user.
    SelfRemovalFolders folders;
    folders.known = kKnown;
    folders.profiles = {L"C:\\Users\\bob", L"D:\\Profiles\\carol\\"};
    for (const std::wstring exe :
         {L"C:\\Users\\bob\\Downloads\\Stellwick.exe", L"c:/users/BOB/Desktop/Stellwick.exe",
          L"C:\\Users\\bob\\Stellwick.exe", L"D:\\Profiles\\Carol\\sw\\Stellwick.exe",
          L"\\\\localhost\\D$\\Profiles\\carol\\Downloads\\Stellwick.exe"}) {
        const SelfRemovalPlan p = PlanAlone(exe, folders);
        EXPECT_EQ(p.action, SelfRemovalPlan::Action::DeleteProgramFiles) << exe;
    }
    // One level further down is a folder of the tool's own again.
    EXPECT_EQ(PlanAlone(L"C:\\Users\\bob\\Downloads\\Stellwick\\Stellwick.exe", folders).action,
              SelfRemovalPlan::Action::RemoveFolder);
    // A name that only begins like a profile is no profile.
    EXPECT_EQ(PlanAlone(L"C:\\Users\\bobby\\sw\\Stellwick.exe", folders).action,
              SelfRemovalPlan::Action::RemoveFolder);
}

TEST(SelfRemovalPlan, InstalledCopyUnderProgramFilesIsLeftAsItIs)
{
    SelfRemovalFolders folders;
    folders.known = kKnown;
    folders.programFiles = {L"C:\\Program Files (x86)", L"C:\\Program Files\\"};
    for (const std::wstring exe :
         {L"C:\\Program Files\\Stellwick\\Stellwick.exe", L"c:/program files (X86)/Stellwick/Stellwick.exe",
          L"C:\\Program Files\\Stellwick.exe", L"\\\\?\\C:\\Program Files\\Vendor\\Stellwick\\Stellwick.exe",
          L"\\\\localhost\\c$\\Program Files\\Stellwick\\Stellwick.exe",
          L"C:\\\\Program Files\\\\Stellwick\\Stellwick.exe"}) {
        const SelfRemovalPlan p = PlanAlone(exe, folders);
        EXPECT_EQ(p.action, SelfRemovalPlan::Action::Nothing) << exe;
        EXPECT_TRUE(p.parameters.empty()) << exe;
        EXPECT_FALSE(p.deleteSupportLibrary) << exe;
    }
    // A folder whose name only begins the same, and any other place, go as before.
    const SelfRemovalPlan beside = PlanAlone(L"C:\\Program Files2\\Stellwick\\Stellwick.exe", folders);
    EXPECT_EQ(beside.parameters,
              L"/D /C timeout /t 3 /nobreak & rmdir /s /q \"C:\\Program Files2\\Stellwick\"");
    // Another name of the same folder, as only the system can tell.
    folders.programFilesByIdentity = true;
    EXPECT_EQ(PlanAlone(L"E:\\pf\\Stellwick\\Stellwick.exe", folders).action,
              SelfRemovalPlan::Action::Nothing);
}

TEST(SelfRemovalPlan, LibraryTheProgramCouldNotDeleteGoesWithTheDelayedDel)
{
    SelfRemovalPlan p = PlanSelfRemoval(L"D:\\Share\\Stellwick.exe", kDll,
                                        {L"Stellwick.exe", kDll, L"report.docx"}, true, kKnown);
    ASSERT_TRUE(AddSupportLibraryToDelete(&p, kDll));
    EXPECT_EQ(p.libraryPattern, L"?orvaneFeedbackInformation.dll");
    EXPECT_EQ(p.parameters, L"/D /C timeout /t 3 /nobreak & del /f /q \"D:\\Share\\?tellwick.exe\" "
                            L"\"D:\\Share\\?orvaneFeedbackInformation.dll\"");

    // Not where the library is another program's, nor where the folder goes whole anyway.
    SelfRemovalPlan shared = PlanSelfRemoval(L"D:\\Share\\Stellwick.exe", kDll,
                                             {L"Stellwick.exe", kDll, L"Other.exe"}, true, kKnown);
    const std::wstring before = shared.parameters;
    EXPECT_FALSE(AddSupportLibraryToDelete(&shared, kDll));
    EXPECT_EQ(shared.parameters, before);
    EXPECT_TRUE(shared.libraryPattern.empty());
    SelfRemovalPlan whole = PlanSelfRemoval(L"C:\\T\\x.exe", kDll, OnlyOurs(L"x.exe"), true, kKnown);
    EXPECT_FALSE(AddSupportLibraryToDelete(&whole, kDll));
}

TEST(SelfRemovalPlan, KnownFoldersAreOpenedOnlyOnTheProgramsOwnVolume)
{
    const std::wstring vol = L"\\\\?\\Volume{0b1c2d3e-0000-0000-0000-100000000000}\\";
    // Same root by text: always worth it.
    EXPECT_TRUE(WorthComparingByIdentity(L"C:\\T", L"", L"c:\\Users\\ann\\Documents", L""));
    EXPECT_TRUE(WorthComparingByIdentity(L"\\\\localhost\\C$\\T", L"", L"C:\\Windows", L""));
    EXPECT_TRUE(WorthComparingByIdentity(L"\\\\Srv\\Tools\\sw", L"", L"\\\\srv\\tools\\Docs", L""));
    // A redirected Documents on a server, or another volume: never opened.
    EXPECT_FALSE(WorthComparingByIdentity(L"C:\\T", vol, L"\\\\fs01\\home\\ann\\Documents", L""));
    EXPECT_FALSE(WorthComparingByIdentity(L"\\\\srv\\tools\\sw", L"", L"\\\\srv\\home\\Docs", L""));
    EXPECT_FALSE(WorthComparingByIdentity(L"C:\\T", vol, L"D:\\Data", L""));
    // The same local volume under another name: by its volume name.
    EXPECT_TRUE(WorthComparingByIdentity(vol + L"T", vol, L"C:\\Users\\ann\\Downloads", vol));
    EXPECT_TRUE(WorthComparingByIdentity(
        L"E:\\mnt\\T", L"\\\\?\\volume{0B1C2D3E-0000-0000-0000-100000000000}", L"C:\\Windows", vol));
    // A share of this machine under another name, by the volume both lie on.
    EXPECT_TRUE(
        WorthComparingByIdentity(L"\\\\pc7\\dl\\T", L"serial:7", L"C:\\Users\\ann\\Downloads", L"serial:7"));
}

TEST(SelfRemovalPlan, ParentsBelowTheRootAreTheFoldersHeldDuringTheWait)
{
    using List = std::vector<std::wstring>;
    EXPECT_EQ(ParentFoldersBelowRoot(L"C:\\a\\b\\Stellwick"), (List{L"C:\\a", L"C:\\a\\b"}));
    EXPECT_EQ(ParentFoldersBelowRoot(L"C:\\Stellwick"), List{});
    EXPECT_EQ(ParentFoldersBelowRoot(L"\\\\srv\\share\\x\\Stellwick"), List{L"\\\\srv\\share\\x"});
    EXPECT_EQ(ParentFoldersBelowRoot(L"\\\\?\\UNC\\srv\\share\\x\\Stellwick"),
              List{L"\\\\?\\UNC\\srv\\share\\x"});
    EXPECT_EQ(ParentFoldersBelowRoot(L"\\\\?\\C:\\a\\Stellwick"), List{L"\\\\?\\C:\\a"});
    EXPECT_EQ(ParentFoldersBelowRoot(L"\\\\?\\Volume{0b1c}\\a\\Stellwick"), List{L"\\\\?\\Volume{0b1c}\\a"});
    EXPECT_EQ(ParentFoldersBelowRoot(L"relative\\Stellwick"), List{});
}
