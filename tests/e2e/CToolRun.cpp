#include "CToolRun.h"

#include "E2ePaths.h"

#include <shlobj.h>

#include <vector>

CToolRun::CToolRun(const std::wstring& name) : CToolRun(ScenarioRoot(), name) {}

CToolRun::CToolRun(const std::wstring& root, const std::wstring& name) : m_folder(root + L"\\" + name)
{
    RemoveTree(m_folder);
    SHCreateDirectoryExW(nullptr, m_folder.c_str(), nullptr);
}

CToolRun::~CToolRun()
{
    if (m_pi.hProcess) {
        // A scenario that failed half-way must not leave the tool on screen for the next one.
        if (IsRunning()) {
            TerminateProcess(m_pi.hProcess, 99);
            WaitForSingleObject(m_pi.hProcess, 5000);
        }
        CloseHandle(m_pi.hProcess);
        CloseHandle(m_pi.hThread);
    }
}

bool CToolRun::AddProgram() { return CopyIn(ProgramImage(), L"Stellwick.exe"); }

bool CToolRun::AddLibrary(const std::wstring& library) { return CopyIn(library, L"TorvaneFeedbackInformation.dll"); }

bool CToolRun::AddSettings(const std::string& iniText)
{
    return AddFile(L"TorvaneFeedbackInformation.ini", iniText);
}

bool CToolRun::AddFile(const std::wstring& name, const std::string& bytes) { return WriteWholeFile(PathOf(name), bytes); }

bool CToolRun::CopyIn(const std::wstring& source, const std::wstring& name)
{
    return CopyFileW(source.c_str(), PathOf(name).c_str(), FALSE) != FALSE;
}

bool CToolRun::Start(const std::wstring& arguments, HANDLE output)
{
    std::wstring exe = PathOf(L"Stellwick.exe");
    std::wstring line = L"\"" + exe + L"\"";
    if (!arguments.empty())
        line += L" " + arguments;
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (output) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = output;
        si.hStdError = output;
    }
    QueryPerformanceCounter(&m_started);
    return CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, output ? TRUE : FALSE, 0, nullptr,
                          m_folder.c_str(), &si, &m_pi) != FALSE;
}

bool CToolRun::IsRunning() const
{
    return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool CToolRun::WaitForExit(DWORD timeoutMs, DWORD* code)
{
    if (!m_pi.hProcess || WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (code) {
        *code = 0xFFFFFFFF;
        GetExitCodeProcess(m_pi.hProcess, code);
    }
    return true;
}

double CToolRun::Elapsed() const
{
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return 1000.0 * static_cast<double>(now.QuadPart - m_started.QuadPart) / static_cast<double>(freq.QuadPart);
}
