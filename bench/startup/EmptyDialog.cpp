// An empty modal dialog, built like the tool (static runtime, same toolchain
// and flags), against which the tool's start-up time and memory are measured.
#include <windows.h>

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)
            EndDialog(dialog, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    DialogBoxParamW(instance, MAKEINTRESOURCEW(100), nullptr, EmptyDialogProc, 0);
    return 0;
}
