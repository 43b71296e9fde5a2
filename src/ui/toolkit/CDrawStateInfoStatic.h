// A one-line status text followed by an ellipsis that a worker thread steps
// through "", ".", "..", "..." about every 300 ms.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include "framework/CGdiHandle.h"
#include "framework/CStatic.h"
#include "ui/toolkit/EllipsisAnimation.h"

class CDrawStateInfoStatic : public CStatic
{
public:
    CDrawStateInfoStatic();
    // Joins the worker if it still runs.
    ~CDrawStateInfoStatic() override;

    void SetInfoTextColor(COLORREF colour);
    void SetTextFormat(int code) { m_nTextFormat = code; }
    void SetBackgroundImage(Gdiplus::Image* image) { m_pBackground = image; }
    void SetBackgroundRect(int left, int top, int right, int bottom);
    void CreateTextFont();
    // One worker per control; a second start while one runs is ignored.
    void StartAnimation();
    // Stops and joins the worker, clears the dots, repaints.
    void StopAnimation();

    int GetDotCount() const { return m_animation.DotCount(); }
    BOOL IsAnimating() const { return m_animation.IsRunning() ? TRUE : FALSE; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnDestroy() override;

private:
    CBrushHandle m_brushFill;
    CRect m_rcClient;
    CFontHandle m_fontText;
    COLORREF m_crText = 0;
    int m_nTextFormat = 0;
    Gdiplus::Image* m_pBackground = nullptr;
    int m_nBackLeft = 0;
    int m_nBackTop = 0;
    int m_nBackRight = 0;
    int m_nBackBottom = 0;
    // Holds the dot count and the stop flag (atomics) and the worker.
    EllipsisAnimation m_animation;
};
