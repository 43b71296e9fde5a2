#include "ui/main/FolderChainHold.h"

#include "framework/CInheritedHandles.h"
#include "ui/main/SelfRemovalPlan.h"

FolderChainHold::~FolderChainHold()
{
    Release();
}

void FolderChainHold::Release()
{
    for (HANDLE h : m_handles)
        CloseHandle(h);
    m_handles.clear();
    m_identities.clear();
}

bool FolderChainHold::Hold(const std::wstring& folder, bool withFolder)
{
    Release();
    std::vector<std::wstring> chain = ParentFoldersBelowRoot(folder);
    if (withFolder && !IsDriveRoot(folder))
        chain.push_back(folder);
    for (const std::wstring& path : chain) {
        // Listing access makes the open take part in share checks (one with
        // attribute access only would not stop a rename); without delete
        // sharing, no one can rename, move or delete the folder meanwhile.
        // The link itself is opened, never what it leads to.
        const HANDLE h =
            CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            Release();
            return false;
        }
        m_handles.push_back(h);
        BY_HANDLE_FILE_INFORMATION info;
        if (!GetFileInformationByHandle(h, &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            Release();
            return false;
        }
        FileIdentity identity;
        identity.valid = true;
        identity.volumeSerial = info.dwVolumeSerialNumber;
        identity.indexHigh = info.nFileIndexHigh;
        identity.indexLow = info.nFileIndexLow;
        m_identities.push_back(identity);
    }
    return true;
}

bool FolderChainHold::HandOverTo(const std::wstring& application, const std::wstring& parameters,
                                 const std::wstring& workingFolder)
{
    std::wstring line = L"\"" + application + L"\" " + parameters;
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');

    STARTUPINFOEXW si = {};
    si.StartupInfo.cb = sizeof si.StartupInfo;
    si.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
    si.StartupInfo.wShowWindow = SW_HIDE;
    DWORD flags = CREATE_NO_WINDOW;

    // Only the held handles are inherited, whatever else is inheritable.
    CInheritedHandles inherited(m_handles);
    if (!m_handles.empty()) {
        if (!inherited.List())
            return false;
        si.StartupInfo.cb = sizeof si;
        si.lpAttributeList = inherited.List();
        flags |= EXTENDED_STARTUPINFO_PRESENT;
    }

    PROCESS_INFORMATION pi = {};
    const BOOL started =
        CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, !m_handles.empty(), flags,
                       nullptr, workingFolder.c_str(), &si.StartupInfo, &pi);
    if (!started)
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    Release();
    return true;
}
