#include "ui/toolkit/CExecutePromptChildDlg.h"

#include "res/resource.h"
#include "ui/toolkit/EnterEscapeKeys.h"
#include "ui/toolkit/PromptLayout.h"
#include "ui/toolkit/SkinRectConversion.h"

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
    if (IsEnterOrEscapeKeyDown(msg))
        return TRUE;
    return CSkinContentDlg::PreTranslateMessage(msg);
}

void CExecutePromptChildDlg::LayoutControls()
{
    CRect client;
    GetClientRect(&client);
    const SkinRect c = ToSkinRect(client);

    m_stcMessage.SetWindowText(ExecutePromptText(m_strMessage));
    m_stcMessage.SetTextFormat(1);
    m_stcMessage.SetInfoTextColor(0xFFFFFF);

    const SkinRect r = ExecuteMessageRect(c, m_fScale);
    // Normally loaded by the first erase when the content was shown; the
    // slice needs it now either way.
    EnsureBackground();
    m_stcMessage.SetBackgroundImage(GetBackground());
    m_stcMessage.SetBackgroundRect(10, 42, 194, 62);
    MoveWindowTo(m_stcMessage, r);
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
