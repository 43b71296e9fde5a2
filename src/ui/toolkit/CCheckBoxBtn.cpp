#include "ui/toolkit/CCheckBoxBtn.h"

#include "res/resource.h"
#include "ui/toolkit/ButtonRepaint.h"
#include "ui/toolkit/ControlFont.h"
#include "ui/toolkit/ControlGeometry.h"
#include "ui/toolkit/PngResource.h"

CCheckBoxBtn::CCheckBoxBtn() : m_brushFill(::CreateSolidBrush(RGB(255, 255, 255))) {}

CCheckBoxBtn::~CCheckBoxBtn() = default;

void CCheckBoxBtn::CreateTextFont() { m_fontLabel.Reset(CreateControlFontCopy(GetParentHwnd())); }

LRESULT CCheckBoxBtn::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CButton::WindowProc(msg, wParam, lParam);
    if (PlatformButtonDrawsOn(msg) && m_hWnd && ::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return result;
}

void CCheckBoxBtn::OnDestroy()
{
    m_pSprite.Reset();
    Default();
}

void CCheckBoxBtn::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (!dc)
        return;
    GetClientRect(&m_rcClient);
    const int width = m_rcClient.Width();
    const int height = m_rcClient.Height();
    if (!m_offscreen.IsCreated() || m_offscreen.Width() != width || m_offscreen.Height() != height)
        m_offscreen.Create(dc, width, height);
    if (!m_offscreen.IsCreated()) {
        ::EndPaint(m_hWnd, &ps);
        return;
    }

    HDC mem = m_offscreen.Dc();
    ::FillRect(mem, &m_rcClient, m_brushFill.Get());
    ::SetBkMode(mem, TRANSPARENT);

    if (!m_pSprite)
        LoadPngResource(IDB_CHECK_SPRITE, m_pSprite);
    if (m_pSprite) {
        SkinRect client;
        client.right = width;
        client.bottom = height;
        const SkinRect box = CheckBoxBoxRect(client, m_fScale);
        const SkinRect cell = CheckBoxSpriteCell(GetCheck());
        const RECT boxRect = {box.left, box.top, box.right, box.bottom};
        {
            Gdiplus::Graphics g(mem);
            DrawImagePart(g, m_pSprite.Get(), boxRect, cell.left, cell.top, cell.right - cell.left,
                          cell.bottom - cell.top);
        }

        HGDIOBJ oldFont = m_fontLabel ? ::SelectObject(mem, m_fontLabel.Get()) : nullptr;
        const std::wstring text = GetWindowText();
        ::SetTextColor(mem, m_crText);
        RECT textRect = m_rcClient;
        textRect.left += CheckBoxLabelOffset(m_fScale);
        ::DrawTextW(mem, text.c_str(), -1, &textRect, DT_SINGLELINE | DT_VCENTER);
        if (oldFont)
            ::SelectObject(mem, oldFont);
    }
    m_offscreen.BlitTo(dc);
    ::EndPaint(m_hWnd, &ps);
}
