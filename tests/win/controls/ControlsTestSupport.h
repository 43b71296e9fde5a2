// Shared pieces of the control and prompt tests under Wine: GDI+ for the
// whole run, a visible host window that records the notifications of its
// children, message pumping and reading back what a window shows.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <functional>
#include <vector>

namespace ctltest {

// The host's record of one WM_COMMAND from a child.
struct Notification
{
    int id;
    int code;
};

// A visible top-level window at a fixed place; children post their
// WM_COMMAND notifications here. Answers WM_GETFONT with the font it is given.
class HostWindow
{
public:
    HostWindow(int x, int y, int width, int height);
    ~HostWindow();
    HWND Hwnd() const { return m_hwnd; }
    void SetFont(HFONT font) { m_font = font; }
    std::vector<Notification> notifications;
    int Clicks(int id) const;

    // A child control of a class ("BUTTON", "STATIC") at client coordinates.
    HWND AddChild(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hwnd = nullptr;
    HFONT m_font = nullptr;
};

// Dispatches whatever is queued for this thread for about ms milliseconds.
void Pump(int ms);
// Repaints the window now (invalidate, update) and pumps briefly.
void Refresh(HWND hwnd);

// The pixels of a window's client area as 0x00RRGGBB, row by row.
struct Capture
{
    int width = 0;
    int height = 0;
    std::vector<unsigned> pixels;
    unsigned At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Capture CaptureClient(HWND hwnd);

// A rendering of what a face drawn into a width x height rectangle looks
// like: white (or a background slice) under part of an image.
struct FaceRender
{
    unsigned pngId = 0;
    int srcX = 0, srcY = 0, srcW = 0, srcH = 0; // 0 width or height: the whole face
    unsigned backgroundPng = 0;
    int bgX = 0, bgY = 0, bgW = 0, bgH = 0;
};
Capture RenderExpected(const FaceRender& face, int width, int height);

// Mean absolute channel difference of two captures of the same size
// (region x, y, w, h); 255 when sizes differ.
double MeanDifference(const Capture& a, const Capture& b, int x, int y, int w, int h);

// Which of the candidates' renderings a capture is closest to (index).
int ClosestRendering(const Capture& actual, const std::vector<Capture>& candidates, int x, int y, int w, int h);

int Red(unsigned rgb);
int Green(unsigned rgb);
int Blue(unsigned rgb);
// True when no channel of a differs from b by more than tolerance.
bool Near(unsigned a, unsigned b, int tolerance);

// Bounding box of the pixels that satisfy pred within a region; empty
// (right <= left) when none does.
RECT InkBox(const Capture& c, const std::function<bool(unsigned)>& pred, const RECT& region);

} // namespace ctltest
