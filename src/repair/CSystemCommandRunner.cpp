#include "repair/CSystemCommandRunner.h"

#include "repair/RunCommand.h"

bool CSystemCommandRunner::Run(const std::wstring& command, std::wstring& output)
{
    return RunCommand(command, output);
}
