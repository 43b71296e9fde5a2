#include "ui/toolkit/CDrawTextStatic.h"

#include "ui/toolkit/ControlFont.h"
#include "ui/toolkit/ControlPainting.h"
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
    RepaintAfterPlatformStaticDraw(m_hWnd, msg);
    return result;
}

void CDrawTextStatic::OnPaint()
{
    PaintOffscreen(*this, m_rcClient, nullptr, [this](HDC mem) {
        if (!m_brushFill)
            m_brushFill.Reset(::CreateSolidBrush(m_crBack));
        ::FillRect(mem, &m_rcClient, m_brushFill.Get());
        ::SetBkMode(mem, TRANSPARENT);
        if (m_pBackground)
            DrawImageSlice(mem, m_pBackground, m_rcClient, m_nBackLeft, m_nBackTop, m_nBackRight,
                           m_nBackBottom);
        unsigned format = 0;
        if (DrawTextStaticFormat(m_nTextFormat, &format))
            DrawTextInFont(mem, m_fontText.Get(), m_bHover ? m_crHover : m_crText, GetWindowText(),
                           m_rcClient, format);
    });
}
