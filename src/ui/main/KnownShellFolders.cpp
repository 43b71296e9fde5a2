#include "ui/main/KnownShellFolders.h"

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "support/FileIdentity.h"
#include "ui/main/SelfRemovalPlan.h"

#include <map>
#include <set>

namespace {

void AddKnownFolder(REFKNOWNFOLDERID id, std::vector<std::wstring>* out)
{
    PWSTR path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path)) && path && *path)
        out->push_back(path);
    CoTaskMemFree(path);
}

void AddCsidl(int csidl, std::vector<std::wstring>* out)
{
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(
            SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_DONT_VERIFY, nullptr, SHGFP_TYPE_CURRENT, path)) &&
        path[0])
        out->push_back(path);
}

void AddFromCall(UINT(WINAPI* get)(LPWSTR, UINT), std::vector<std::wstring>* out)
{
    wchar_t path[MAX_PATH] = {};
    const UINT n = get(path, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        out->push_back(path);
}

void AddEnvironment(const wchar_t* name, std::vector<std::wstring>* out)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(name, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        out->push_back(path);
}

// Every folder the shell has registered, including those of other programs.
void AddAllRegisteredKnownFolders(std::vector<std::wstring>* out)
{
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IKnownFolderManager* manager = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_KnownFolderManager, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IKnownFolderManager, reinterpret_cast<void**>(&manager))) &&
        manager) {
        KNOWNFOLDERID* ids = nullptr;
        UINT count = 0;
        if (SUCCEEDED(manager->GetFolderIds(&ids, &count)) && ids) {
            for (UINT i = 0; i < count; ++i)
                AddKnownFolder(ids[i], out);
            CoTaskMemFree(ids);
        }
        manager->Release();
    }
    if (SUCCEEDED(init))
        CoUninitialize();
}

// Which volume a known folder lies on, by the serial number the file system
// reports (as the identities carry it); asked only of the roots of local
// drives and volume paths, never of a server or a network drive, which may
// not answer. Empty when it is not asked or not known.
std::wstring KnownFolderVolumeKey(const std::wstring& path)
{
    const std::wstring root = PathRootOf(path);
    std::wstring rootPath;
    if (root.compare(0, 7, L"volume{") == 0) {
        rootPath = L"\\\\?\\" + root + L"\\";
    } else if (root.size() == 2 && root[1] == L':') {
        rootPath = root + L"\\";
        const UINT type = GetDriveTypeW(rootPath.c_str());
        if (type == DRIVE_REMOTE || type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN)
            return std::wstring();
    } else {
        return std::wstring();
    }
    DWORD serial = 0;
    if (!GetVolumeInformationW(rootPath.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0))
        return std::wstring();
    return L"serial:" + std::to_wstring(serial);
}

// The same for the program's own folder, wherever it runs from: a share of
// this machine (\\pc7\dl\...) then still meets the local folder it leads to.
std::wstring ProgramFolderVolumeKey(const std::wstring& folder)
{
    const FileIdentity identity = IdentityOfPath(folder);
    return identity.valid ? L"serial:" + std::to_wstring(identity.volumeSerial) : std::wstring();
}

// Opens each of the folders worth comparing with the program's folder (each
// once) and tells whether any has one of the identities.
bool AnyHasIdentity(const std::wstring& folder, const std::vector<std::wstring>& candidates,
                    const std::vector<FileIdentity>& identities)
{
    const std::wstring programVolume = ProgramFolderVolumeKey(folder);
    std::map<std::wstring, std::wstring> volumes; // by root, asked once each
    std::set<std::wstring> seen;                  // the list names most folders several times over
    for (const std::wstring& candidate : candidates) {
        if (candidate.empty() || !seen.insert(NormaliseFolderPath(candidate)).second)
            continue;
        const std::wstring root = PathRootOf(candidate);
        auto volume = volumes.find(root);
        if (volume == volumes.end())
            volume = volumes.emplace(root, KnownFolderVolumeKey(candidate)).first;
        if (!WorthComparingByIdentity(folder, programVolume, candidate, volume->second))
            continue;
        const FileIdentity identity = IdentityOfPath(candidate);
        for (const FileIdentity& wanted : identities) {
            if (identity.SameAs(wanted))
                return true;
        }
    }
    return false;
}

} // namespace

std::vector<std::wstring> UserProfileFolders()
{
    std::vector<std::wstring> out;
    AddKnownFolder(FOLDERID_Profile, &out);
    HKEY list = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", 0,
                      KEY_READ | KEY_WOW64_64KEY, &list) != ERROR_SUCCESS)
        return out;
    for (DWORD i = 0;; ++i) {
        wchar_t sid[256] = {};
        DWORD sidLength = 256;
        const LONG r = RegEnumKeyExW(list, i, sid, &sidLength, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_MORE_DATA)
            continue;
        if (r != ERROR_SUCCESS)
            break;
        // Asked for a string, the call expands the usual %SystemDrive%\Users\<name>.
        wchar_t path[MAX_PATH] = {};
        DWORD bytes = sizeof path;
        if (RegGetValueW(list, sid, L"ProfileImagePath", RRF_RT_REG_SZ, nullptr, path, &bytes) ==
                ERROR_SUCCESS &&
            path[0])
            out.push_back(path);
    }
    RegCloseKey(list);
    return out;
}

std::vector<std::wstring> ProgramFilesFolders()
{
    std::vector<std::wstring> out;
    AddKnownFolder(FOLDERID_ProgramFiles, &out);
    AddKnownFolder(FOLDERID_ProgramFilesX86, &out);
    AddEnvironment(L"ProgramW6432", &out);
    return out;
}

