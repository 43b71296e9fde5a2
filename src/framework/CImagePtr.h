// Owner of one decoded GDI+ image. Not copyable; deletes the image it holds.
// Live images are counted like GDI objects (see LiveObjectCount.h).
#pragma once

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include "framework/LiveObjectCount.h"

class CImagePtr
{
public:
    CImagePtr() = default;
    explicit CImagePtr(Gdiplus::Image* image) { Reset(image); }
    ~CImagePtr() { Reset(); }
    CImagePtr(const CImagePtr&) = delete;
    CImagePtr& operator=(const CImagePtr&) = delete;
    CImagePtr(CImagePtr&& o) noexcept : m_p(o.m_p) { o.m_p = nullptr; }
    CImagePtr& operator=(CImagePtr&& o) noexcept
    {
        if (this != &o) {
            Reset();
            m_p = o.m_p;
            o.m_p = nullptr;
        }
        return *this;
    }

    void Reset(Gdiplus::Image* image = nullptr)
    {
        if (m_p) {
            delete m_p;
            LiveObjectCount::Released(LiveObjectKind::Gdiplus);
        }
        m_p = image;
        if (m_p)
            LiveObjectCount::Created(LiveObjectKind::Gdiplus);
    }
    Gdiplus::Image* Get() const { return m_p; }
    Gdiplus::Image* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    Gdiplus::Image* m_p = nullptr;
};
