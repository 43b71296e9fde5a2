#include "log/CLogSave.h"

#include "log/CLogSaveCloseFile.h"
#include "log/LogEntryFormat.h"

#include <windows.h>
#include <shlobj.h>

#include <new>

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
        CreateDirectoryW(m_strLogDir.c_str(), nullptr);
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
