#include "support/SupportLibraryPath.h"

#include <gtest/gtest.h>

TEST(SupportLibraryPath, IsBesideTheProgramFile)
{
    EXPECT_EQ(L"C:\\Tools\\Stellwick\\TorvaneFeedbackInformation.dll",
              SupportLibraryPath(L"C:\\Tools\\Stellwick\\Stellwick.exe"));
    EXPECT_EQ(L"C:\\TorvaneFeedbackInformation.dll", SupportLibraryPath(L"C:\\Stellwick.exe"));
    // Up to the last backslash, even when a folder name carries a dot.
    EXPECT_EQ(L"D:\\a.b\\c\\TorvaneFeedbackInformation.dll", SupportLibraryPath(L"D:\\a.b\\c\\x.exe"));
    EXPECT_EQ(L"\\\\server\\share\\TorvaneFeedbackInformation.dll",
              SupportLibraryPath(L"\\\\server\\share\\Stellwick.exe"));
}

TEST(SupportLibraryPath, NoFolderGivesNoPathRatherThanABareName)
{
    EXPECT_EQ(L"", SupportLibraryPath(L"Stellwick.exe"));
    EXPECT_EQ(L"", SupportLibraryPath(L""));
}

TEST(SupportLibraryPathInFolder, JoinsWithOneBackslash)
{
    EXPECT_EQ(L"C:\\t\\TorvaneFeedbackInformation.dll", SupportLibraryPathInFolder(L"C:\\t"));
    EXPECT_EQ(L"C:\\t\\TorvaneFeedbackInformation.dll", SupportLibraryPathInFolder(L"C:\\t\\"));
    EXPECT_EQ(L"", SupportLibraryPathInFolder(L""));
}
