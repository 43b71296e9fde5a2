// The repair object the main panel owns: starts the repair worker, runs the
// repair on it, and answers the system questions asked around a repair.
#pragma once

#include <windows.h>

class CRegistryRepair
{
public:
    // false for a null window; nothing is stored then.
    bool SetNotifyWindow(HWND window);
    // true when the worker thread was created; it is detached at once.
    bool StartRepair();
    // The repair itself, on the calling (worker) thread. The outcome reaches
    // the notify window as WM_REPAIR_RESULT.
    bool RepairRegistry();
    // true on Windows 10.0 only.
    bool IsSupportedSystem();
    // Forced reboot with the shutdown privilege. true when it was requested.
    bool RestartSystem();
    // The forced reboot for a run without a window, which may be the system
    // account's: through the system's shutdown request rather than the
    // logged-on user's ExitWindowsEx, at once and without a message. true
    // when the system accepted it; else *error holds the system's error.
    bool RequestSystemRestart(unsigned long* error);

private:
    HWND m_hNotifyWnd = nullptr;
};

DWORD WINAPI RepairThreadProc(LPVOID parameter);

// Enables the shutdown privilege in this process's token; ERROR_SUCCESS or
// the system's error.
DWORD EnableShutdownPrivilege();

// The system's IsWow64Process, looked up at run time; FALSE, flag untouched,
// when the system has none.
BOOL QueryWow64Process(HANDLE process, PBOOL flag);
// true when this 32-bit process runs on a 64-bit Windows.
bool IsWow64();
