// One run of Stellwick.exe from a program folder of its own, as a technician
// would start it after unpacking: the program, usually the support component,
// and whatever else the scenario puts beside them.
#pragma once

#include <windows.h>

#include <string>

class CToolRun
{
public:
    // The folder <scenario root>\<name> is emptied and made afresh.
    explicit CToolRun(const std::wstring& name);
    // The same under another root (an installed copy's place).
    CToolRun(const std::wstring& root, const std::wstring& name);
    ~CToolRun();
    CToolRun(const CToolRun&) = delete;
    CToolRun& operator=(const CToolRun&) = delete;

    bool AddProgram();
    bool AddLibrary(const std::wstring& library);
    // The stand-in's settings file beside it.
    bool AddSettings(const std::string& iniText);
    bool AddFile(const std::wstring& name, const std::string& bytes);
    bool CopyIn(const std::wstring& source, const std::wstring& name);

    // Starts the program with its own folder as the working folder.
    bool Start() { return Start(L""); }
    // The same with arguments after the program's name; with an output
    // handle, the program's standard output and error go there.
    bool Start(const std::wstring& arguments, HANDLE output = nullptr);
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    HANDLE Process() const { return m_pi.hProcess; }
    bool IsRunning() const;
    // True when the process ended within the time; its exit code goes to code.
    bool WaitForExit(DWORD timeoutMs, DWORD* code = nullptr);
    // Milliseconds since Start.
    double Elapsed() const;
    // The performance counter read just before the process was created.
    LONGLONG StartCounter() const { return m_started.QuadPart; }

    const std::wstring& Folder() const { return m_folder; }
    std::wstring PathOf(const std::wstring& name) const { return m_folder + L"\\" + name; }

private:
    std::wstring m_folder;
    PROCESS_INFORMATION m_pi = {};
    LARGE_INTEGER m_started = {};
};
