// The program's message box: a skinned frame with a fixed title band, a
// wrapped message and one or two image buttons. DoModal answers 1 for the
// first button (or Enter on the frame) and 2 for the second button, the
// close cross or Esc on the frame.
#pragma once

#include <string>

#include "ui/toolkit/CSkinFrameDlg.h"
#include "ui/toolkit/PromptLayout.h"

class CPromptDlg : public CSkinFrameDlg
{
public:
    explicit CPromptDlg(CWnd* parent = nullptr);
    ~CPromptDlg() override;

    // Read only while the prompt initialises.
    void SetPromptText(const std::wstring& text) { m_strMessage = text; }
    void SetPromptMode(int mode) { m_nMode = mode; }

protected:
    CSkinContentDlg* NewContent() override;
    SkinRect InitialContentRect(const SkinRect& frame) const override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::wstring m_strMessage;
    int m_nMode = PROMPT_MODE_YES;
};
