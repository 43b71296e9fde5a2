#include "ui/toolkit/CFeaturePngButton.h"

#include "ui/toolkit/ButtonRepaint.h"
#include "ui/toolkit/COffscreenBuffer.h"
#include "ui/toolkit/PngResource.h"
#include "ui/toolkit/SkinRectConversion.h"

CFeaturePngButton::CFeaturePngButton() = default;

CFeaturePngButton::~CFeaturePngButton() = default;

void CFeaturePngButton::SetBackgroundImage(UINT pngId)
{
    m_pParentBackground = nullptr;
    m_pBackground.Reset();
    LoadPngResource(pngId, m_pBackground);
}

void CFeaturePngButton::SetBackgroundImage(Gdiplus::Image* parentImage)
{
    m_pBackground.Reset();
    m_pParentBackground = parentImage;
}

void CFeaturePngButton::SetBackgroundRect(int left, int top, int right, int bottom)
{
    m_nBackLeft = left;
    m_nBackTop = top;
    m_nBackRight = right;
    m_nBackBottom = bottom;
}

void CFeaturePngButton::SetHitInsets(int left, int top, int right, int bottom)
{
    m_insets.left = left;
    m_insets.top = top;
    m_insets.right = right;
    m_insets.bottom = bottom;
}

void CFeaturePngButton::SetImages(UINT normal, UINT hover, UINT pressed, UINT disabled)
{
    m_pImages.Load(normal, hover, pressed, disabled);
}

void CFeaturePngButton::FreeImages()
{
    m_pImages.Free();
    m_pBackground.Reset();
    m_pParentBackground = nullptr;
}

BOOL CFeaturePngButton::AllFacesLoaded() const { return m_pImages.AllPresent(); }

void CFeaturePngButton::Repaint(bool changed)
{
    if (changed && m_hWnd)
        Invalidate(TRUE);
}

bool CFeaturePngButton::InActiveArea(const RECT& r, POINT p) const
{
    const SkinRect active = ShrinkByInsets(ToSkinRect(r), m_insets);
    return SkinRectContains(active, p.x, p.y);
}

void CFeaturePngButton::EnableButton(BOOL enable)
{
    m_state.OnEnable(enable != FALSE);
    if (!m_hWnd)
        return;
    EnableWindow(enable);
    Invalidate(TRUE);
}

void CFeaturePngButton::CheckMouseLeave(CPoint screenPoint)
{
    if (!m_hWnd)
        return;
    CRect window;
    GetWindowRect(&window);
    Repaint(m_state.OnMouseLeaveCheck(IsWindowEnabled() != FALSE, InActiveArea(window, screenPoint)));
}

LRESULT CFeaturePngButton::OnNcHitTest(CPoint screenPoint)
{
    CRect window;
    GetWindowRect(&window);
    Repaint(m_state.OnHitTest(IsWindowEnabled() != FALSE, InActiveArea(window, screenPoint)));
    return Default();
}

void CFeaturePngButton::OnLButtonDown(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    m_state.OnButtonDown(IsWindowEnabled() != FALSE, InActiveArea(client, point));
    Repaint(true);
    Default();
}

void CFeaturePngButton::OnLButtonUp(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    m_state.OnButtonUp(IsWindowEnabled() != FALSE, InActiveArea(client, point));
    Repaint(true);
    Default();
}

LRESULT CFeaturePngButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CButton::WindowProc(msg, wParam, lParam);
    RepaintAfterPlatformButtonDraw(m_hWnd, msg, TRUE);
    return result;
}

void CFeaturePngButton::OnPaint()
{
    // All drawing happens in the erase; BeginPaint sends it when one is due.
    PAINTSTRUCT ps;
    if (::BeginPaint(m_hWnd, &ps))
        ::EndPaint(m_hWnd, &ps);
}

BOOL CFeaturePngButton::OnEraseBkgnd(HDC dc)
{
    GetClientRect(&m_rcClient);
    const int width = m_rcClient.Width();
    const int height = m_rcClient.Height();
    COffscreenBuffer buffer;
    if (!buffer.Create(dc, width, height))
        return TRUE;
    HDC mem = buffer.Dc();
    ::SetBkMode(mem, TRANSPARENT);

    // Without images the button must still show something defined: the
    // brush its parent gives buttons, else the dialog face colour.
    HWND parent = GetParentHwnd();
    HBRUSH parentBrush = parent ? reinterpret_cast<HBRUSH>(::SendMessageW(
                                      parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(mem),
                                      reinterpret_cast<LPARAM>(m_hWnd)))
                                : nullptr;
    ::FillRect(mem, &m_rcClient, parentBrush ? parentBrush : ::GetSysColorBrush(COLOR_BTNFACE));

    SkinRect client;
    client.right = width;
    client.bottom = height;
    const BOOL faces = AllFacesLoaded();
    Gdiplus::Image* face = faces ? m_pImages.Face(m_state.State() - 1) : nullptr;
    const int faceWidth = face ? static_cast<int>(face->GetWidth()) : width;
    const int faceHeight = face ? static_cast<int>(face->GetHeight()) : height;
    const SkinRect dest = FaceDestination(client, m_nStretch != 0 || !face, faceWidth, faceHeight);
    const RECT destRect = ToRect(dest);

    Gdiplus::Image* background = Background();
    const bool partOneToOne = m_nBackRight - m_nBackLeft == dest.right - dest.left &&
                              m_nBackBottom - m_nBackTop == dest.bottom - dest.top;
    // One to one under a face (the main panel at 100 %), the button is put
    // together here: GDI+ spends most of a paint on squeezing the face.
    const bool composed = background && face && partOneToOne &&
                          DrawFaceOverOpaquePart(mem, destRect, background, m_nBackLeft, m_nBackTop, face);
    if (background && !composed) {
        Gdiplus::Graphics g(mem);
        DrawImagePart(g, background, destRect, m_nBackLeft, m_nBackTop, m_nBackRight - m_nBackLeft,
                      m_nBackBottom - m_nBackTop);
        if (face)
            DrawImagePart(g, face, destRect, 0, 0, faceWidth, faceHeight);
    }
    buffer.BlitTo(dc);
    return TRUE;
}
