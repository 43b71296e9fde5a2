// Owners for GDI objects (bitmaps, brushes, fonts) and memory device contexts.
// Not copyable; each deletes what it holds. Every live handle is counted, so
// tests can prove that windows leave nothing behind (GetGuiResources answers 0
// under Wine).
#pragma once

#include <windows.h>

#include "framework/LiveObjectCount.h"

template <class H>
class CGdiHandle
{
public:
    CGdiHandle() = default;
    explicit CGdiHandle(H h) { Reset(h); }
    ~CGdiHandle() { Reset(); }
    CGdiHandle(const CGdiHandle&) = delete;
    CGdiHandle& operator=(const CGdiHandle&) = delete;
    CGdiHandle(CGdiHandle&& o) noexcept : m_h(o.m_h) { o.m_h = nullptr; }
    CGdiHandle& operator=(CGdiHandle&& o) noexcept
    {
        if (this != &o) {
            Reset();
            m_h = o.m_h;
            o.m_h = nullptr;
        }
        return *this;
    }

    void Reset(H h = nullptr)
    {
        if (m_h) {
            ::DeleteObject(m_h);
            LiveObjectCount::Released(LiveObjectKind::Gdi);
        }
        m_h = h;
        if (m_h)
            LiveObjectCount::Created(LiveObjectKind::Gdi);
    }
    H Get() const { return m_h; }
    operator H() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    H m_h = nullptr;
};

using CBitmapHandle = CGdiHandle<HBITMAP>;
using CBrushHandle = CGdiHandle<HBRUSH>;
using CFontHandle = CGdiHandle<HFONT>;

// A memory device context made compatible with another one; deleted with DeleteDC.
class CMemoryDC
{
public:
    CMemoryDC() = default;
    explicit CMemoryDC(HDC compatibleWith) { Create(compatibleWith); }
    ~CMemoryDC() { Reset(); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    BOOL Create(HDC compatibleWith)
    {
        Reset();
        m_dc = ::CreateCompatibleDC(compatibleWith);
        if (m_dc)
            LiveObjectCount::Created(LiveObjectKind::Gdi);
        return m_dc != nullptr;
    }
    void Reset()
    {
        if (m_dc) {
            ::DeleteDC(m_dc);
            LiveObjectCount::Released(LiveObjectKind::Gdi);
            m_dc = nullptr;
        }
    }
    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc = nullptr;
};
