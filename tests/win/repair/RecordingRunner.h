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

// The 64-bit build of the tests has no redirection to switch: it always sees
// the native folder, and the repair never switches anything.
constexpr bool k64BitBuild = sizeof(void*) == 8;

// A 32-bit process that runs on 64-bit Windows, where the repair switches
// redirection off.
inline bool RunsUnderWow64()
{
    return !k64BitBuild && EnvA("STELLWICK_WINE_ARCH") != "win32";
}

inline bool PlantViewProbe()
{
    if (k64BitBuild) {
        return WriteBytes(kViewProbe, "64");
    }
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
        Record(command);
        return m_real.Run(command, output, exitCode);
    }

    bool RunWithReadings(const std::wstring& command, std::vector<std::wstring>& readings,
                         unsigned long* exitCode = nullptr) override
    {
        Record(command);
        return m_real.RunWithReadings(command, readings, exitCode);
    }

    std::vector<std::wstring> m_commands;
    std::vector<bool> m_sawNativeFolder;

protected:
    void Record(const std::wstring& command)
    {
        m_commands.push_back(command);
        m_sawNativeFolder.push_back(SeesNativeSystemFolder());
    }

    CSystemCommandRunner m_real;
};

} // namespace wintest
