#include "repair/CSystemCommandRunner.h"

#include "repair/RunCommand.h"

#include <windows.h>

#include <algorithm>

bool CSystemCommandRunner::Run(const std::wstring& command, std::wstring& output, unsigned long* exitCode)
{
    return RunCommand(command, output, exitCode);
}

bool CSystemCommandRunner::RunWithReadings(const std::wstring& command, std::vector<std::wstring>& readings,
                                           unsigned long* exitCode)
{
    std::string bytes;
    bool ended = RunCommandBytes(command, bytes, exitCode);
    // reg writes in its console's code page, which is the OEM one, while the
    // thread's follows the user's format settings; on a system whose two
    // differ only one of them gives back what reg printed.
    readings.clear();
    for (UINT codePage : {static_cast<UINT>(CP_THREAD_ACP), GetOEMCP(), GetACP()}) {
        std::wstring text;
        AppendDecodedOutput(bytes, codePage, text);
        if (std::find(readings.begin(), readings.end(), text) == readings.end()) {
            readings.push_back(text);
        }
    }
    return ended;
}
