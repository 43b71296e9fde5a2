#include "ui/toolkit/CSkinFrameDlg.h"

#include "framework/CGdiHandle.h"
#include "ui/toolkit/CSkinContentDlg.h"
#include "ui/toolkit/PngResource.h"
#include "ui/toolkit/SkinRectConversion.h"
#include "ui/toolkit/WineDisplayWorkarounds.h"

CSkinFrameDlg::CSkinFrameDlg(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CSkinFrameDlg::~CSkinFrameDlg()
{
    // Normally gone with the window; this covers a frame object dropped while
    // its window still exists.
    delete m_pContent;
    m_pContent = nullptr;
}

float CSkinFrameDlg::ScreenScaleFactor()
{
    HDC screen = ::GetDC(nullptr);
    int logPixelsY = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return ScaleFactorFromLogPixels(logPixelsY);
}

void CSkinFrameDlg::FrameSize(int* width, int* height) const
{
    *width = ScaleLength(m_fBaseWidth, m_fScale);
    *height = ScaleLength(m_fBaseHeight, m_fScale);
}

SkinRect CSkinFrameDlg::InitialContentRect(const SkinRect& frame) const
{
    return ContentRectInFrame(frame, m_insets, m_fScale);
}

BOOL CSkinFrameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (m_bOwnScale)
        m_fScale = ScreenScaleFactor();
    int width = 0;
    int height = 0;
    FrameSize(&width, &height);

    if (!RenderSkin(width, height))
        return TRUE;

    m_pContent = NewContent();
    if (!m_pContent)
        return TRUE;
    m_pContent->SetScale(m_fScale);
    if (!m_pContent->Create(m_nContentTemplate, this))
        return TRUE;

    RECT frameRect = {};
    GetWindowRect(&frameRect);
    MoveWindowTo(*m_pContent, InitialContentRect(ToSkinRect(frameRect)));
    m_pContent->ShowWindow(SW_SHOW);
    m_pContent->LayoutControls();
    return TRUE;
}

BOOL CSkinFrameDlg::RenderSkin(int width, int height)
{
    // Layered before its first show. Wine moves the window to a new X window
    // at the first layered update with alpha whether the bit came from the
    // template or from here, so the templates stay as they were.
    const LONG exStyle = ::GetWindowLongW(m_hWnd, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED))
        ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    if (width <= 0 || height <= 0)
        return FALSE;
    if (!m_pSkin && !LoadPngResource(m_nSkinPng, m_pSkin))
        return FALSE;

    HDC windowDc = ::GetDC(m_hWnd);
    if (!windowDc)
        return FALSE;
    CMemoryDC surfaceDc(windowDc);
    ::ReleaseDC(m_hWnd, windowDc);
    if (!surfaceDc)
        return FALSE;

    // A top-down 32-bit section: its bits are what GDI+ draws into as
    // premultiplied ARGB and what the layered window takes as its surface.
    const BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    void* bits = nullptr;
    CBitmapHandle section(::CreateDIBSection(surfaceDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits)
        return FALSE;
    HGDIOBJ oldBitmap = ::SelectObject(surfaceDc, section.Get());

    // One to one the skin's own pixels are the surface: nothing to draw.
    if (!CopyImagePremultiplied(m_pSkin.Get(), bits, width, height)) {
        Gdiplus::Bitmap canvas(width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
        Gdiplus::Graphics g(&canvas);
        g.SetCompositingMode(Gdiplus::CompositingModeSourceOver);
        g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        g.Clear(Gdiplus::Color(0, 0, 0, 0));
        DrawImageWhole(g, m_pSkin.Get(), 0, 0, width, height);
        g.Flush(Gdiplus::FlushIntentionSync);
    }
    ::GdiFlush();

    RECT frameRect = {};
    GetWindowRect(&frameRect);
    POINT destination = {frameRect.left, frameRect.top};
    SIZE size = {width, height};
    POINT source = {0, 0};
    BLENDFUNCTION blend = {};
    blend.BlendOp = AC_SRC_OVER;
    blend.BlendFlags = 0;
    blend.SourceConstantAlpha = 255;
    blend.AlphaFormat = AC_SRC_ALPHA;
    HDC screen = ::GetDC(nullptr);
    ::UpdateLayeredWindow(m_hWnd, screen, &destination, &size, surfaceDc, &source, 0, &blend, ULW_ALPHA);
    if (screen)
        ::ReleaseDC(nullptr, screen);

    ::SelectObject(surfaceDc, oldBitmap);
    // The layered surface holds the picture now. The decoded skin is needed
    // again only if the frame is rendered anew (it is then loaded again), and
    // keeping it would hold a megabyte for the window's whole life.
    m_pSkin.Reset();
    return TRUE;
}

void CSkinFrameDlg::FollowContent(int left, int top, int right, int bottom)
{
    // Cleared first: the move below comes back as our own WM_MOVE, which must
    // not push the content back to where the frame used to be.
    m_bFollow = 0;
    SkinRect content;
    content.left = left;
    content.top = top;
    content.right = right;
    content.bottom = bottom;
    SkinRect frame = FrameRectAroundContent(content, m_insets, m_fScale);
    MoveWindow(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
}

void CSkinFrameDlg::OnMove(int x, int y)
{
    CDialog::OnMove(x, y);
    if (m_bFollow && m_pContent && m_pContent->m_hWnd && ::IsWindow(m_pContent->m_hWnd)) {
        RECT frameRect = {};
        GetWindowRect(&frameRect);
        MoveWindowTo(*m_pContent, ContentRectInFrame(ToSkinRect(frameRect), m_insets, m_fScale));
    }
}

void CSkinFrameDlg::OnDestroy()
{
    // The owned content window is already gone at this point.
    CDialog::OnDestroy();
    m_pSkin.Reset();
    delete m_pContent;
    m_pContent = nullptr;
}

LRESULT CSkinFrameDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CDialog::WindowProc(msg, wParam, lParam);
    HWND content = m_pContent ? m_pContent->m_hWnd : nullptr;
    if (msg == WM_WINDOWPOSCHANGED) {
        // A hidden frame takes its content along (the progress prompt hides
        // itself before its modal run ends): an owned window is not hidden
        // with its owner.
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & SWP_HIDEWINDOW) && content && ::IsWindowVisible(content))
            ::ShowWindow(content, SW_HIDE);
    }
    return WineDisplayWorkarounds::FrameMessage(m_hWnd, content, m_bRemapContentOnShow != FALSE,
                                                &m_bRemapPosted, msg, wParam, lParam, result);
}
