#include "ui/main/KnownShellFolders.h"

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "support/FileIdentity.h"
#include "ui/main/SelfRemovalPlan.h"

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

} // namespace

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

bool IsKnownFolderByIdentity(const std::wstring& folder, const std::vector<std::wstring>& knownFolders)
{
    const FileIdentity identity = IdentityOfPath(folder);
    if (!identity.valid)
        return false;
    wchar_t root[MAX_PATH + 1] = {};
    if (GetVolumePathNameW(folder.c_str(), root, MAX_PATH + 1) && IdentityOfPath(root).SameAs(identity))
        return true;
    // The list names most folders several times over.
    std::set<std::wstring> seen;
    for (const std::wstring& known : knownFolders) {
        if (known.empty() || !seen.insert(NormaliseFolderPath(known)).second)
            continue;
        if (IdentityOfPath(known).SameAs(identity))
            return true;
    }
    return false;
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
