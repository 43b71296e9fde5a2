// Screenshots of what the program shows, taken from the screen itself.
#pragma once

#include <windows.h>

#include <string>

// Saves the screen area as a PNG file in the screenshot folder; true on success.
bool SaveScreenArea(const std::wstring& fileName, const RECT& area);
// The union of the window rectangles of every visible window of the process, with a margin.
RECT VisibleAreaOf(DWORD pid, int margin);
