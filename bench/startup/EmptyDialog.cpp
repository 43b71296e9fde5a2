// An empty modal dialog, built like the tool (static runtime, same toolchain
// and flags), against which the tool's start-up time and memory are measured.
// Built a second time with STELLWICK_PLATFORM_FLOOR: the same dialog after
// doing what any program on the tool's platform pieces does before it can
// draw (common controls, GDI+, the decoding of one skin-sized PNG). That one
// is no target; it shows how much of the tool's start is the platform's own.
#include <windows.h>

#include "framework/StartupPhases.h"

#ifdef STELLWICK_PLATFORM_FLOOR
#include <commctrl.h>
#include <objidl.h>
#include <shlwapi.h>

#include <gdiplus.h>
#endif

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        // Marks are kept only when the bench asks for them (as for the tool).
        STARTUP_PHASE_MARK("dialog_init");
        STARTUP_PHASES_WRITE();
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

#ifdef STELLWICK_PLATFORM_FLOOR
// PNG resource 138, the main window's skin, decoded; kept while the dialog is
// up, as the tool keeps its images while its window is.
Gdiplus::Bitmap* DecodeSkin(HINSTANCE instance)
{
    HRSRC res = FindResourceW(instance, MAKEINTRESOURCEW(138), L"PNG");
    HGLOBAL loaded = res ? LoadResource(instance, res) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    IStream* stream = bytes ? SHCreateMemStream(bytes, SizeofResource(instance, res)) : nullptr;
    if (!stream)
        return nullptr;
    Gdiplus::Bitmap* bitmap = new Gdiplus::Bitmap(stream, FALSE);
    stream->Release();
    return bitmap;
}
#endif

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    STARTUP_PHASE_MARK("win_main");
#ifdef STELLWICK_PLATFORM_FLOOR
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    Gdiplus::Bitmap* skin = DecodeSkin(instance);
    STARTUP_PHASE_MARK("platform_ready");
#endif
    DialogBoxParamW(instance, MAKEINTRESOURCEW(100), nullptr, EmptyDialogProc, 0);
#ifdef STELLWICK_PLATFORM_FLOOR
    delete skin;
    Gdiplus::GdiplusShutdown(token);
#endif
    return 0;
}
