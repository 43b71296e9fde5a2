#include "ui/toolkit/CExecutePromptDlg.h"

#include "common/WindowMessages.h"
#include "res/resource.h"
#include "ui/toolkit/CExecutePromptChildDlg.h"
#include "ui/toolkit/EnterEscapeKeys.h"
#include "ui/toolkit/PromptLayout.h"

CExecutePromptDlg::CExecutePromptDlg(CWnd* parent) : CSkinFrameDlg(IDD_EXECUTE_PROMPT, parent)
{
    m_nSkinPng = IDB_EXECUTE_SKIN;
    m_nContentTemplate = IDD_EXECUTE_PROMPT_CHILD;
    m_fBaseWidth = 232;
    m_fBaseHeight = 132;
    m_insets.left = 14;
    m_insets.top = 12;
    m_insets.right = 14;
    m_insets.bottom = 16;
    m_bFollow = 1;
}

CExecutePromptDlg::~CExecutePromptDlg() = default;

BOOL CExecutePromptDlg::PreTranslateMessage(MSG* msg)
{
    if (IsEnterOrEscapeKeyDown(msg))
        return TRUE;
    return CSkinFrameDlg::PreTranslateMessage(msg);
}

CSkinContentDlg* CExecutePromptDlg::NewContent()
{
    auto* content = new CExecutePromptChildDlg();
    content->SetPromptText(m_strMessage);
    return content;
}

SkinRect CExecutePromptDlg::InitialContentRect(const SkinRect& frame) const
{
    return ExecuteContentInFrame(frame, m_fScale);
}

LRESULT CExecutePromptDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_REPAIR_CLOSE_PROMPT) {
        // Off the screen at once: this request comes from the worker as a
        // sent message, handled inside the modal loop's GetMessage, and the
        // worker's result (a prompt of its own) may arrive in the same wait,
        // before the loop gets round to ending the run.
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        OnOK();
        return 0;
    }
    return CSkinFrameDlg::WindowProc(msg, wParam, lParam);
}
