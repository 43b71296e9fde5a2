// Keeps the folders on the way to the program's folder where they are until
// the delayed removal has run: each parent below the root (and the folder
// itself when asked) is opened for listing without delete sharing, so none of
// them can be renamed, moved or replaced by a link while the handles live.
// The handles are handed to the delayed command, which holds them until it
// ends; what it deletes after its wait is then the folder judged at exit,
// reached through the same parents.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/FileIdentity.h"

class FolderChainHold
{
public:
    FolderChainHold() = default;
    ~FolderChainHold();
    FolderChainHold(const FolderChainHold&) = delete;
    FolderChainHold& operator=(const FolderChainHold&) = delete;

    // Opens the parents of the folder below its root, outermost first, and the
    // folder itself when withFolder. False (and nothing held) when any of them
    // cannot be opened or is not a plain folder reached without a link.
    bool Hold(const std::wstring& folder, bool withFolder);
    // Which folders are held, outermost first.
    const std::vector<FileIdentity>& Identities() const { return m_identities; }
    size_t Count() const { return m_handles.size(); }

    // Starts the program hidden with exactly the held handles inherited (none
    // other), then lets go of them here: the new process keeps the hold.
    bool HandOverTo(const std::wstring& application, const std::wstring& parameters,
                    const std::wstring& workingFolder);
    void Release();

private:
    std::vector<HANDLE> m_handles;
    std::vector<FileIdentity> m_identities;
};
