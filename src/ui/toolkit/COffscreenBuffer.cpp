#include "ui/toolkit/COffscreenBuffer.h"

#include "ui/toolkit/PngResource.h"

BOOL COffscreenBuffer::Create(HDC dc, int width, int height)
{
    Release();
    if (width <= 0 || height <= 0)
        return FALSE;
    if (!m_dc.Create(dc))
        return FALSE;
    // A 32-bit section rather than a bitmap compatible with the screen: the
    // same pixels once blitted, and a compatible bitmap makes the window
    // system look the display up again at its creation and at every
    // selection (under Wine each look-up is three requests to its server).
    const BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    void* bits = nullptr;
    m_bitmap.Reset(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_bitmap) {
        m_dc.Reset();
        return FALSE;
    }
    m_oldBitmap = ::SelectObject(m_dc.Get(), m_bitmap.Get());
    m_width = width;
    m_height = height;
    return TRUE;
}

void COffscreenBuffer::BlitTo(HDC dest, int x, int y) const
{
    if (!IsCreated())
        return;
    ::BitBlt(dest, x, y, m_width, m_height, m_dc.Get(), 0, 0, SRCCOPY);
}

void COffscreenBuffer::Release()
{
    // The bitmap can only be deleted once it is no longer selected.
    if (m_dc && m_oldBitmap)
        ::SelectObject(m_dc.Get(), m_oldBitmap);
    m_oldBitmap = nullptr;
    m_bitmap.Reset();
    m_dc.Reset();
    m_width = 0;
    m_height = 0;
}
