#include "ui/toolkit/CDrawTextStatic.h"

#include "ui/toolkit/COffscreenBuffer.h"
#include "ui/toolkit/ControlFont.h"
#include "ui/toolkit/PngResource.h"
#include "ui/toolkit/StaticRepaint.h"
#include "ui/toolkit/TextPlacement.h"

CDrawTextStatic::CDrawTextStatic() = default;

CDrawTextStatic::~CDrawTextStatic() = default;

void CDrawTextStatic::SetTextColors(COLORREF normal, COLORREF hover)
{
    m_crText = normal;
    m_crHover = hover;
}

void CDrawTextStatic::SetBackgroundRect(int left, int top, int right, int bottom)
{
    m_nBackLeft = left;
    m_nBackTop = top;
    m_nBackRight = right;
    m_nBackBottom = bottom;
}

void CDrawTextStatic::CreateTextFont() { m_fontText.Reset(CreateControlFontCopy(GetParentHwnd())); }

BOOL CDrawTextStatic::HitTest(CPoint screenPoint) const
{
    if (!m_hWnd)
        return FALSE;
    CRect window;
    GetWindowRect(&window);
    return window.PtInRect(screenPoint);
}

void CDrawTextStatic::UpdateHover(CPoint screenPoint)
{
    const int hover = HitTest(screenPoint) ? 1 : 0;
    if (hover == m_bHover)
        return;
    m_bHover = hover;
    Invalidate(TRUE);
}

LRESULT CDrawTextStatic::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CStatic::WindowProc(msg, wParam, lParam);
    if (PlatformStaticDrawsOn(msg) && m_hWnd && ::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return result;
}

void CDrawTextStatic::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (!dc)
        return;
    GetClientRect(&m_rcClient);
    COffscreenBuffer buffer;
    if (buffer.Create(dc, m_rcClient.Width(), m_rcClient.Height())) {
        HDC mem = buffer.Dc();
        if (!m_brushFill)
            m_brushFill.Reset(::CreateSolidBrush(m_crBack));
        ::FillRect(mem, &m_rcClient, m_brushFill.Get());
        ::SetBkMode(mem, TRANSPARENT);
        if (m_pBackground) {
            Gdiplus::Graphics g(mem);
            DrawImagePart(g, m_pBackground, m_rcClient, m_nBackLeft, m_nBackTop, m_nBackRight - m_nBackLeft,
                          m_nBackBottom - m_nBackTop);
        }
        HGDIOBJ oldFont = m_fontText ? ::SelectObject(mem, m_fontText.Get()) : nullptr;
        const std::wstring text = GetWindowText();
        ::SetTextColor(mem, m_bHover ? m_crHover : m_crText);
        unsigned format = 0;
        if (DrawTextStaticFormat(m_nTextFormat, &format)) {
            RECT textRect = m_rcClient;
            ::DrawTextW(mem, text.c_str(), -1, &textRect, format);
        }
        if (oldFont)
            ::SelectObject(mem, oldFont);
        buffer.BlitTo(dc);
    }
    ::EndPaint(m_hWnd, &ps);
}
