#include "ui/toolkit/CPromptChildDlg.h"

#include "common/WindowMessages.h"
#include "res/resource.h"
#include "ui/toolkit/EnterEscapeKeys.h"
#include "ui/toolkit/SkinRectConversion.h"

CPromptChildDlg::CPromptChildDlg() : CSkinContentDlg(IDD_PROMPT_CHILD)
{
    m_nBackgroundPng = IDB_PROMPT_BACKGROUND;
    m_bHasCaption = TRUE;
    m_fCaptionRightExcluded = 26;
    m_bDrag = 0;
}

CPromptChildDlg::~CPromptChildDlg() = default;

void CPromptChildDlg::DoDataExchange()
{
    DDX_Control(IDC_BTN_CLOSE, m_btnClose);
    DDX_Control(IDC_PROMPT_FIRST, m_btnFirst);
    DDX_Control(IDC_PROMPT_SECOND, m_btnSecond);
    DDX_Control(IDC_PROMPT_MESSAGE, m_stcMessage);
}

BOOL CPromptChildDlg::OnInitDialog()
{
    CSkinContentDlg::OnInitDialog();
    SetTimer(kHoverTimer, 100);
    return TRUE;
}

BOOL CPromptChildDlg::PreTranslateMessage(MSG* msg)
{
    if (IsEnterOrEscapeKeyDown(msg))
        return TRUE;
    return CSkinContentDlg::PreTranslateMessage(msg);
}

void CPromptChildDlg::LayoutControls()
{
    CRect client;
    GetClientRect(&client);
    const PromptContentLayout layout = LayoutPromptContent(ToSkinRect(client), m_fScale);

    MoveWindowTo(m_btnClose, layout.close);
    m_btnClose.SetImages(IDB_PROMPT_CLOSE_NORMAL, IDB_PROMPT_CLOSE_NORMAL + 1, IDB_PROMPT_CLOSE_NORMAL + 2,
                         IDB_PROMPT_CLOSE_NORMAL + 2);
    m_btnClose.SetStretch(TRUE);

    MoveWindowTo(m_btnFirst, layout.first);
    m_btnFirst.SetStretch(TRUE);
    MoveWindowTo(m_btnSecond, layout.second);
    m_btnSecond.SetStretch(TRUE);

    const PromptModeRow row = PromptModeTable(m_nMode);
    m_btnFirst.SetImages(row.first.normal, row.first.hover, row.first.pressed, row.first.disabled);
    m_btnSecond.SetImages(row.second.normal, row.second.hover, row.second.pressed, row.second.disabled);
    m_btnFirst.ShowWindow(SW_SHOW);
    m_btnSecond.ShowWindow(row.secondShown ? SW_SHOW : SW_HIDE);
    if (row.firstCentred)
        MoveWindowTo(m_btnFirst, layout.firstCentred);

    m_stcMessage.SetWindowText(m_strMessage);
    MoveWindowTo(m_stcMessage, layout.message);
    m_stcMessage.CreateTextFont();
}

BOOL CPromptChildDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        HWND frame = GetParentHwnd();
        switch (LOWORD(wParam)) {
        case IDC_PROMPT_FIRST:
            ::SendMessageW(frame, WM_PROMPT_ANSWER, 1, 0);
            return TRUE;
        case IDC_PROMPT_SECOND:
            ::SendMessageW(frame, WM_PROMPT_ANSWER, 2, 0);
            return TRUE;
        case IDC_BTN_CLOSE:
            ::SendMessageW(frame, WM_CLOSE, 0, 0);
            return TRUE;
        default:
            break;
        }
    }
    return CSkinContentDlg::OnCommand(wParam, lParam);
}

void CPromptChildDlg::UpdateControlsHover(CPoint screenPoint)
{
    m_btnClose.CheckMouseLeave(screenPoint);
    m_btnFirst.CheckMouseLeave(screenPoint);
    m_btnSecond.CheckMouseLeave(screenPoint);
}

void CPromptChildDlg::OnTimer(UINT_PTR id)
{
    if (id == kHoverTimer)
        UpdateControlsHoverOutside();
    Default();
}

void CPromptChildDlg::OnDestroy()
{
    CSkinContentDlg::OnDestroy();
    m_btnClose.FreeImages();
    m_btnFirst.FreeImages();
    m_btnSecond.FreeImages();
    KillTimer(kHoverTimer);
}
