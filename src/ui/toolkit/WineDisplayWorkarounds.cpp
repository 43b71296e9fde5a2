#include "ui/toolkit/WineDisplayWorkarounds.h"

#include "framework/WineHost.h"

// What Wine's display does, and why the pairs need help there. Wine's X11
// driver gives every top-level window an X window of its own. A frame's first
// layered update with alpha moves it to a new X window with an alpha visual
// (a trace shows the old X window destroyed and a new one made, also when the
// frame is layered from its template), which the X server composites; the
// frame is shown after its content. The display can then show the frame's
// skin over the content, covering every control and taking its clicks, and
// putting the content back in the window order does not always change what
// the screen shows. Under Wine a frame therefore puts its content back right
// above itself once it has been shown or activated; the main frame shows its
// panel for the first time only after itself (showing it before and again
// afterwards would paint the whole panel twice), and again once it has been
// raised and around every prompt; the feedback window puts its content back
// over its frame from its hover timer; and a frame lets the pointer through
// to its content where it still gets it.
// Windows never runs any of this.

namespace {

bool g_forcedOff = false;

bool BothVisible(HWND frame, HWND content)
{
    return frame && content && ::IsWindow(content) && ::IsWindowVisible(frame) && ::IsWindowVisible(content);
}

UINT RemapMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"StellwickRemapContentAboveFrame");
    return message;
}

// Right above the frame in the window order, nothing hidden and nothing
// activated. Wine's order does not keep an owned window above its owner when
// the owner is shown or raised after it (the modal run shows and activates
// the frame after its content, an ended prompt activates the main frame).
void PutContentRightAboveFrame(HWND frame, HWND content)
{
    if (!content || !::IsWindow(content) || !::IsWindowVisible(frame))
        return;
    HWND above = ::GetWindow(frame, GW_HWNDPREV);
    if (above != content)
        ::SetWindowPos(content, above ? above : HWND_TOP, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// Posted when a frame was shown: showing and activating go on after that
// notification and may raise the frame once more.
UINT KeepAboveMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"StellwickKeepContentAboveFrame");
    return message;
}

} // namespace

bool WineDisplayWorkarounds::Active()
{
    return !g_forcedOff && WineHost::Detected();
}

void WineDisplayWorkarounds::SwitchOffForTest(bool off)
{
    g_forcedOff = off;
}

bool WineDisplayWorkarounds::FrameShowsContent()
{
    return Active();
}

void WineDisplayWorkarounds::ShowContentAboveFrame(HWND frame, HWND content)
{
    if (!Active() || !BothVisible(frame, content))
        return;
    ::ShowWindow(content, SW_HIDE);
    ::ShowWindow(content, SW_SHOWNA);
}

void WineDisplayWorkarounds::KeepContentAboveFrameFromTimer(HWND frame, HWND content)
{
    if (!Active() || !BothVisible(frame, content))
        return;
    PutContentRightAboveFrame(frame, content);
}

LRESULT WineDisplayWorkarounds::FrameMessage(HWND frame, HWND content, bool remapOnShow, bool* remapPosted,
                                             UINT msg, WPARAM, LPARAM lParam, LRESULT result)
{
    if (!Active())
        return result;
    if (msg == WM_WINDOWPOSCHANGED) {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        PutContentRightAboveFrame(frame, content);
        if (pos->flags & SWP_SHOWWINDOW)
            ::PostMessageW(frame, KeepAboveMessage(), 0, 0);
        if (remapOnShow && !*remapPosted && ((pos->flags & SWP_SHOWWINDOW) || !(pos->flags & SWP_NOZORDER)))
            *remapPosted = ::PostMessageW(frame, RemapMessage(), 0, 0) != FALSE;
    } else if (msg == KeepAboveMessage() || msg == WM_ACTIVATE) {
        PutContentRightAboveFrame(frame, content);
    } else if (msg == RemapMessage()) {
        *remapPosted = false;
        // After the frame's first show its content is still hidden
        // (FrameShowsContent): shown now, after its frame, it comes up above
        // it and is painted once. A minimized frame's content stays hidden.
        if (content && ::IsWindow(content) && ::IsWindowVisible(frame) && !::IsIconic(frame) &&
            !::IsWindowVisible(content))
            ::ShowWindow(content, SW_SHOWNA);
        else
            ShowContentAboveFrame(frame, content);
    } else if (msg == WM_NCHITTEST && content && ::IsWindow(content) && ::IsWindowVisible(content)) {
        // The pointer reaches the frame over the content only where the
        // frame got above it: put the content back on top and let the
        // pointer through to it (both windows belong to this thread).
        RECT r = {};
        ::GetWindowRect(content, &r);
        const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (::PtInRect(&r, point)) {
            PutContentRightAboveFrame(frame, content);
            return HTTRANSPARENT;
        }
    }
    return result;
}
