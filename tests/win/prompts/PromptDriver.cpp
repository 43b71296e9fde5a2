#include "PromptDriver.h"

#include <objidl.h>

#include <gdiplus.h>

#include <vector>

#include "ui/toolkit/CSkinContentDlg.h"

namespace prompttest {

namespace {

struct Script
{
    CSkinFrameDlg* dlg = nullptr;
    const std::function<bool(int, const Windows&)>* step = nullptr;
    int tick = 0;
    int idle = 0;
    bool done = false;
};

Script* g_script = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Script* s = g_script;
    if (!s || s->done)
        return;
    Windows w;
    w.frameObject = s->dlg;
    w.frame = s->dlg->m_hWnd;
    if (!w.frame || !::IsWindow(w.frame))
        return;
    CSkinContentDlg* content = s->dlg->GetContent();
    w.content = content ? content->m_hWnd : nullptr;
    if (++s->idle > 2000) {
        s->done = true;
        ::PostMessageW(w.frame, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if ((*s->step)(s->tick++, w))
        s->done = true;
}

} // namespace

INT_PTR RunModal(CSkinFrameDlg& dlg, const std::function<bool(int tick, const Windows& w)>& step)
{
    Script script;
    script.dlg = &dlg;
    script.step = &step;
    g_script = &script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, Tick);
    const INT_PTR result = dlg.DoModal();
    ::KillTimer(nullptr, timer);
    g_script = nullptr;
    return result;
}

HWND Control(HWND content, int id) { return ::GetDlgItem(content, id); }

RECT ControlRect(HWND content, int id)
{
    RECT r = {};
    HWND h = Control(content, id);
    ::GetWindowRect(h, &r);
    ::MapWindowPoints(nullptr, content, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT WindowRectOf(HWND hwnd)
{
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return r;
}

void Click(HWND content, int id) { ::SendMessageW(Control(content, id), BM_CLICK, 0, 0); }

void PostKey(HWND target, WPARAM key)
{
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

bool SaveScreenArea(HWND hwnd, HWND content, int margin, const std::wstring& path)
{
    RECT r = WindowRectOf(hwnd);
    const int x = r.left - margin;
    const int y = r.top - margin;
    const int w = r.right - r.left + 2 * margin;
    const int h = r.bottom - r.top + 2 * margin;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, screen, x, y, SRCCOPY);
    // The display may lag behind the content's own surface; that surface,
    // children included, is what the window really shows, so it goes on top.
    if (content) {
        const RECT c = WindowRectOf(content);
        HDC contentDc = ::GetDC(content);
        ::BitBlt(mem, c.left - x, c.top - y, c.right - c.left, c.bottom - c.top, contentDc, 0, 0, SRCCOPY);
        ::ReleaseDC(content, contentDc);
    }
    ::SelectObject(mem, old);

    bool saved = false;
    {
        Gdiplus::Bitmap image(bmp, nullptr);
        UINT count = 0;
        UINT size = 0;
        Gdiplus::GetImageEncodersSize(&count, &size);
        std::vector<BYTE> buffer(size);
        auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        if (size && Gdiplus::GetImageEncoders(count, size, encoders) == Gdiplus::Ok) {
            for (UINT i = 0; i < count; ++i)
                if (std::wstring(encoders[i].MimeType) == L"image/png")
                    saved = image.Save(path.c_str(), &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
        }
    }
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return saved;
}

} // namespace prompttest
