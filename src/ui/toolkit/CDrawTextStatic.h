// A label painted off-screen: optional slice of the parent's background
// image, text in a copy of the dialog's font, a second colour while the
// pointer is over it.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include "framework/CGdiHandle.h"
#include "framework/CStatic.h"

class CDrawTextStatic : public CStatic
{
public:
    CDrawTextStatic();
    ~CDrawTextStatic() override;

    void SetTextColors(COLORREF normal, COLORREF hover);
    // Only takes effect before the first paint, which makes the fill brush.
    void SetBackColor(COLORREF colour) { m_crBack = colour; }
    void SetTextFormat(int code) { m_nTextFormat = code; }
    // The image stays the lender's; the control never deletes it.
    void SetBackgroundImage(Gdiplus::Image* image) { m_pBackground = image; }
    void SetBackgroundRect(int left, int top, int right, int bottom);
    void CreateTextFont();
    void UpdateHover(CPoint screenPoint);
    BOOL HitTest(CPoint screenPoint) const;

    BOOL IsHover() const { return m_bHover != 0; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;

private:
    CBrushHandle m_brushFill;
    CRect m_rcClient;
    CFontHandle m_fontText;
    COLORREF m_crText = 0;
    COLORREF m_crHover = 0xFF0000;
    COLORREF m_crBack = 0xFFFFFF;
    int m_bHover = 0;
    int m_nTextFormat = 0;
    Gdiplus::Image* m_pBackground = nullptr;
    int m_nBackLeft = 0;
    int m_nBackTop = 0;
    int m_nBackRight = 0;
    int m_nBackBottom = 0;
};