std::vector<std::wstring> KnownShellFolders()
{
    std::vector<std::wstring> out;
    static const KNOWNFOLDERID* const ids[] = {
        &FOLDERID_Desktop,
        &FOLDERID_Downloads,
        &FOLDERID_Documents,
        &FOLDERID_Profile,
        &FOLDERID_UserProfiles,
        &FOLDERID_Public,
        &FOLDERID_PublicDesktop,
        &FOLDERID_PublicDocuments,
        &FOLDERID_PublicDownloads,
        &FOLDERID_ProgramFiles,
        &FOLDERID_ProgramFilesX86,
        &FOLDERID_ProgramFilesCommon,
        &FOLDERID_ProgramFilesCommonX86,
        &FOLDERID_ProgramData,
        &FOLDERID_Windows,
        &FOLDERID_System,
        &FOLDERID_SystemX86,
        &FOLDERID_Fonts,
        &FOLDERID_RoamingAppData,
        &FOLDERID_LocalAppData,
        &FOLDERID_LocalAppDataLow,
        &FOLDERID_Music,
        &FOLDERID_Pictures,
        &FOLDERID_Videos,
        &FOLDERID_Favorites,
        &FOLDERID_Links,
        &FOLDERID_SavedGames,
        &FOLDERID_StartMenu,
        &FOLDERID_Programs,
        &FOLDERID_Startup,
        &FOLDERID_CommonStartMenu,
        &FOLDERID_CommonPrograms,
        &FOLDERID_CommonStartup,
        &FOLDERID_Templates,
        &FOLDERID_Recent,
        &FOLDERID_SendTo,
    };
    for (const KNOWNFOLDERID* id : ids)
        AddKnownFolder(*id, &out);

    static const int csidls[] = {
        CSIDL_DESKTOPDIRECTORY,     CSIDL_PERSONAL, CSIDL_PROFILE,       CSIDL_PROGRAM_FILES,
        CSIDL_PROGRAM_FILESX86,     CSIDL_WINDOWS,  CSIDL_SYSTEM,        CSIDL_SYSTEMX86,
        CSIDL_COMMON_APPDATA,       CSIDL_APPDATA,  CSIDL_LOCAL_APPDATA, CSIDL_COMMON_DESKTOPDIRECTORY,
        CSIDL_COMMON_DOCUMENTS,     CSIDL_MYMUSIC,  CSIDL_MYPICTURES,    CSIDL_MYVIDEO,
        CSIDL_PROGRAM_FILES_COMMON, CSIDL_FONTS,    CSIDL_STARTMENU,     CSIDL_COMMON_STARTMENU,
    };
    for (int csidl : csidls)
        AddCsidl(csidl, &out);

    AddFromCall(GetWindowsDirectoryW, &out);
    AddFromCall(GetSystemDirectoryW, &out);
    AddFromCall(GetSystemWindowsDirectoryW, &out);
    AddFromCall(GetSystemWow64DirectoryW, &out);
    // Under WOW64 the shell answers the 32-bit program-files folder; the native one is in the environment.
    AddEnvironment(L"ProgramW6432", &out);
    AddEnvironment(L"ProgramFiles", &out);
    AddEnvironment(L"ProgramFiles(x86)", &out);
    AddEnvironment(L"USERPROFILE", &out);
    AddEnvironment(L"OneDrive", &out);

    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    if (n > 0 && n <= MAX_PATH)
        out.push_back(temp);

    AddAllRegisteredKnownFolders(&out);
    return out;
}

bool ListFolderEntries(const std::wstring& folder, std::vector<std::wstring>* names)
{
    names->clear();
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names->push_back(name);
    } while (FindNextFileW(find, &data));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    return complete;
}

std::wstring LongPathOf(const std::wstring& path)
{
    const DWORD needed = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0)
        return path;
    std::wstring out(needed, L'\0');
    const DWORD n = GetLongPathNameW(path.c_str(), &out[0], needed);
    if (n == 0 || n >= needed)
        return path;
    out.resize(n);
    return out;
}

bool IsKnownFolderByIdentity(const std::wstring& folder, const std::vector<std::wstring>& knownFolders,
                             const std::vector<std::wstring>& profiles)
{
    const FileIdentity identity = IdentityOfPath(folder);
    if (!identity.valid)
        return false;
    wchar_t root[MAX_PATH + 1] = {};
    if (GetVolumePathNameW(folder.c_str(), root, MAX_PATH + 1) && IdentityOfPath(root).SameAs(identity))
        return true;
    if (AnyHasIdentity(folder, knownFolders, {identity}))
        return true;
    // A profile is known, and so is every folder directly inside one.
    const FileIdentity parent = IdentityOfPath(folder + L"\\..");
    return AnyHasIdentity(folder, profiles,
                          parent.valid ? std::vector<FileIdentity>{identity, parent}
                                       : std::vector<FileIdentity>{identity});
}

bool IsAnyOfFoldersByIdentity(const std::wstring& folder, const std::vector<FileIdentity>& identities,
                              const std::vector<std::wstring>& folders)
{
    return !identities.empty() && AnyHasIdentity(folder, folders, identities);
}

bool PatternMatchesOnly(const std::wstring& folder, const std::wstring& pattern, const std::wstring& name)
{
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((folder + L"\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool onlyOurs = true;
    do {
        if (CompareStringOrdinal(data.cFileName, -1, name.c_str(), -1, TRUE) != CSTR_EQUAL)
            onlyOurs = false;
    } while (onlyOurs && FindNextFileW(find, &data));
    FindClose(find);
    return onlyOurs;
}
