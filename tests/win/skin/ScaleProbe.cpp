// Started by the scale tests after they set the display's dots per inch:
// runs a prompt-sized pair that takes its scale from the screen and prints
// what it saw into the file named on its command line as "logpixels scale frame-width frame-height content-width content-height".
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <cstdio>
#include <cwchar>

#include "res/resource.h"
#include "ui/toolkit/CSkinContentDlg.h"
#include "ui/toolkit/CSkinFrameDlg.h"

namespace {

constexpr UINT WM_MEASURE = WM_APP + 3;

class CProbeContent : public CSkinContentDlg
{
public:
    CProbeContent() : CSkinContentDlg(IDD_PROMPT_CHILD) { m_nBackgroundPng = IDB_PROMPT_BACKGROUND; }
};

class CProbeFrame : public CSkinFrameDlg
{
public:
    CProbeFrame() : CSkinFrameDlg(IDD_PROMPT, nullptr)
    {
        m_nSkinPng = IDB_PROMPT_SKIN;
        m_nContentTemplate = IDD_PROMPT_CHILD;
        m_fBaseWidth = 336;
        m_fBaseHeight = 156;
        m_insets = SkinInsets{5, 3, 5, 7};
        m_bOwnScale = TRUE;
    }
    RECT frame = {};
    RECT content = {};
    UINT holdMs = 0; // keep the pair on screen this long first (for screenshots)

protected:
    CSkinContentDlg* NewContent() override { return new CProbeContent; }
    BOOL OnInitDialog() override
    {
        BOOL result = CSkinFrameDlg::OnInitDialog();
        PostMessage(WM_MEASURE);
        return result;
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_MEASURE && holdMs) {
            SetTimer(1, holdMs);
            holdMs = 0;
            return 0;
        }
        if (msg == WM_TIMER && wParam == 1) {
            KillTimer(1);
            PostMessage(WM_MEASURE);
            return 0;
        }
        if (msg == WM_MEASURE) {
            GetWindowRect(&frame);
            if (GetContent())
                GetContent()->GetWindowRect(&content);
            EndDialog(IDOK);
            return 0;
        }
        return CSkinFrameDlg::WindowProc(msg, wParam, lParam);
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
                                     ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                     nullptr, wc.hInstance, nullptr);
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
