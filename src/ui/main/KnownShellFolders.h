// The folders of the system and the user that the program must never remove
// even if it was started from one of them: every known folder the shell
// lists, plus the system, Windows, temporary and both program-files folders.
#pragma once

#include <string>
#include <vector>

std::vector<std::wstring> KnownShellFolders();

// Names of the entries of a folder ("." and ".." left out). False when the
// folder could not be listed; names may then be incomplete.
bool ListFolderEntries(const std::wstring& folder, std::vector<std::wstring>* names);

// The path with every 8.3 short name component in its long form, so that it
// compares with the known folders; the path as given when it cannot be resolved.
std::wstring LongPathOf(const std::wstring& path);

// Whether the folder is, by file identity, one of the known folders or the
// root of its volume: catches a known folder reached through a share of this
// machine, a volume path or any other name the text comparison cannot see.
bool IsKnownFolderByIdentity(const std::wstring& folder, const std::vector<std::wstring>& knownFolders);

// Whether the pattern, looked up in the folder (long and short names, as del
// does), matches the program's own file name and nothing else.
bool PatternMatchesOnly(const std::wstring& folder, const std::wstring& pattern, const std::wstring& name);
