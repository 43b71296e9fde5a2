// What the skinned window pairs do only when the program runs under Wine, to
// keep each content visible over its frame on Wine's X11 display. On Windows
// an owned window always stays above its owner and none of this runs: no
// window is hidden and shown again, nothing is restacked.
#pragma once

#include <windows.h>

class WineDisplayWorkarounds
{
public:
    // True under Wine (looked up once) unless a test switched the workarounds off.
    static bool Active();
    // For tests: true runs the pairs as on Windows even under Wine.
    static void SwitchOffForTest(bool off);

    // Called by a frame for each message after its own handling. May replace
    // the result (the frame's hit test over its content); remapOnShow is set
    // for the frames whose content holds many controls (the main window).
    static LRESULT FrameMessage(HWND frame, HWND content, bool remapOnShow, bool* remapPosted, UINT msg,
                                WPARAM wParam, LPARAM lParam, LRESULT result);

    // True when a frame that remaps on show (FrameMessage's remapOnShow)
    // shows its content itself once it has been shown: under Wine, where a
    // content shown before its frame ends up under it on the display and
    // would have to be hidden and shown again (a second paint of everything).
    // Such a frame then leaves its content hidden until then.
    static bool FrameShowsContent();

    // Puts a visible content back over its visible frame on the display;
    // for the moments when the content is the program's topmost window
    // (right before a prompt opens over it and once the prompt is gone).
    static void ShowContentAboveFrame(HWND frame, HWND content);

    // From a content's hover timer (and the frame's hit test): puts the
    // content back right above its frame in the window order when Wine let
    // the frame get above it.
    static void KeepContentAboveFrameFromTimer(HWND frame, HWND content);
};
