// The content of the prompt: background with the title band, the close
// cross, the two answer buttons and the message. Answers go to the frame as
// WM_PROMPT_ANSWER; Enter and Esc do nothing here.
#pragma once

#include <string>

#include "ui/toolkit/CDrawTextStatic.h"
#include "ui/toolkit/CPngButton.h"
#include "ui/toolkit/CSkinContentDlg.h"
#include "ui/toolkit/PromptLayout.h"

class CPromptChildDlg : public CSkinContentDlg
{
public:
    static constexpr UINT_PTR kHoverTimer = 34;

    CPromptChildDlg();
    ~CPromptChildDlg() override;

    void SetPromptText(const std::wstring& text) { m_strMessage = text; }
    void SetPromptMode(int mode) { m_nMode = mode; }
    void LayoutControls() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    CPngButton m_btnClose;
    CPngButton m_btnFirst;
    CPngButton m_btnSecond;
    CDrawTextStatic m_stcMessage;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    void UpdateControlsHover(CPoint screenPoint) override;
    // The content is not the dialog that ends; its own OK and Cancel do nothing.
    void OnOK() override {}
    void OnCancel() override {}

    std::wstring m_strMessage;
    int m_nMode = PROMPT_MODE_YES;
};
