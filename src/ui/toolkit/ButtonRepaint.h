// The platform button draws its own look straight onto the screen on some
// messages (state and focus changes, enabling, text). After those the owner-
// drawn buttons ask for a repaint of their own so that look never stays.
#pragma once

#include <windows.h>

inline bool PlatformButtonDrawsOn(UINT msg)
{
    switch (msg) {
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case WM_CAPTURECHANGED:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

// After such a message, a repaint of the button's own look (erase: whether
// the background is erased first, which the buttons that draw in the erase need).
inline void RepaintAfterPlatformButtonDraw(HWND hwnd, UINT msg, BOOL erase)
{
    if (PlatformButtonDrawsOn(msg) && hwnd && ::IsWindow(hwnd))
        ::InvalidateRect(hwnd, nullptr, erase);
}
