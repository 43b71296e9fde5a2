// Runs the real commands and notes, for each one, its text and whether this
// thread saw the 64-bit system folder at that moment.
#pragma once

#include "repair/CSystemCommandRunner.h"

#include "WinTestSupport.h"

#include <string>
#include <vector>

namespace wintest {

// A file that exists only in the 64-bit system folder: visible to a 32-bit
// thread only while its file-system redirection is off.
constexpr wchar_t kViewProbe[] = L"C:\\windows\\system32\\stellwick-view-probe.txt";

inline bool PlantViewProbe()
{
    PVOID previous = nullptr;
    if (!Wow64DisableWow64FsRedirection(&previous)) {
        return false;
    }
    bool ok = WriteBytes(kViewProbe, "64");
    Wow64RevertWow64FsRedirection(previous);
    return ok;
}

inline bool SeesNativeSystemFolder()
{
    return FileExists(kViewProbe);
}

class RecordingRunner : public ICommandRunner
{
public:
    bool Run(const std::wstring& command, std::wstring& output, unsigned long* exitCode = nullptr) override
    {
        m_commands.push_back(command);
        m_sawNativeFolder.push_back(SeesNativeSystemFolder());
        return m_real.Run(command, output, exitCode);
    }

    std::vector<std::wstring> m_commands;
    std::vector<bool> m_sawNativeFolder;

private:
    CSystemCommandRunner m_real;
};

} // namespace wintest
