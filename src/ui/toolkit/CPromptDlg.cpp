#include "ui/toolkit/CPromptDlg.h"

#include "common/WindowMessages.h"
#include "res/resource.h"
#include "ui/toolkit/CPromptChildDlg.h"

CPromptDlg::CPromptDlg(CWnd* parent) : CSkinFrameDlg(IDD_PROMPT, parent)
{
    m_nSkinPng = IDB_PROMPT_SKIN;
    m_nContentTemplate = IDD_PROMPT_CHILD;
    m_fBaseWidth = 336;
    m_fBaseHeight = 156;
    m_insets.left = 5;
    m_insets.top = 3;
    m_insets.right = 5;
    m_insets.bottom = 7;
    m_bFollow = 1;
}

CPromptDlg::~CPromptDlg() = default;

CSkinContentDlg* CPromptDlg::NewContent()
{
    auto* content = new CPromptChildDlg();
    content->SetPromptText(m_strMessage);
    content->SetPromptMode(m_nMode);
    return content;
}

SkinRect CPromptDlg::InitialContentRect(const SkinRect& frame) const
{
    return PromptContentInFrame(frame, m_fScale);
}

LRESULT CPromptDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PROMPT_ANSWER) {
        if (wParam == 1)
            OnOK();
        else
            OnCancel();
        return 0;
    }
    return CSkinFrameDlg::WindowProc(msg, wParam, lParam);
}
