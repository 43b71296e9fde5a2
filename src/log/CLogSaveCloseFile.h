// The log writer: opens the target file for each entry, appends it, moves an
// over-size file to its backup name and closes it again, all under one lock.
#pragma once

#include "log/CLogBase.h"

#include <mutex>
#include <string>

class CLogSaveCloseFile : public CLogBase
{
public:
    explicit CLogSaveCloseFile(std::wstring logDir);
    ~CLogSaveCloseFile() override;

    void WritePacket(CPacketLog* packet) override;
    void WriteHex(const unsigned char* data, int length, std::string fileName) override;
    void WriteText(std::string text, std::string fileName) override;

private:
    void WriteEntryLocked(const CPacketLog& packet);

    std::mutex m_lock;
};
