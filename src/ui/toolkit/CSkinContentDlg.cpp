#include "ui/toolkit/CSkinContentDlg.h"

#include "ui/toolkit/COffscreenBuffer.h"
#include "ui/toolkit/CSkinFrameDlg.h"
#include "ui/toolkit/PngResource.h"
#include "ui/toolkit/SkinGeometry.h"
#include "ui/toolkit/SkinRectConversion.h"

CSkinContentDlg::CSkinContentDlg(UINT templateId) : CDialog(templateId, nullptr) {}

CSkinContentDlg::~CSkinContentDlg() = default;

BOOL CSkinContentDlg::EnsureBackground()
{
    if (m_pBackground)
        return TRUE;
    if (!m_nBackgroundPng)
        return FALSE;
    return LoadPngResource(m_nBackgroundPng, m_pBackground);
}

LRESULT CSkinContentDlg::OnNcHitTest(CPoint screenPoint)
{
    UpdateControlsHover(screenPoint);
    if (!m_bHasCaption)
        return Default();

    RECT client = {};
    GetClientRect(&client);
    ClientToScreen(&client);
    SkinRect strip = CaptionStrip(ToSkinRect(client), m_fScale, m_fCaptionRightExcluded);
    m_bDrag = SkinRectContains(strip, screenPoint.x, screenPoint.y) ? 1 : 0;
    if (m_bDrag)
        return HTCAPTION;
    return Default();
}

void CSkinContentDlg::UpdateControlsHoverOutside()
{
    POINT cursor = {};
    if (!::GetCursorPos(&cursor))
        return;
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    if (!client.PtInRect(cursor))
        UpdateControlsHover(CPoint(cursor));
}

void CSkinContentDlg::OnMove(int x, int y)
{
    CDialog::OnMove(x, y);
    if (!m_bDrag)
        return;
    CSkinFrameDlg* frame = dynamic_cast<CSkinFrameDlg*>(GetParent());
    if (!frame)
        return;
    RECT r = {};
    GetWindowRect(&r);
    frame->FollowContent(r.left, r.top, r.right, r.bottom);
}

BOOL CSkinContentDlg::OnEraseBkgnd(HDC dc)
{
    // A background that cannot be loaded leaves the area unpainted, but the
    // erase is still reported as done so nothing else paints over it.
    if (!EnsureBackground())
        return TRUE;
    Gdiplus::Image* image = m_pBackground.Get();
    RECT client = {};
    GetClientRect(&client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const RECT dest = {0, 0, width, height};

    // An opaque background of the window's own size goes on as it is: no
    // scaling, blending or buffer, and no converted copy of the picture.
    if (BlitOpaqueOneToOne(dc, image, width, height))
        return TRUE;

    auto draw = [&](HDC target) {
        Gdiplus::Graphics g(target);
        if (m_bHighQualityErase)
            g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        DrawImagePart(g, image, dest, 0, 0, static_cast<int>(image->GetWidth()),
                      static_cast<int>(image->GetHeight()));
    };

    if (m_bDoubleBufferedErase) {
        COffscreenBuffer buffer;
        if (buffer.Create(dc, width, height)) {
            draw(buffer.Dc());
            buffer.BlitTo(dc);
            return TRUE;
        }
    }
    draw(dc);
    return TRUE;
}

void CSkinContentDlg::OnDestroy()
{
    CDialog::OnDestroy();
    m_pBackground.Reset();
}
