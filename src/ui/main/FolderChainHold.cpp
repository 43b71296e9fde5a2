#include "ui/main/FolderChainHold.h"

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
    si.StartupInfo.cb = sizeof si;
    si.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
    si.StartupInfo.wShowWindow = SW_HIDE;
    DWORD flags = CREATE_NO_WINDOW;

    // Only the listed handles are inherited, whatever else is inheritable.
    std::vector<char> attributeBuffer;
    LPPROC_THREAD_ATTRIBUTE_LIST attributes = nullptr;
    if (!m_handles.empty()) {
        for (HANDLE h : m_handles) {
            if (!SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT))
                return false;
        }
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        attributeBuffer.resize(size);
        attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeBuffer.data());
        if (size == 0 || !InitializeProcThreadAttributeList(attributes, 1, 0, &size))
            return false;
        if (!UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, m_handles.data(),
                                       m_handles.size() * sizeof(HANDLE), nullptr, nullptr)) {
            DeleteProcThreadAttributeList(attributes);
            return false;
        }
        si.lpAttributeList = attributes;
        flags |= EXTENDED_STARTUPINFO_PRESENT;
    }

    PROCESS_INFORMATION pi = {};
    const BOOL started =
        CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, attributes ? TRUE : FALSE,
                       flags, nullptr, workingFolder.c_str(), &si.StartupInfo, &pi);
    if (attributes)
        DeleteProcThreadAttributeList(attributes);
    if (!started)
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    Release();
    return true;
}
