#include "ui/toolkit/CExecutePromptChildDlg.h"

#include "res/resource.h"
#include "ui/toolkit/PromptLayout.h"

CExecutePromptChildDlg::CExecutePromptChildDlg() : CSkinContentDlg(IDD_EXECUTE_PROMPT_CHILD)
{
    m_nBackgroundPng = IDB_EXECUTE_BACKGROUND;
    m_bHasCaption = FALSE;
    m_bDoubleBufferedErase = TRUE;
}

CExecutePromptChildDlg::~CExecutePromptChildDlg() = default;

void CExecutePromptChildDlg::DoDataExchange() { DDX_Control(IDC_STATIC_PROGRESS, m_stcMessage); }

BOOL CExecutePromptChildDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        return TRUE;
    return CSkinContentDlg::PreTranslateMessage(msg);
}

void CExecutePromptChildDlg::LayoutControls()
{
    CRect client;
    GetClientRect(&client);
    SkinRect c;
    c.left = client.left;
    c.top = client.top;
    c.right = client.right;
    c.bottom = client.bottom;

    m_stcMessage.SetWindowText(ExecutePromptText(m_strMessage));
    m_stcMessage.SetTextFormat(1);
    m_stcMessage.SetInfoTextColor(0xFFFFFF);

    const SkinRect r = ExecuteMessageRect(c, m_fScale);
    // Normally loaded by the first erase when the content was shown; the
    // slice needs it now either way.
    EnsureBackground();
    m_stcMessage.SetBackgroundImage(GetBackground());
    m_stcMessage.SetBackgroundRect(10, 42, 194, 62);
    m_stcMessage.MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    m_stcMessage.CreateTextFont();
    m_stcMessage.StartAnimation();
}

void CExecutePromptChildDlg::OnDestroy()
{
    CSkinContentDlg::OnDestroy();
    // The background is gone; the line must not paint its slice any more.
    m_stcMessage.SetBackgroundImage(nullptr);
    m_stcMessage.StopAnimation();
}
