// The font the painted controls draw in: a copy of the LOGFONT of their
// parent's font, or of DEFAULT_GUI_FONT, or of ANSI_VAR_FONT. The copy is
// ours, so it lives and dies with the control whatever the parent does.
#pragma once

#include <windows.h>

inline HFONT CreateControlFontCopy(HWND parent)
{
    HFONT source = parent ? reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0)) : nullptr;
    if (!source)
        source = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (!source)
        source = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
    LOGFONTW lf = {};
    if (!source || ::GetObjectW(source, sizeof(lf), &lf) == 0)
        return nullptr;
    return ::CreateFontIndirectW(&lf);
}
