#include "UserInput.h"

#include "Poll.h"

void MovePointer(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    // A real move as well, so the target sees the pointer arrive (hover, hit tests).
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = (screen.x * 65535) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = (screen.y * 65535) / (GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    Sleep(60);
}

void ClickAt(POINT screen)
{
    MovePointer(screen);
    INPUT in[2] = {};
    in[0].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in[0], sizeof(INPUT));
    Sleep(40);
    SendInput(1, &in[1], sizeof(INPUT));
    Sleep(40);
}

bool ClickControl(HWND dialog, int controlId)
{
    HWND control = GetDlgItem(dialog, controlId);
    if (!control)
        return false;
    RECT r;
    GetWindowRect(control, &r);
    if (r.right <= r.left || r.bottom <= r.top)
        return false;
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    // Right after a prompt has gone its owner may for a moment still be
    // disabled, the prompt's frame still lie over the spot, or (under Wine)
    // the owner be hidden and shown again to bring it above its frame; a
    // press then would be lost. Wait until the spot has belonged to the
    // dialog, and the dialog taken input, for a while without a break, and
    // the program's thread answers messages (a disabled control itself is
    // pressed as it is).
    const HWND root = GetAncestor(control, GA_ROOT);
    const DWORD settle = 300;
    DWORD since = 0;
    bool counting = false;
    const bool reachable = PollUntil(
        [&] {
            DWORD_PTR ignored = 0;
            const bool takesInput = IsWindowEnabled(root) && GetAncestor(WindowFromPoint(centre), GA_ROOT) == root &&
                                    SendMessageTimeoutW(root, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) != 0;
            if (!takesInput) {
                counting = false;
                return false;
            }
            if (!counting) {
                counting = true;
                since = GetTickCount();
            }
            return GetTickCount() - since >= settle;
        },
        8000, 10);
    ClickAt(centre);
    return reachable;
}

void PressKey(WORD virtualKey)
{
    INPUT in[2] = {};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wVk = virtualKey;
    in[1].type = INPUT_KEYBOARD;
    in[1].ki.wVk = virtualKey;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(80);
}

void ActivateByClick(HWND window, POINT clientSpot)
{
    ClientToScreen(window, &clientSpot);
    ClickAt(clientSpot);
}
