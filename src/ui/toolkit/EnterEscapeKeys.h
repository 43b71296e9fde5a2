// The windows that must not end by a key (the prompts' contents, the progress
// prompt, the feedback window) swallow Enter and Esc before the dialog
// manager turns them into OK and Cancel.
#pragma once

#include <windows.h>

inline bool IsEnterOrEscapeKeyDown(const MSG* msg)
{
    return msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE);
}
