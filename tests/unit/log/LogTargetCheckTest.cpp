#include "log/LogTargetCheck.h"

#include <gtest/gtest.h>

namespace {

LogFolderFacts PlainFolder(LogOwnerKind owner)
{
    LogFolderFacts facts;
    facts.opened = true;
    facts.directory = true;
    facts.owner = owner;
    return facts;
}

TEST(LogTargetCheck, FolderOwnedByTheSystemsAccountsIsWrittenAnyOtherOwnerIsNot)
{
    EXPECT_TRUE(IsTrustedLogFolder(PlainFolder(LogOwnerKind::System)));
    EXPECT_TRUE(IsTrustedLogFolder(PlainFolder(LogOwnerKind::Administrators)));
    EXPECT_TRUE(IsTrustedLogFolder(PlainFolder(LogOwnerKind::TrustedInstaller)));
    EXPECT_FALSE(IsTrustedLogFolder(PlainFolder(LogOwnerKind::Other)));
}

TEST(LogTargetCheck, MountPointOrFileInPlaceOfTheFolderIsRefusedWhoeverOwnsIt)
{
    LogFolderFacts mountPoint = PlainFolder(LogOwnerKind::Administrators);
    mountPoint.reparsePoint = true;
    EXPECT_FALSE(IsTrustedLogFolder(mountPoint));
    mountPoint.volumeHasReparsePoints = false;
    EXPECT_FALSE(IsTrustedLogFolder(mountPoint));

    LogFolderFacts file = PlainFolder(LogOwnerKind::System);
    file.directory = false;
    EXPECT_FALSE(IsTrustedLogFolder(file));
    EXPECT_FALSE(IsTrustedLogFolder(LogFolderFacts()));
}

TEST(LogTargetCheck, OwnerMattersOnlyWhereTheVolumeCanHoldReparsePoints)
{
    LogFolderFacts folder = PlainFolder(LogOwnerKind::Other);
    folder.volumeHasReparsePoints = false;
    EXPECT_TRUE(IsTrustedLogFolder(folder));
}

TEST(LogTargetCheck, OnlyAPlainFileWithOneNameIsWritten)
{
    LogFileFacts file;
    file.links = 1;
    EXPECT_TRUE(IsPlainLogFile(file));

    LogFileFacts hardLink = file;
    hardLink.links = 2;
    EXPECT_FALSE(IsPlainLogFile(hardLink));
    LogFileFacts symbolicLink = file;
    symbolicLink.reparsePoint = true;
    EXPECT_FALSE(IsPlainLogFile(symbolicLink));
    LogFileFacts folder = file;
    folder.directory = true;
    EXPECT_FALSE(IsPlainLogFile(folder));
    LogFileFacts unknown;
    EXPECT_FALSE(IsPlainLogFile(unknown));
}

} // namespace
