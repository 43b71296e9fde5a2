// A log writer bound to one folder (always ending in a backslash).
#pragma once

#include "log/CPacketLog.h"

#include <string>

class CLogBase
{
public:
    explicit CLogBase(std::wstring logDir) : m_strLogDir(std::move(logDir)) {}
    CLogBase(const CLogBase&) = delete;
    CLogBase& operator=(const CLogBase&) = delete;
    virtual ~CLogBase();

    virtual void WritePacket(CPacketLog* packet) = 0;
    virtual void WriteHex(const unsigned char* data, int length, std::string fileName) = 0;
    virtual void WriteText(std::string text, std::string fileName) = 0;

protected:
    std::wstring m_strLogDir;
};
