#include "ui/toolkit/ControlPainting.h"

#include "ui/toolkit/PngResource.h"

void DrawImageSlice(HDC dc, Gdiplus::Image* image, const RECT& dest, int left, int top, int right, int bottom)
{
    Gdiplus::Graphics g(dc);
    DrawImagePart(g, image, dest, left, top, right - left, bottom - top);
}

void DrawTextInFont(HDC dc, HFONT font, COLORREF colour, const std::wstring& text, RECT rect, unsigned format)
{
    HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;
    ::SetTextColor(dc, colour);
    ::DrawTextW(dc, text.c_str(), -1, &rect, format);
    if (oldFont)
        ::SelectObject(dc, oldFont);
}
