// One log entry: the target file name (relative to the log folder) and the
// entry text without time stamp or line end. Both narrow, in GBK.
#pragma once

#include "log/CObjectBase.h"

#include <string>

class CPacketLog : public CObjectBase
{
public:
    void SetFileName(const std::string& fileName) { m_strFileName = fileName; }
    void SetText(const std::string& text) { m_strText = text; }
    std::string GetFileName() const { return m_strFileName; }
    std::string GetText() const { return m_strText; }

private:
    std::string m_strFileName;
    std::string m_strText;
};
