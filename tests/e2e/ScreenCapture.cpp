#include "ScreenCapture.h"

#include "E2ePaths.h"
#include "ToolWindows.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <vector>

namespace {

bool PngEncoder(CLSID* clsid)
{
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    if (size == 0)
        return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, codecs);
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, L"image/png") == 0) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

} // namespace

bool SaveScreenArea(const std::wstring& fileName, const RECT& area)
{
    int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0)
        return false;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return false;
    bool saved = false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
    SelectObject(memory, old);
    {
        Gdiplus::Bitmap image(bitmap, nullptr);
        CLSID png;
        if (PngEncoder(&png)) {
            std::wstring path = ScreenshotFolder() + L"\\" + fileName;
            saved = image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
        }
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

int BrightPixelsOnScreen(const RECT& area, int threshold)
{
    int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0)
        return -1;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    int bright = -1;
    if (section && bits) {
        HGDIOBJ old = SelectObject(memory, section);
        BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        SelectObject(memory, old);
        bright = 0;
        const auto* px = static_cast<const BYTE*>(bits);
        for (int i = 0; i < w * h; ++i, px += 4) {
            if (px[0] > threshold && px[1] > threshold && px[2] > threshold)
                ++bright;
        }
    }
    if (section)
        DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bright;
}

bool PanelShowsOnScreen(const MainWindow& main)
{
    RECT r = {};
    HWND close = GetDlgItem(main.panel, 1004);
    return close && GetWindowRect(close, &r) && BrightPixelsOnScreen(r) > 10;
}

RECT VisibleAreaOf(DWORD pid, int margin)
{
    RECT all = {0, 0, 0, 0};
    bool first = true;
    for (HWND window : TopWindowsOf(pid, true)) {
        RECT r;
        GetWindowRect(window, &r);
        if (r.right <= r.left || r.bottom <= r.top)
            continue;
        if (first) {
            all = r;
            first = false;
        } else {
            UnionRect(&all, &all, &r);
        }
    }
    if (first)
        return all;
    all.left = std::max(0L, all.left - margin);
    all.top = std::max(0L, all.top - margin);
    all.right = std::min(static_cast<LONG>(GetSystemMetrics(SM_CXSCREEN)), all.right + margin);
    all.bottom = std::min(static_cast<LONG>(GetSystemMetrics(SM_CYSCREEN)), all.bottom + margin);
    return all;
}
