// An automatic check box drawn from the 48 x 16 check sprite (empty, ticked,
// filled cells) with its label beside the box. The check state is the
// platform button's own.
#pragma once

#include "framework/CButton.h"
#include "framework/CGdiHandle.h"
#include "framework/CImagePtr.h"
#include "ui/toolkit/COffscreenBuffer.h"

class CCheckBoxBtn : public CButton
{
public:
    CCheckBoxBtn();
    ~CCheckBoxBtn() override;

    // The label font: a copy of the parent's font, else of the stock GUI font.
    void CreateTextFont();
    void SetScale(float scale) { m_fScale = scale; }
    void SetTextColor(COLORREF colour) { m_crText = colour; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnDestroy() override;

private:
    CImagePtr m_pSprite;
    COffscreenBuffer m_offscreen;
    CBrushHandle m_brushFill;
    CRect m_rcClient;
    CFontHandle m_fontLabel;
    COLORREF m_crText = 0;
    float m_fScale = 1.0f;
};
