// The global low-level mouse hook. The hook procedure is a free function the
// system calls, so its target window and hook handle are process-wide: every
// instance shares them, and constructing one resets both to null.
#pragma once

#include <windows.h>

class CMouseHook
{
public:
    CMouseHook();

    // False for a null window; otherwise the window receives WM_HOOK_LBUTTONDOWN.
    bool SetNotifyWindow(HWND window);
    // Installs the hook for all threads of the desktop; true when the system gave a handle.
    bool Install();
    // Removes the hook when one was installed. The stored handle stays as it is.
    void Uninstall();

    static HWND TargetWindow();
    static HHOOK HookHandle();
};

// Posts WM_HOOK_LBUTTONDOWN to the target window for each left press and
// passes every event on; it never swallows one.
LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam);
