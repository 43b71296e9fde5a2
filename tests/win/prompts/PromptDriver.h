// Runs a dialog modally while a timer on the same thread plays a script
// against its windows, one step per tick, as a user or a creator would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/CDialog.h"
#include "ui/toolkit/CSkinFrameDlg.h"

namespace prompttest {

struct Windows
{
    HWND frame = nullptr;
    HWND content = nullptr;
    CSkinFrameDlg* frameObject = nullptr;
};

// step(tick, windows) runs every ~10 ms once the frame exists; returning
// true ends the script (the dialog must then end by what the step did).
// A script that runs out of ticks (about 20 s) cancels the dialog so a test
// fails instead of hanging.
INT_PTR RunModal(CSkinFrameDlg& dlg, const std::function<bool(int tick, const Windows& w)>& step);

// A control of the content by id, its rectangle in content client coordinates.
RECT ControlRect(HWND content, int id);
HWND Control(HWND content, int id);
RECT WindowRectOf(HWND hwnd);
void Click(HWND content, int id);
void PostKey(HWND target, WPARAM key);

// Saves the screen area of a frame (grown by margin) with its content's own
// pixels on top as a PNG file.
bool SaveScreenArea(HWND hwnd, HWND content, int margin, const std::wstring& path);

} // namespace prompttest
