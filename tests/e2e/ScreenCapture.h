// Screenshots of what the program shows, taken from the screen itself.
#pragma once

#include <windows.h>

#include <string>

#include "ToolWindows.h"

// Saves the screen area as a PNG file in the screenshot folder; true on success.
bool SaveScreenArea(const std::wstring& fileName, const RECT& area);
// The union of the window rectangles of every visible window of the process, with a margin.
RECT VisibleAreaOf(DWORD pid, int margin);
// How many pixels of the screen area are near white (all channels above the threshold),
// read back from the display as it is composed; -1 when it cannot be read.
int BrightPixelsOnScreen(const RECT& area, int threshold = 160);
// The main panel's close button is a white cross; where the frame's skin
// covers the panel, the display shows the skin's plain dark blue there.
bool PanelShowsOnScreen(const MainWindow& main);
