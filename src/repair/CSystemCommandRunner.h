// The repair steps' runner on a real system: RunCommand.
#pragma once

#include "repair/ICommandRunner.h"

class CSystemCommandRunner : public ICommandRunner
{
public:
    bool Run(const std::wstring& command, std::wstring& output, unsigned long* exitCode = nullptr) override;
    // Readings in the thread's ANSI code page, the OEM code page and the
    // system's ANSI code page.
    bool RunWithReadings(const std::wstring& command, std::vector<std::wstring>& readings,
                         unsigned long* exitCode = nullptr) override;
};
