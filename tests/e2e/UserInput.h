// Acting on the program like a user: the pointer and the keyboard through
// the system's input queue, never messages posted to the program's windows.
#pragma once

#include <windows.h>

void MovePointer(POINT screen);
void ClickAt(POINT screen);
// Presses and releases the left button at the centre of the control, once the
// spot belongs to the dialog and the dialog takes input (false if it never did).
bool ClickControl(HWND dialog, int controlId);
void PressKey(WORD virtualKey);
// Clicks a spot of the window that holds no control, so it is the active one.
void ActivateByClick(HWND window, POINT clientSpot);
