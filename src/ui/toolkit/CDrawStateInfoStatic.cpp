#include "ui/toolkit/CDrawStateInfoStatic.h"

#include "ui/toolkit/COffscreenBuffer.h"
#include "ui/toolkit/ControlFont.h"
#include "ui/toolkit/PngResource.h"
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
    if (PlatformStaticDrawsOn(msg) && m_hWnd && ::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return result;
}

void CDrawStateInfoStatic::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (!dc)
        return;
    GetClientRect(&m_rcClient);
    COffscreenBuffer buffer;
    if (buffer.Create(dc, m_rcClient.Width(), m_rcClient.Height())) {
        HDC mem = buffer.Dc();
        ::FillRect(mem, &m_rcClient, m_brushFill.Get());
        ::SetBkMode(mem, TRANSPARENT);
        HGDIOBJ oldFont = m_fontText ? ::SelectObject(mem, m_fontText.Get()) : nullptr;
        if (m_pBackground) {
            Gdiplus::Graphics g(mem);
            DrawImagePart(g, m_pBackground, m_rcClient, m_nBackLeft, m_nBackTop, m_nBackRight - m_nBackLeft,
                          m_nBackBottom - m_nBackTop);
        }
        const std::wstring text = GetWindowText() + EllipsisDots(m_animation.DotCount());
        ::SetTextColor(mem, m_crText);
        RECT textRect = m_rcClient;
        ::DrawTextW(mem, text.c_str(), -1, &textRect, StateInfoStaticFormat(m_nTextFormat));
        if (oldFont)
            ::SelectObject(mem, oldFont);
        buffer.BlitTo(dc);
    }
    ::EndPaint(m_hWnd, &ps);
}
