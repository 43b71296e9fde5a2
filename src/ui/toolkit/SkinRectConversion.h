// SkinRect, the neutral rectangle of the layout arithmetic, from and to the
// platform's RECT, and a window moved onto one.
#pragma once

#include <windows.h>

#include "framework/CWnd.h"
#include "ui/toolkit/SkinGeometry.h"

inline SkinRect ToSkinRect(const RECT& r)
{
    SkinRect s;
    s.left = r.left;
    s.top = r.top;
    s.right = r.right;
    s.bottom = r.bottom;
    return s;
}

inline RECT ToRect(const SkinRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

// Moves and repaints.
inline void MoveWindowTo(CWnd& window, const SkinRect& r)
{
    window.MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}
