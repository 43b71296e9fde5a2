// The platform static control draws its text itself when its text, font or
// enabled state changes; the painted text controls repaint after those.
#pragma once

#include <windows.h>

inline bool PlatformStaticDrawsOn(UINT msg)
{
    return msg == WM_SETTEXT || msg == WM_SETFONT || msg == WM_ENABLE || msg == WM_UPDATEUISTATE;
}

inline void RepaintAfterPlatformStaticDraw(HWND hwnd, UINT msg)
{
    if (PlatformStaticDrawsOn(msg) && hwnd && ::IsWindow(hwnd))
        ::InvalidateRect(hwnd, nullptr, TRUE);
}
