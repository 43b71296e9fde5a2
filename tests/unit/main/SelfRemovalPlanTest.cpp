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
    EXPECT_EQ(p.parameters, L"/D /C timeout /t 3 /nobreak & del /f /q \"D:\\Share\\Stellwick.exe\" "
                            L"\"D:\\Share\\TorvaneFeedbackInformation.dll\"");

    // A sub-folder counts as something else too.
    const SelfRemovalPlan sub =
        PlanSelfRemoval(L"D:\\Share\\Stellwick.exe", kDll, {L"Stellwick.exe", L"logs"}, true, kKnown);
    EXPECT_EQ(sub.action, SelfRemovalPlan::Action::DeleteProgramFiles);
}

TEST(SelfRemovalPlan, UnreadableListingIsTreatedAsForeignContent)
{
    const SelfRemovalPlan p = PlanSelfRemoval(L"C:\\T\\x.exe", kDll, OnlyOurs(L"x.exe"), false, kKnown);
    EXPECT_EQ(p.action, SelfRemovalPlan::Action::DeleteProgramFiles);
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
    EXPECT_EQ(p.parameters, L"/D /C timeout /t 3 /nobreak & del /f /q \"E:\\Stellwick.exe\" "
                            L"\"E:\\TorvaneFeedbackInformation.dll\"");

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
