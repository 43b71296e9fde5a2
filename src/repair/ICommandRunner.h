// Runs one command line and appends everything it printed to output.
// The repair steps only see this, so they can be driven without a real shell.
#pragma once

#include <string>

class ICommandRunner
{
public:
    virtual ~ICommandRunner() = default;
    // false only when the command could not be started; output is then unchanged.
    virtual bool Run(const std::wstring& command, std::wstring& output) = 0;
};
