#include "ui/toolkit/CDrawStateInfoStatic.h"

#include "ui/toolkit/ControlFont.h"
#include "ui/toolkit/ControlPainting.h"
#include "ui/toolkit/StaticRepaint.h"
#include "ui/toolkit/TextPlacement.h"

CDrawStateInfoStatic::CDrawStateInfoStatic() : m_brushFill(::CreateSolidBrush(RGB(255, 255, 255))) {}

CDrawStateInfoStatic::~CDrawStateInfoStatic() { m_animation.Stop(); }

void CDrawStateInfoStatic::SetInfoTextColor(COLORREF colour)
{
    m_crText = colour;
    if (m_hWnd)
        Invalidate(TRUE);
}

void CDrawStateInfoStatic::SetBackgroundRect(int left, int top, int right, int bottom)
{
    m_nBackLeft = left;
    m_nBackTop = top;
    m_nBackRight = right;
    m_nBackBottom = bottom;
}

void CDrawStateInfoStatic::CreateTextFont() { m_fontText.Reset(CreateControlFontCopy(GetParentHwnd())); }

void CDrawStateInfoStatic::StartAnimation()
{
    HWND hwnd = m_hWnd;
    // Invalidation may be asked for from any thread; it only marks the window.
    m_animation.Start([hwnd] {
        if (hwnd)
            ::InvalidateRect(hwnd, nullptr, TRUE);
    });
}

void CDrawStateInfoStatic::StopAnimation()
{
    m_animation.Stop();
    if (m_hWnd)
        Invalidate(TRUE);
}

void CDrawStateInfoStatic::OnDestroy()
{
    // Normally stopped by the owner already; the worker must not outlive the window.
    m_animation.Stop();
    Default();
}

LRESULT CDrawStateInfoStatic::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CStatic::WindowProc(msg, wParam, lParam);
    RepaintAfterPlatformStaticDraw(m_hWnd, msg);
    return result;
}

void CDrawStateInfoStatic::OnPaint()
{
    PaintOffscreen(*this, m_rcClient, nullptr, [this](HDC mem) {
        ::FillRect(mem, &m_rcClient, m_brushFill.Get());
        ::SetBkMode(mem, TRANSPARENT);
        if (m_pBackground)
            DrawImageSlice(mem, m_pBackground, m_rcClient, m_nBackLeft, m_nBackTop, m_nBackRight,
                           m_nBackBottom);
        const std::wstring text = GetWindowText() + EllipsisDots(m_animation.DotCount());
        DrawTextInFont(mem, m_fontText.Get(), m_crText, text, m_rcClient,
                       StateInfoStaticFormat(m_nTextFormat));
    });
}
