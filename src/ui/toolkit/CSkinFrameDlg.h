// The frame of a skinned window pair: a dialog whose whole look is one PNG
// with per-pixel alpha, shown as a layered window, which creates, places and
// owns its content dialog. The four pairs of the program derive from it and
// set their constants in their constructors.
#pragma once

#include "framework/CDialog.h"
#include "framework/CImagePtr.h"
#include "ui/toolkit/SkinGeometry.h"

class CSkinContentDlg;

class CSkinFrameDlg : public CDialog
{
public:
    CSkinFrameDlg(UINT templateId, CWnd* parent);
    ~CSkinFrameDlg() override;

    void SetScale(float scale) { m_fScale = scale; }
    float GetScale() const { return m_fScale; }
    CSkinContentDlg* GetContent() const { return m_pContent; }

    // The scale factor of the screen: LOGPIXELSY of its device context by the
    // rule of ScaleFactorFromLogPixels.
    static float ScreenScaleFactor();

    // Called by the content after it was dragged: the frame stops following
    // and moves itself around the content's window rectangle (screen coordinates).
    void FollowContent(int left, int top, int right, int bottom);

protected:
    bool m_bRemapPosted = false;

    // The standard initialisation: base init, scale (when m_bOwnScale), size,
    // layered skin, content creation and placement, LayoutControls. Derived
    // frames extend it by overriding and calling the steps below, or override
    // the hooks.
    BOOL OnInitDialog() override;

    // Makes the window layered and renders the skin scaled to width x height at
    // the frame's current top-left corner. FALSE when the skin cannot be loaded.
    BOOL RenderSkin(int width, int height);
    // The frame size in pixels: trunc(m_fBaseWidth·s) x trunc(m_fBaseHeight·s).
    virtual void FrameSize(int* width, int* height) const;
    // Creates the content object on the heap (configured with the frame's
    // scale and its own setters); the frame then creates, places, shows and
    // lays it out.
    virtual CSkinContentDlg* NewContent() = 0;
    // The content's first rectangle: the frame rectangle inset by the insets.
    virtual SkinRect InitialContentRect(const SkinRect& frame) const;

    void OnMove(int x, int y) override;
    void OnDestroy() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Constants of the pair, set by the derived constructor.
    UINT m_nSkinPng = 0;
    UINT m_nContentTemplate = 0;
    float m_fBaseWidth = 0; // frame size at scale 1.0
    float m_fBaseHeight = 0;
    SkinInsets m_insets;
    BOOL m_bOwnScale = FALSE; // compute the scale from LOGPIXELSY at initialisation
    // Under Wine only: show the content again each time the frame is shown
    // or raised (see WineDisplayWorkarounds); for the main window, whose
    // content holds many controls.
    BOOL m_bRemapContentOnShow = FALSE;

    // Frame state.
    CImagePtr m_pSkin;
    CSkinContentDlg* m_pContent = nullptr; // owned
    int m_bFollow = 1;
    float m_fScale = 1.0f;
};
