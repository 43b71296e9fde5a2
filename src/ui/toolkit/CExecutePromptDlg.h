// The progress prompt: a small blue skinned window with one animated status
// line, shown modally while work runs elsewhere and ended by the creator with
// WM_REPAIR_CLOSE_PROMPT (result 1). It has no buttons, cannot be dragged,
// and Enter and Esc are ignored: it must not end while the work still runs.
#pragma once

#include <string>

#include "ui/toolkit/CSkinFrameDlg.h"

class CExecutePromptDlg : public CSkinFrameDlg
{
public:
    explicit CExecutePromptDlg(CWnd* parent = nullptr);
    ~CExecutePromptDlg() override;

    void SetPromptText(const std::wstring& text) { m_strMessage = text; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    CSkinContentDlg* NewContent() override;
    SkinRect InitialContentRect(const SkinRect& frame) const override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::wstring m_strMessage;
};
