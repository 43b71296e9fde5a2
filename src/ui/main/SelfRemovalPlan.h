// What the program removes of itself after a normal close, and the cmd
// parameters that do it. Platform-neutral: the folder listing and the list of
// the system's known shell folders are handed in.
//
// The whole folder goes only when it is plainly the tool's own: it holds
// nothing but the program file and the support library, and it is neither a
// drive root nor one of the known shell folders (Desktop, Downloads, the
// profile, Windows, ...). Otherwise only those two files go: the support
// library at once, by the program itself, unless another program shares the
// folder (it may be that program's); the program file by the delayed command,
// which names it through a pattern so that del, finding a folder there, skips
// it instead of emptying it. A path that cmd would rewrite (% always, ! under
// delayed expansion) is never handed to it.
#pragma once

#include <string>
#include <vector>

struct SelfRemovalPlan
{
    enum class Action {
        Nothing,
        RemoveFolder,
        DeleteProgramFiles,
    };

    Action action = Action::Nothing;
    std::wstring folder;     // the program file's folder, without a trailing backslash
    std::wstring parameters; // for cmd.exe; empty when action is Nothing
    // DeleteProgramFiles only:
    bool deleteSupportLibrary = false; // the program deletes it itself
    std::wstring programPattern;       // the name del is given; must match only the program file
};

// programFile: full path of the running program file.
// supportFileName: the support library's file name (no folder).
// folderEntries: the names (no folder) of everything in the program's folder,
//   "." and ".." left out; listingComplete false when it could not be read.
// knownFolders: full paths of the known shell folders, in any case and with or
//   without a trailing backslash.
// knownByIdentity: the system found the folder to be a known folder or a
//   volume root when reached by another name (a share, a volume path).
SelfRemovalPlan PlanSelfRemoval(const std::wstring& programFile, const std::wstring& supportFileName,
                                const std::vector<std::wstring>& folderEntries, bool listingComplete,
                                const std::vector<std::wstring>& knownFolders, bool knownByIdentity = false);

// A path in the form the comparisons use: forward slashes turned into
// backslashes, repeated backslashes collapsed (a leading \\ kept), trailing
// backslashes dropped, a \\?\ or \\.\ prefix dropped, an administrative
// share of this machine (\\localhost\C$\...) written as its drive, ASCII
// letters in lower case.
std::wstring NormaliseFolderPath(const std::wstring& path);

// "C:", "C:\", "\\server\share", "\\?\Volume{...}\" and the like.
bool IsDriveRoot(const std::wstring& folder);
