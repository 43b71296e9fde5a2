// The content of a skinned window pair: an owned popup dialog over the
// frame's opaque interior that paints its background image and holds the
// controls. A drag by its caption strip moves the frame along.
#pragma once

#include "framework/CDialog.h"
#include "framework/CImagePtr.h"

class CSkinFrameDlg;

class CSkinContentDlg : public CDialog
{
public:
    explicit CSkinContentDlg(UINT templateId);
    ~CSkinContentDlg() override;

    void SetScale(float scale) { m_fScale = scale; }
    float GetScale() const { return m_fScale; }
    // Places and configures the controls once, after the frame has shown the content.
    virtual void LayoutControls() {}

    // The background image, loaded on first need; controls share it for their slices.
    Gdiplus::Image* GetBackground() const { return m_pBackground.Get(); }

protected:
    // Hover bookkeeping of the controls for a pointer at a screen point
    // (CheckMouseLeave / UpdateHover); called first by the hit test.
    virtual void UpdateControlsHover(CPoint screenPoint) { (void)screenPoint; }
    // The same for the pointer's current position, but only when it is outside
    // the content: the controls hear nothing once it has left, while inside the
    // hit test keeps their looks right. For the contents' hover timers.
    void UpdateControlsHoverOutside();

    LRESULT OnNcHitTest(CPoint screenPoint) override;
    void OnMove(int x, int y) override;
    BOOL OnEraseBkgnd(HDC dc) override;
    void OnDestroy() override;

    // Loads the background now if it is not loaded yet; FALSE when it cannot be.
    BOOL EnsureBackground();

    // Constants of the pair, set by the derived constructor.
    UINT m_nBackgroundPng = 0;
    BOOL m_bHasCaption = TRUE;         // the progress content has none
    float m_fCaptionRightExcluded = 0; // unscaled pixels at the right of the strip
    BOOL m_bDoubleBufferedErase = FALSE;
    BOOL m_bHighQualityErase = FALSE;

    // Content state.
    float m_fScale = 1.0f;
    CImagePtr m_pBackground;
    int m_bDrag = 0;
};
