// The content of the progress prompt: the blue background and the animated
// status line over its slice of that background.
#pragma once

#include <string>

#include "ui/toolkit/CDrawStateInfoStatic.h"
#include "ui/toolkit/CSkinContentDlg.h"

class CExecutePromptChildDlg : public CSkinContentDlg
{
public:
    CExecutePromptChildDlg();
    ~CExecutePromptChildDlg() override;

    void SetPromptText(const std::wstring& text) { m_strMessage = text; }
    // Places the status line and starts its animation.
    void LayoutControls() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    CDrawStateInfoStatic m_stcMessage;

protected:
    void DoDataExchange() override;
    void OnDestroy() override;
    void OnOK() override {}
    void OnCancel() override {}

    std::wstring m_strMessage;
};
