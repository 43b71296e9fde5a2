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
//
// An installed copy (the folder is or lies inside a Program Files folder) is
// left as it is: that is where an installer put it, not a technician.
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
    std::wstring libraryPattern;       // set when del is also given the support library
};

// What the system knows about the folders around the program, beyond its listing.
struct SelfRemovalFolders
{
    // Full paths, in any case and with or without a trailing backslash.
    std::vector<std::wstring> known;        // the known shell folders
    std::vector<std::wstring> profiles;     // every user's profile folder
    std::vector<std::wstring> programFiles; // the Program Files folders of both views
    // The system found the folder to be a known folder, a profile, a folder
    // directly inside a profile or a volume root when reached by another name
    // (a share, a volume path).
    bool knownByIdentity = false;
    // The same for the folder or one of its parents being a Program Files folder.
    bool programFilesByIdentity = false;
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
// The same with every fact about the surrounding folders. Beside the known
// folders, each profile and each folder directly inside one is kept (a
// technician elevating with his own account must not remove the logged-on
// user's Downloads), and under a Program Files folder nothing is removed.
SelfRemovalPlan PlanSelfRemovalWithFolders(const std::wstring& programFile,
                                           const std::wstring& supportFileName,
                                           const std::vector<std::wstring>& folderEntries,
                                           bool listingComplete, const SelfRemovalFolders& folders);

// For a library the program could not delete itself (still mapped, or held
// open by a scanner): the delayed del takes it too, by a pattern as for the
// program file. Only where the plan deletes program files and lets the
// library go; false and the plan unchanged otherwise.
bool AddSupportLibraryToDelete(SelfRemovalPlan* plan, const std::wstring& supportFileName);

// A path in the form the comparisons use: forward slashes turned into
// backslashes, repeated backslashes collapsed (a leading \\ kept), trailing
// backslashes dropped, a \\?\ or \\.\ prefix dropped, an administrative
// share of this machine (\\localhost\C$\...) written as its drive, ASCII
// letters in lower case.
std::wstring NormaliseFolderPath(const std::wstring& path);

// "C:", "C:\", "\\server\share", "\\?\Volume{...}\" and the like.
bool IsDriveRoot(const std::wstring& folder);

// Whether the folder is the other one or lies inside it, compared normalised.
bool IsSameOrInside(const std::wstring& folder, const std::wstring& outer);

// The root a path names in its text, normalised: "c:", "\\server\share",
// "volume{...}"; empty when it names none.
std::wstring PathRootOf(const std::wstring& path);

// Whether a known folder is worth opening to compare it with the program's
// folder: only on the same root by text, or where both lie on one volume by
// the keys given (empty: not known; a known folder's volume is asked only of
// local drives). Another volume or a server, which may not answer, is never
// opened.
bool WorthComparingByIdentity(const std::wstring& programFolder, const std::wstring& programVolume,
                              const std::wstring& knownFolder, const std::wstring& knownVolume);

// The parent folders of the folder below its root (drive, share or volume),
// outermost first, in the path's own spelling: C:\a\b\c gives C:\a and C:\a\b.
// Empty when the path has no root it recognises.
std::vector<std::wstring> ParentFoldersBelowRoot(const std::wstring& folder);
