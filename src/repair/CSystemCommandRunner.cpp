#include "repair/CSystemCommandRunner.h"

#include "repair/RunCommand.h"

bool CSystemCommandRunner::Run(const std::wstring& command, std::wstring& output, unsigned long* exitCode)
{
    return RunCommand(command, output, exitCode);
}
