// The off-screen surface of double-buffered painting: a memory device context
// with a 32-bit bitmap of the client size selected into it. The previous
// bitmap is selected back before the objects are deleted. Kept across paints
// by the controls that retain it, made per paint by the others.
#pragma once

#include "framework/CGdiHandle.h"

class COffscreenBuffer
{
public:
    COffscreenBuffer() = default;
    ~COffscreenBuffer() { Release(); }
    COffscreenBuffer(const COffscreenBuffer&) = delete;
    COffscreenBuffer& operator=(const COffscreenBuffer&) = delete;

    // Creates a context compatible with dc and a width x height 32-bit
    // bitmap, and selects the bitmap. FALSE when either could not be made.
    BOOL Create(HDC dc, int width, int height);
    BOOL IsCreated() const { return m_dc.Get() != nullptr; }
    HDC Dc() const { return m_dc.Get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // One BitBlt (SRCCOPY) of width x height from 0,0 to dest at x, y.
    void BlitTo(HDC dest, int x = 0, int y = 0) const;
    void Release();

private:
    CMemoryDC m_dc;
    CBitmapHandle m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
};
