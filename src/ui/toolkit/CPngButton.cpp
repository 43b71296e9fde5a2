#include "ui/toolkit/CPngButton.h"

#include "ui/toolkit/ButtonRepaint.h"
#include "ui/toolkit/ControlGeometry.h"
#include "ui/toolkit/ControlPainting.h"
#include "ui/toolkit/PngResource.h"
#include "ui/toolkit/SkinRectConversion.h"

CPngButton::CPngButton() : m_brushFill(::CreateSolidBrush(RGB(255, 255, 255))) {}

CPngButton::~CPngButton() = default;

void CPngButton::SetImages(UINT normal, UINT hover, UINT pressed, UINT disabled)
{
    m_pImages.Load(normal, hover, pressed, disabled);
}

void CPngButton::FreeImages() { m_pImages.Free(); }

BOOL CPngButton::AllFacesLoaded() const { return m_pImages.AllPresent(); }

void CPngButton::Repaint(bool changed)
{
    if (changed && m_hWnd)
        Invalidate(TRUE);
}

void CPngButton::CheckMouseLeave(CPoint screenPoint)
{
    if (!m_hWnd)
        return;
    CRect window;
    GetWindowRect(&window);
    Repaint(m_state.OnMouseLeaveCheck(IsWindowEnabled() != FALSE, window.PtInRect(screenPoint) != FALSE));
}

LRESULT CPngButton::OnNcHitTest(CPoint screenPoint)
{
    CRect window;
    GetWindowRect(&window);
    Repaint(m_state.OnHitTest(IsWindowEnabled() != FALSE, window.PtInRect(screenPoint) != FALSE));
    return Default();
}

void CPngButton::OnLButtonDown(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    Repaint(m_state.OnButtonDown(IsWindowEnabled() != FALSE, client.PtInRect(point) != FALSE));
    Default();
}

void CPngButton::OnLButtonUp(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    Repaint(m_state.OnButtonUp(IsWindowEnabled() != FALSE, client.PtInRect(point) != FALSE));
    Default();
}

LRESULT CPngButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CButton::WindowProc(msg, wParam, lParam);
    RepaintAfterPlatformButtonDraw(m_hWnd, msg, FALSE);
    return result;
}

void CPngButton::OnPaint()
{
    // The buffer is kept from the first paint; made again only if the button
    // was resized after it, so the copy never shows pixels nobody drew.
    PaintOffscreen(*this, m_rcClient, &m_offscreen, [this](HDC mem) {
        ::FillRect(mem, &m_rcClient, m_brushFill.Get());
        ::SetBkMode(mem, TRANSPARENT);
        if (!AllFacesLoaded())
            return;
        Gdiplus::Image* face = m_pImages.Face(m_state.State() - 1);
        if (!face)
            return;
        const int faceWidth = static_cast<int>(face->GetWidth());
        const int faceHeight = static_cast<int>(face->GetHeight());
        SkinRect client;
        client.right = m_rcClient.Width();
        client.bottom = m_rcClient.Height();
        const SkinRect dest = FaceDestination(client, m_nStretch != 0, faceWidth, faceHeight);
        const SkinRect src = PngButtonFaceSource(faceWidth, faceHeight);
        DrawImageSlice(mem, face, ToRect(dest), src.left, src.top, src.right, src.bottom);
    });
}
