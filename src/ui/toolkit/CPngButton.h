// A push button drawn from four PNG faces (normal, hover, pressed, disabled)
// over a white fill. Bound to a template button; the platform button keeps
// doing the clicking (focus, capture, BN_CLICKED), this only changes the look.
#pragma once

#include "framework/CButton.h"
#include "framework/CGdiHandle.h"
#include "framework/CImagePtr.h"
#include "ui/toolkit/ButtonStateMachine.h"
#include "ui/toolkit/CButtonFaces.h"
#include "ui/toolkit/COffscreenBuffer.h"

class CPngButton : public CButton
{
public:
    CPngButton();
    ~CPngButton() override;

    // Faces from these PNG ids; a missing id leaves its slot empty and with it
    // all face drawing off.
    void SetImages(UINT normal, UINT hover, UINT pressed, UINT disabled);
    void FreeImages();
    void SetStretch(BOOL stretch) { m_nStretch = stretch ? 1 : 0; }
    // Called by the owner with the pointer's screen position when the pointer
    // may have left the button without the button hearing of it.
    void CheckMouseLeave(CPoint screenPoint);

    int GetState() const { return m_state.State(); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    LRESULT OnNcHitTest(CPoint screenPoint) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    BOOL AllFacesLoaded() const;
    void Repaint(bool changed);

    CButtonFaces m_pImages;
    COffscreenBuffer m_offscreen;
    CBrushHandle m_brushFill;
    CRect m_rcClient;
    ButtonStateMachine m_state;
    int m_nStretch = 0;
};
