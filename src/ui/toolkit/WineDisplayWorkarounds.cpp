#include "ui/toolkit/WineDisplayWorkarounds.h"

// What Wine's display does, and why the pairs need help there. Wine's X11
// driver gives every top-level window an X window of its own and keeps the
// X stacking only loosely in step with the window order: it raises a window
// on X only when no visible window is above it, and never lowers one. A
// frame's first layered update with alpha moves it to a new X window (an
// alpha visual; a trace shows the old X window destroyed and a new one made,
// whether the frame was layered from its template or not), and the frame is
// shown after its content. The display can then show the frame's skin over
// the content, covering every control and taking its clicks, while the window
// order itself is right, so that restacking it may change nothing on the
// screen. Under Wine the frames therefore put their content back on top after
// the frame was shown, raised or activated, let the pointer through to the
// content where the frame still gets it, and show the main panel again
// around every prompt. None of this runs on Windows.

namespace {

int g_forcedOff = 0;

bool RunsUnderWine()
{
    static const bool wine =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

bool BothVisible(HWND frame, HWND content)
{
    return frame && content && ::IsWindow(content) && ::IsWindowVisible(frame) && ::IsWindowVisible(content);
}

UINT RecheckMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"StellwickKeepContentAboveFrame");
    return message;
}

UINT RemapMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"StellwickRemapContentAboveFrame");
    return message;
}

} // namespace

bool WineDisplayWorkarounds::Active() { return !g_forcedOff && RunsUnderWine(); }

void WineDisplayWorkarounds::SwitchOffForTest(bool off) { g_forcedOff = off ? 1 : 0; }

void WineDisplayWorkarounds::KeepContentAboveFrame(HWND frame, HWND content)
{
    if (!content || !::IsWindow(content) || !::IsWindowVisible(frame))
        return;
    HWND above = ::GetWindow(frame, GW_HWNDPREV);
    if (above == content)
        return;
    ::SetWindowPos(content, above ? above : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void WineDisplayWorkarounds::ShowContentAboveFrame(HWND frame, HWND content)
{
    if (!Active() || !BothVisible(frame, content))
        return;
    ::ShowWindow(content, SW_HIDE);
    ::ShowWindow(content, SW_SHOWNA);
}

LRESULT WineDisplayWorkarounds::FrameMessage(HWND frame, HWND content, bool remapOnShow, bool* remapPosted,
                                             UINT msg, WPARAM, LPARAM lParam, LRESULT result)
{
    if (!Active())
        return result;
    if (msg == WM_WINDOWPOSCHANGED) {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        KeepContentAboveFrame(frame, content);
        // Showing and activating the frame go on after this notification and
        // may raise it once more: look again when they are over.
        if (pos->flags & SWP_SHOWWINDOW)
            ::PostMessageW(frame, RecheckMessage(), 0, 0);
        if (remapOnShow && !*remapPosted && ((pos->flags & SWP_SHOWWINDOW) || !(pos->flags & SWP_NOZORDER)))
            *remapPosted = ::PostMessageW(frame, RemapMessage(), 0, 0) != FALSE;
    } else if (msg == RemapMessage()) {
        *remapPosted = false;
        ShowContentAboveFrame(frame, content);
    } else if (msg == RecheckMessage() || msg == WM_ACTIVATE) {
        KeepContentAboveFrame(frame, content);
    } else if (msg == WM_NCHITTEST && content && ::IsWindow(content) && ::IsWindowVisible(content)) {
        // The pointer reaches the frame over the content only when the frame
        // got above it: put the content back on top and let the pointer
        // through to it (both windows belong to this thread).
        RECT r = {};
        ::GetWindowRect(content, &r);
        const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (::PtInRect(&r, point)) {
            KeepContentAboveFrame(frame, content);
            return HTTRANSPARENT;
        }
    }
    return result;
}
