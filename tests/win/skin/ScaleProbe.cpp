// Started by the scale tests after they set the display's dots per inch:
// runs a prompt-sized pair that takes its scale from the screen and prints
// what it saw into the file named on its command line as "logpixels scale frame-width frame-height
// content-width content-height".
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <cstdio>
#include <cwchar>

#include "CPromptShapedFrame.h"

namespace {

class CProbeFrame : public CPromptShapedFrame
{
public:
    CProbeFrame() { m_bOwnScale = TRUE; }
    RECT frame = {};
    RECT content = {};
    UINT holdMs = 0; // keep the pair on screen this long first (for screenshots)

protected:
    void OnStarted() override
    {
        if (holdMs)
            SetTimer(1, holdMs);
        else
            Measure();
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_TIMER && wParam == 1) {
            KillTimer(1);
            Measure();
            return 0;
        }
        return CPromptShapedFrame::WindowProc(msg, wParam, lParam);
    }

private:
    void Measure()
    {
        GetWindowRect(&frame);
        if (GetContent())
            GetContent()->GetWindowRect(&content);
        EndDialog(IDOK);
    }
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 3;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return 2;
    HDC screen = ::GetDC(nullptr);
    int logPixels = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    int rc = 1;
    // "hold" as a second argument: a grey backdrop over the whole screen and
    // the pair shown above it for a few seconds.
    HWND backdrop = nullptr;
    const bool hold = argc > 2 && std::wcscmp(argv[2], L"hold") == 0;
    if (hold) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"StellwickProbeBackdrop";
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        ::RegisterClassW(&wc);
        backdrop = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                     ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                     nullptr, nullptr, wc.hInstance, nullptr);
        ::UpdateWindow(backdrop);
    }
    {
        CProbeFrame frame;
        if (hold)
            frame.holdMs = 4000;
        if (frame.DoModal() == IDOK) {
            FILE* out = _wfopen(argv[1], L"wb");
            if (!out)
                return 4;
            std::fprintf(out, "%d %.4f %ld %ld %ld %ld\n", logPixels, static_cast<double>(frame.GetScale()),
                         frame.frame.right - frame.frame.left, frame.frame.bottom - frame.frame.top,
                         frame.content.right - frame.content.left, frame.content.bottom - frame.content.top);
            std::fclose(out);
            rc = 0;
        }
    }
    if (backdrop)
        ::DestroyWindow(backdrop);
    Gdiplus::GdiplusShutdown(token);
    return rc;
}
