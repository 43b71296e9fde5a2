// Runs one command line and appends everything it printed to output.
// The repair steps only see this, so they can be driven without a real shell.
#pragma once

#include <string>

class ICommandRunner
{
public:
    virtual ~ICommandRunner() = default;
    // false when the command could not be started (output is then unchanged)
    // or did not end in time; the step then failed. exitCode, when given,
    // receives the command's exit code as RunCommand reports it.
    virtual bool Run(const std::wstring& command, std::wstring& output,
                     unsigned long* exitCode = nullptr) = 0;
};
