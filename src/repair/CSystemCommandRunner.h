// The repair steps' runner on a real system: RunCommand.
#pragma once

#include "repair/ICommandRunner.h"

class CSystemCommandRunner : public ICommandRunner
{
public:
    bool Run(const std::wstring& command, std::wstring& output, unsigned long* exitCode = nullptr) override;
};
