#include "FrameworkTestSupport.h"

namespace fwtest {

namespace {

const wchar_t kOwnerClass[] = L"StellwickTestOwner";

void RegisterOwnerClass()
{
    static bool done = false;
    if (done)
        return;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kOwnerClass;
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    ::RegisterClassW(&wc);
    done = true;
}

} // namespace

CWinApp& TestApp()
{
    static CWinApp app;
    return app;
}

COwnerWindow::COwnerWindow(int x, int y, int width, int height, bool visible)
{
    RegisterOwnerClass();
    HWND hwnd = ::CreateWindowExW(0, kOwnerClass, L"owner", WS_POPUP | (visible ? WS_VISIBLE : 0), x, y, width,
                                  height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    SubclassWindow(hwnd);
}

COwnerWindow::~COwnerWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

RECT WorkAreaFor(HWND hwnd)
{
    HMONITOR monitor = hwnd ? ::MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY)
                            : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(monitor, &info);
    return info.rcWork;
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace fwtest
