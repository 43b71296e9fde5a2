// What the program removes of itself after a normal close, and the cmd
// parameters that do it. Platform-neutral: the folder listing and the list of
// the system's known shell folders are handed in.
//
// The whole folder goes only when it is plainly the tool's own: it holds
// nothing but the program file and the support library, and it is neither a
// drive root nor one of the known shell folders (Desktop, Downloads, the
// profile, Windows, ...). Otherwise only those two files are deleted. A
// path that cmd would rewrite (% always, ! under delayed expansion) is never
// handed to it.
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
};

// programFile: full path of the running program file.
// supportFileName: the support library's file name (no folder).
// folderEntries: the names (no folder) of everything in the program's folder,
//   "." and ".." left out; listingComplete false when it could not be read.
// knownFolders: full paths of the known shell folders, in any case and with or
//   without a trailing backslash.
SelfRemovalPlan PlanSelfRemoval(const std::wstring& programFile, const std::wstring& supportFileName,
                                const std::vector<std::wstring>& folderEntries, bool listingComplete,
                                const std::vector<std::wstring>& knownFolders);

// A path in the form the comparisons use: forward slashes turned into
// backslashes, repeated backslashes collapsed (a leading \\ kept), trailing
// backslashes dropped, a \\?\ prefix dropped, ASCII letters in lower case.
std::wstring NormaliseFolderPath(const std::wstring& path);

// "C:", "C:\", "\\server\share" and the like.
bool IsDriveRoot(const std::wstring& folder);
