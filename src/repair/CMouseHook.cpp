#include "repair/CMouseHook.h"

#include "common/WindowMessages.h"

namespace {

HWND g_targetWindow = nullptr;
HHOOK g_hookHandle = nullptr;

} // namespace

CMouseHook::CMouseHook()
{
    g_targetWindow = nullptr;
    g_hookHandle = nullptr;
}

bool CMouseHook::SetNotifyWindow(HWND window)
{
    if (!window)
        return false;
    g_targetWindow = window;
    return true;
}

bool CMouseHook::Install()
{
    g_hookHandle = SetWindowsHookExW(WH_MOUSE_LL, LowLevelMouseProc, nullptr, 0);
    return g_hookHandle != nullptr;
}

void CMouseHook::Uninstall()
{
    if (g_hookHandle)
        UnhookWindowsHookEx(g_hookHandle);
}

HWND CMouseHook::TargetWindow()
{
    return g_targetWindow;
}

HHOOK CMouseHook::HookHandle()
{
    return g_hookHandle;
}

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam)
{
    // The code is deliberately not examined; the panel ignores the message anyway
    // and must not read lParam, which is gone by the time the post arrives.
    if (wParam == WM_LBUTTONDOWN && g_targetWindow)
        PostMessageW(g_targetWindow, WM_HOOK_LBUTTONDOWN, wParam, lParam);
    return CallNextHookEx(g_hookHandle, code, wParam, lParam);
}
