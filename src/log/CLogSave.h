// The process-wide log service: settles the log folder and the "print"
// switch once, then hands entries to its writer.
#pragma once

#include "log/CLogBase.h"

#include <string>

class CLogSave
{
public:
    static CLogSave* GetInstance();

    // always: write even when the "print" switch is off. Never reports failure.
    void WriteLog(std::string text, std::string fileName, bool always);

    CLogSave(const CLogSave&) = delete;
    CLogSave& operator=(const CLogSave&) = delete;
    virtual ~CLogSave();

private:
    CLogSave();

    std::wstring GetAppDataDir();
    std::wstring GetConfigValue(std::wstring file, std::wstring section, std::wstring key,
                                std::wstring defaultValue);

    bool m_bPrint = false;
    std::wstring m_strLogDir;
    CLogBase* m_pLogBase = nullptr;
};
