#include "ui/toolkit/CSkinFrameDlg.h"

#include "framework/CGdiHandle.h"
#include "ui/toolkit/CSkinContentDlg.h"
#include "ui/toolkit/PngResource.h"
#include "ui/toolkit/SkinRectConversion.h"

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

    // The templates are not layered; flipping the bit makes them so.
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, ::GetWindowLongW(m_hWnd, GWL_EXSTYLE) ^ WS_EX_LAYERED);

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
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    CBitmapHandle section(::CreateDIBSection(surfaceDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits)
        return FALSE;
    HGDIOBJ oldBitmap = ::SelectObject(surfaceDc, section.Get());

    {
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
    static const UINT recheck = ::RegisterWindowMessageW(L"StellwickKeepContentAboveFrame");
    static const UINT remap = ::RegisterWindowMessageW(L"StellwickRemapContentAboveFrame");
    if (msg == WM_WINDOWPOSCHANGED) {
        // A hidden frame takes its content along (an ended modal run hides
        // the frame before it is destroyed).
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & SWP_HIDEWINDOW) && m_pContent && m_pContent->m_hWnd &&
            ::IsWindowVisible(m_pContent->m_hWnd))
            ::ShowWindow(m_pContent->m_hWnd, SW_HIDE);
        KeepContentAboveFrame();
        // Showing and activating the frame go on after this notification and
        // may raise it once more: look again when they are over.
        if (pos->flags & SWP_SHOWWINDOW)
            ::PostMessageW(m_hWnd, recheck, 0, 0);
        // Shown, restored or brought forward: the content may have gone under
        // the frame on the display even where the window order is right.
        if (m_bRemapContentOnShow && !m_bRemapPosted &&
            ((pos->flags & SWP_SHOWWINDOW) || !(pos->flags & SWP_NOZORDER)))
            m_bRemapPosted = ::PostMessageW(m_hWnd, remap, 0, 0) != FALSE;
    } else if (msg == remap) {
        m_bRemapPosted = false;
        RemapContentAbove();
    } else if (msg == recheck || msg == WM_ACTIVATE) {
        KeepContentAboveFrame();
    } else if (msg == WM_NCHITTEST && m_pContent && m_pContent->m_hWnd && ::IsWindowVisible(m_pContent->m_hWnd)) {
        // The pointer reaches the frame over the content only when the frame
        // got above it: put the content back on top and let the pointer through
        // to it (both windows belong to this thread).
        RECT content = {};
        ::GetWindowRect(m_pContent->m_hWnd, &content);
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (::PtInRect(&content, point)) {
            KeepContentAboveFrame();
            return HTTRANSPARENT;
        }
    }
    return result;
}

void CSkinFrameDlg::KeepContentAboveFrame()
{
    // Windows keeps an owned window above its owner. Wine does not when the
    // owner is raised after the owned window was shown (the modal run shows and
    // activates the frame after its content), and the skin would then cover the
    // content and take its clicks.
    if (!m_pContent || !m_pContent->m_hWnd || !::IsWindow(m_pContent->m_hWnd) || !::IsWindowVisible(m_hWnd))
        return;
    HWND above = ::GetWindow(m_hWnd, GW_HWNDPREV);
    if (above == m_pContent->m_hWnd)
        return;
    ::SetWindowPos(m_pContent->m_hWnd, above ? above : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void CSkinFrameDlg::RemapContentAbove()
{
    // The modal run shows the frame after its content is already up. The
    // content is owned by the frame and so above it, but not every window
    // system keeps to that for a layered owner: Wine's X11 driver leaves the
    // frame shown last on top of the display, where its skin covers every
    // control, while the window order itself is right (so restacking it
    // changes nothing). Showing the content again puts it back on top.
    if (!m_pContent || !m_pContent->m_hWnd || !::IsWindow(m_pContent->m_hWnd) ||
        !::IsWindowVisible(m_pContent->m_hWnd) || !::IsWindowVisible(m_hWnd))
        return;
    ::ShowWindow(m_pContent->m_hWnd, SW_HIDE);
    ::ShowWindow(m_pContent->m_hWnd, SW_SHOWNA);
}
