#include "log/CLogSave.h"

#include "log/CLogSaveCloseFile.h"
#include "log/LogEntryFormat.h"

#include <windows.h>

#include <sddl.h>
#include <shlobj.h>

#include <new>

namespace {

// SYSTEM and Administrators full control, Users read and execute, handed on
// to the files in it, nothing inherited from the common data folder (where
// Users may create and write). Owned by Administrators rather than by the
// account that happens to run the tool, so the writer's owner check holds
// whatever the machine's default owner for administrators is.
const wchar_t* const kLogFolderSecurity = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
const wchar_t* const kLogFolderSecurityDefaultOwner =
    L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";

bool CreateFolderWithSecurity(const std::wstring& folder, const wchar_t* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr)) {
        return false;
    }
    SECURITY_ATTRIBUTES attributes = {};
    attributes.nLength = sizeof(attributes);
    attributes.lpSecurityDescriptor = descriptor;
    const bool created = CreateDirectoryW(folder.c_str(), &attributes) != FALSE;
    const DWORD error = GetLastError();
    LocalFree(descriptor);
    SetLastError(error);
    return created;
}

void CreateLogFolder(const std::wstring& folder)
{
    if (CreateFolderWithSecurity(folder, kLogFolderSecurity) || GetLastError() != ERROR_INVALID_OWNER) {
        return;
    }
    // Not allowed to name Administrators as owner (not elevated): the folder
    // then gets the default owner, and the writer decides whether to trust it.
    CreateFolderWithSecurity(folder, kLogFolderSecurityDefaultOwner);
}

} // namespace

CLogSave* CLogSave::GetInstance()
{
    static CLogSave instance;
    return &instance;
}

CLogSave::CLogSave()
{
    std::wstring baseDir = GetAppDataDir();
    m_strLogDir = baseDir + L"ToolLog";

    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(m_strLogDir.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) {
        CreateLogFolder(m_strLogDir);
    } else {
        FindClose(find);
    }
    m_strLogDir += L"\\";

    std::wstring print = GetConfigValue(baseDir + L"logCfg.ini", L"Log", L"print", L"-1");
    m_bPrint = ParsePrintSwitch(print);

    m_pLogBase = new (std::nothrow) CLogSaveCloseFile(m_strLogDir);
}

CLogSave::~CLogSave()
{
    delete m_pLogBase;
    m_pLogBase = nullptr;
}

void CLogSave::WriteLog(std::string text, std::string fileName, bool always)
{
    if (m_pLogBase == nullptr || !(always || m_bPrint)) {
        return;
    }
    m_pLogBase->WriteText(text, fileName);
}

std::wstring CLogSave::GetAppDataDir()
{
    wchar_t path[1024] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_COMMON_APPDATA, FALSE)) {
        return std::wstring();
    }
    return std::wstring(path) + L"\\";
}

std::wstring CLogSave::GetConfigValue(std::wstring file, std::wstring section, std::wstring key,
                                      std::wstring defaultValue)
{
    wchar_t value[100] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), value, 100, file.c_str());
    return value;
}
