// The folders of the system and the user that the program must never remove
// even if it was started from one of them: every known folder the shell
// lists, plus the system, Windows, temporary and both program-files folders.
#pragma once

#include <string>
#include <vector>

#include "support/FileIdentity.h"

std::vector<std::wstring> KnownShellFolders();

// Every user's profile folder the system lists (not only the running
// account's, which under elevation may be the technician's), expanded.
std::vector<std::wstring> UserProfileFolders();

// The Program Files folders of both views: a 32-bit process is told the
// 32-bit one by the shell and finds the native one in the environment.
std::vector<std::wstring> ProgramFilesFolders();

// Names of the entries of a folder ("." and ".." left out). False when the
// folder could not be listed; names may then be incomplete.
bool ListFolderEntries(const std::wstring& folder, std::vector<std::wstring>* names);

// The path with every 8.3 short name component in its long form, so that it
// compares with the known folders; the path as given when it cannot be resolved.
std::wstring LongPathOf(const std::wstring& path);

// Whether the folder is, by file identity, one of the known folders, a
// profile, directly inside a profile or the root of its volume: catches a
// known folder reached through a share of this machine, a volume path or any
// other name the text comparison cannot see. Known folders on another volume
// or server are not opened (a redirected folder on a server that does not
// answer would hold up the close).
bool IsKnownFolderByIdentity(const std::wstring& folder, const std::vector<std::wstring>& knownFolders,
                             const std::vector<std::wstring>& profiles = {});

// Whether one of the identities (the folder and its parents) is that of one
// of the folders, opened under the same rule as above.
bool IsAnyOfFoldersByIdentity(const std::wstring& folder, const std::vector<FileIdentity>& identities,
                              const std::vector<std::wstring>& folders);

// Whether the pattern, looked up in the folder (long and short names, as del
// does), matches the program's own file name and nothing else.
bool PatternMatchesOnly(const std::wstring& folder, const std::wstring& pattern, const std::wstring& name);
