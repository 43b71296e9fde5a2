// The steps the painted controls share: one double-buffered paint, the slice
// of a background image under a control, and text in the control's font.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <string>

#include "framework/CRect.h"
#include "framework/CWnd.h"
#include "ui/toolkit/COffscreenBuffer.h"

// One paint message of a control drawn off-screen: the client rectangle is
// read into rcClient, draw(memoryDc) paints a buffer of that size and the
// buffer is copied to the screen in one go. retained is a buffer kept across
// paints and made again only when the size changed; null makes one for this
// paint. Without a buffer nothing is drawn, but the paint still ends.
template <class Draw>
void PaintOffscreen(CWnd& control, CRect& rcClient, COffscreenBuffer* retained, Draw draw)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(control.m_hWnd, &ps);
    if (!dc)
        return;
    control.GetClientRect(&rcClient);
    const int width = rcClient.Width();
    const int height = rcClient.Height();
    COffscreenBuffer perPaint;
    COffscreenBuffer& buffer = retained ? *retained : perPaint;
    if (!buffer.IsCreated() || buffer.Width() != width || buffer.Height() != height)
        buffer.Create(dc, width, height);
    if (buffer.IsCreated()) {
        draw(buffer.Dc());
        buffer.BlitTo(dc);
    }
    ::EndPaint(control.m_hWnd, &ps);
}

// The part (left, top)-(right, bottom) of image, in the image's own pixels,
// scaled onto dest.
void DrawImageSlice(HDC dc, Gdiplus::Image* image, const RECT& dest, int left, int top, int right,
                    int bottom);

// DrawText of text in rect with the given format and colour, in font when
// there is one; the context's font is selected back afterwards.
void DrawTextInFont(HDC dc, HFONT font, COLORREF colour, const std::wstring& text, RECT rect,
                    unsigned format);
