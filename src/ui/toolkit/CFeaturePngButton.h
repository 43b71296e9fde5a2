// A push button drawn from four faces with alpha over the slice of the
// parent's background image behind it, with an active area smaller than the
// button (the hit insets). It draws while its background is erased; the
// paint message itself only validates.
#pragma once

#include "framework/CButton.h"
#include "framework/CImagePtr.h"
#include "ui/toolkit/ButtonStateMachine.h"
#include "ui/toolkit/CButtonFaces.h"
#include "ui/toolkit/ControlGeometry.h"

class CFeaturePngButton : public CButton
{
public:
    CFeaturePngButton();
    ~CFeaturePngButton() override;

    void SetBackgroundImage(UINT pngId);
    // The same picture, already decoded by the parent, which keeps it alive
    // for as long as the button can paint (the main panel's background);
    // saves decoding and holding one more copy of it per button.
    void SetBackgroundImage(Gdiplus::Image* parentImage);
    void SetBackgroundRect(int left, int top, int right, int bottom);
    void SetHitInsets(int left, int top, int right, int bottom);
    void SetImages(UINT normal, UINT hover, UINT pressed, UINT disabled);
    void SetStretch(BOOL stretch) { m_nStretch = stretch ? 1 : 0; }
    void CheckMouseLeave(CPoint screenPoint);
    // Faces and background image.
    void FreeImages();
    // TRUE: normal look and enabled window; FALSE: disabled look and window.
    void EnableButton(BOOL enable);

    int GetState() const { return m_state.State(); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC dc) override;
    LRESULT OnNcHitTest(CPoint screenPoint) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    BOOL AllFacesLoaded() const;
    void Repaint(bool changed);
    bool InActiveArea(const RECT& r, POINT p) const;

    Gdiplus::Image* Background() const { return m_pBackground ? m_pBackground.Get() : m_pParentBackground; }

    CImagePtr m_pBackground;
    Gdiplus::Image* m_pParentBackground = nullptr;
    int m_nBackLeft = 0;
    int m_nBackTop = 0;
    int m_nBackRight = 0;
    int m_nBackBottom = 0;
    CButtonFaces m_pImages;
    CRect m_rcClient;
    ButtonStateMachine m_state{true};
    int m_nStretch = 0;
    HitInsets m_insets;
};
