// Whether the writer may touch the log folder and a log file, decided from
// facts the caller gathers from the file system. The tool runs elevated and
// the folder lies where ordinary users can create things, so anything that
// could send a write or a rename somewhere else is refused.
#pragma once

enum class LogOwnerKind {
    System,
    Administrators,
    TrustedInstaller,
    Other, // any other account, or an owner that could not be read
};

struct LogFolderFacts
{
    bool opened = false;       // the folder itself (not what it may point to) could be opened
    bool directory = false;    // it is a folder, not a file
    bool reparsePoint = false; // a mount point, junction or symbolic link
    LogOwnerKind owner = LogOwnerKind::Other;
    // The volume can hold reparse points at all. Where it cannot, nobody can
    // turn the folder into a mount point, which is what its owner guards.
    bool volumeHasReparsePoints = true;
};

struct LogFileFacts
{
    bool directory = false;
    bool reparsePoint = false;
    unsigned long links = 0; // names the file has; more than one means a hard link
};

// A plain folder, owned by SYSTEM, Administrators or TrustedInstaller (on a
// volume that can hold reparse points; any owner elsewhere).
bool IsTrustedLogFolder(const LogFolderFacts& facts);

// A plain file with exactly one name.
bool IsPlainLogFile(const LogFileFacts& facts);
