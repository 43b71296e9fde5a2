// Runs one command line and appends everything it printed to output.
// The repair steps only see this, so they can be driven without a real shell.
#pragma once

#include <string>
#include <vector>

class ICommandRunner
{
public:
    virtual ~ICommandRunner() = default;
    // false when the command could not be started (output is then unchanged)
    // or did not end in time; the step then failed. exitCode, when given,
    // receives the command's exit code as RunCommand reports it.
    virtual bool Run(const std::wstring& command, std::wstring& output,
                     unsigned long* exitCode = nullptr) = 0;

    // Run, with the output also read in each further code page the command's
    // console may have written in, where that gives another text. The first
    // reading is Run's output. A runner that knows only one reading gives
    // just that one.
    virtual bool RunWithReadings(const std::wstring& command, std::vector<std::wstring>& readings,
                                 unsigned long* exitCode = nullptr)
    {
        readings.assign(1, std::wstring());
        return Run(command, readings[0], exitCode);
    }
};
