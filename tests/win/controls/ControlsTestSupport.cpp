#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "framework/CImagePtr.h"
#include "ui/toolkit/PngResource.h"

namespace ctltest {

namespace {

// GDI+ for the whole test program, as the application has it for its whole run.
class GdiplusEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

const auto* const g_env = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

const wchar_t kHostClass[] = L"StellwickControlsTestHost";

} // namespace

HostWindow::HostWindow(int x, int y, int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kHostClass;
        wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        ::RegisterClassW(&wc);
        registered = true;
    }
    m_hwnd = ::CreateWindowExW(0, kHostClass, L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
                               nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Pump(30);
}

HostWindow::~HostWindow()
{
    if (m_hwnd)
        ::DestroyWindow(m_hwnd);
    Pump(10);
}

int HostWindow::Clicks(int id) const
{
    int n = 0;
    for (const Notification& note : notifications)
        if (note.id == id && note.code == BN_CLICKED)
            ++n;
    return n;
}

HWND HostWindow::AddChild(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h)
{
    return ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, m_hwnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                             nullptr);
}

LRESULT CALLBACK HostWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        if (msg == WM_COMMAND) {
            self->notifications.push_back({LOWORD(wParam), HIWORD(wParam)});
            return 0;
        }
        if (msg == WM_GETFONT)
            return reinterpret_cast<LRESULT>(self->m_font);
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Pump(int ms)
{
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(1);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

void Refresh(HWND hwnd)
{
    Pump(5);
    ::UpdateWindow(hwnd);
    Pump(5);
}

Capture CaptureClient(HWND hwnd)
{
    Capture c;
    RECT r = {};
    ::GetClientRect(hwnd, &r);
    c.width = r.right;
    c.height = r.bottom;
    if (c.width <= 0 || c.height <= 0)
        return c;
    HDC dc = ::GetDC(hwnd);
    HDC mem = ::CreateCompatibleDC(dc);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = c.width;
    info.bmiHeader.biHeight = -c.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, c.width, c.height, dc, 0, 0, SRCCOPY);
    ::GdiFlush();
    const unsigned* p = static_cast<const unsigned*>(bits);
    c.pixels.assign(p, p + static_cast<size_t>(c.width) * c.height);
    for (unsigned& px : c.pixels)
        px &= 0xFFFFFF;
    ::SelectObject(mem, old);
    ::DeleteObject(dib);
    ::DeleteDC(mem);
    ::ReleaseDC(hwnd, dc);
    return c;
}

Capture RenderExpected(const FaceRender& face, int width, int height)
{
    Capture c;
    c.width = width;
    c.height = height;
    Gdiplus::Bitmap canvas(width, height, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&canvas);
        g.Clear(Gdiplus::Color(255, 255, 255, 255));
        CImagePtr background;
        if (face.backgroundPng && LoadPngResource(face.backgroundPng, background)) {
            Gdiplus::Rect dest(0, 0, width, height);
            g.DrawImage(background.Get(), dest, face.bgX, face.bgY, face.bgW, face.bgH, Gdiplus::UnitPixel);
        }
        CImagePtr image;
        if (face.pngId && LoadPngResource(face.pngId, image)) {
            const int w = face.srcW ? face.srcW : static_cast<int>(image->GetWidth());
            const int h = face.srcH ? face.srcH : static_cast<int>(image->GetHeight());
            Gdiplus::Rect dest(0, 0, width, height);
            g.DrawImage(image.Get(), dest, face.srcX, face.srcY, w, h, Gdiplus::UnitPixel);
        }
    }
    c.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Gdiplus::Color col;
            canvas.GetPixel(x, y, &col);
            c.pixels[static_cast<size_t>(y) * width + x] =
                (static_cast<unsigned>(col.GetR()) << 16) | (static_cast<unsigned>(col.GetG()) << 8) | col.GetB();
        }
    return c;
}

int Red(unsigned rgb) { return static_cast<int>((rgb >> 16) & 0xFF); }
int Green(unsigned rgb) { return static_cast<int>((rgb >> 8) & 0xFF); }
int Blue(unsigned rgb) { return static_cast<int>(rgb & 0xFF); }

bool Near(unsigned a, unsigned b, int tolerance)
{
    return std::abs(Red(a) - Red(b)) <= tolerance && std::abs(Green(a) - Green(b)) <= tolerance &&
           std::abs(Blue(a) - Blue(b)) <= tolerance;
}

double MeanDifference(const Capture& a, const Capture& b, int x, int y, int w, int h)
{
    if (a.width != b.width || a.height != b.height || x + w > a.width || y + h > a.height || w <= 0 || h <= 0)
        return 255.0;
    double sum = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            const unsigned p = a.At(i, j);
            const unsigned q = b.At(i, j);
            sum += std::abs(Red(p) - Red(q)) + std::abs(Green(p) - Green(q)) + std::abs(Blue(p) - Blue(q));
        }
    return sum / (3.0 * w * h);
}

int ClosestRendering(const Capture& actual, const std::vector<Capture>& candidates, int x, int y, int w, int h)
{
    int best = -1;
    double bestDiff = 1e9;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const double d = MeanDifference(actual, candidates[i], x, y, w, h);
        if (d < bestDiff) {
            bestDiff = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

RECT InkBox(const Capture& c, const std::function<bool(unsigned)>& pred, const RECT& region)
{
    RECT box = {region.right, region.bottom, region.left, region.top};
    for (int y = region.top; y < region.bottom && y < c.height; ++y)
        for (int x = region.left; x < region.right && x < c.width; ++x)
            if (pred(c.At(x, y))) {
                if (x < box.left)
                    box.left = x;
                if (y < box.top)
                    box.top = y;
                if (x + 1 > box.right)
                    box.right = x + 1;
                if (y + 1 > box.bottom)
                    box.bottom = y + 1;
            }
    return box;
}

} // namespace ctltest
