#include "support/CProblemSolvingFeedbackDlg.h"

#include "res/resource.h"
#include "support/CProblemSolvingFeedbackChildDlg.h"
#include "support/FeedbackLayout.h"
#include "ui/toolkit/EnterEscapeKeys.h"

CProblemSolvingFeedbackDlg::CProblemSolvingFeedbackDlg(CWnd* parent) : CSkinFrameDlg(IDD_FEEDBACK, parent)
{
    m_nSkinPng = IDB_FEEDBACK_SKIN;
    m_nContentTemplate = IDD_FEEDBACK_CHILD;
    m_fBaseWidth = 410.0f;
    m_fBaseHeight = 479.0f;
    m_insets.left = 5.0f;
    m_insets.top = 4.0f;
    m_insets.right = 5.0f;
    m_insets.bottom = 7.0f;
    m_bOwnScale = TRUE;
    m_bFollow = 1;
}

CProblemSolvingFeedbackDlg::~CProblemSolvingFeedbackDlg() = default;

BOOL CProblemSolvingFeedbackDlg::OnInitDialog()
{
    // The title only shows in the task switcher; set it before the skin so a
    // frame whose skin is missing still carries it.
    SetWindowText(L"Stellwick");
    return CSkinFrameDlg::OnInitDialog();
}

CSkinContentDlg* CProblemSolvingFeedbackDlg::NewContent()
{
    CProblemSolvingFeedbackChildDlg* content = new CProblemSolvingFeedbackChildDlg();
    content->SetScale(m_fScale);
    content->SetFeedbackInformation(m_pFeedback);
    content->SetDeviceType(m_nDeviceType);
    return content;
}

SkinRect CProblemSolvingFeedbackDlg::InitialContentRect(const SkinRect& frame) const
{
    FeedbackRect f;
    f.left = frame.left;
    f.top = frame.top;
    f.right = frame.right;
    f.bottom = frame.bottom;
    const FeedbackRect c = FeedbackContentRect(f, m_fScale);
    SkinRect r;
    r.left = c.left;
    r.top = c.top;
    r.right = c.right;
    r.bottom = c.bottom;
    return r;
}

BOOL CProblemSolvingFeedbackDlg::PreTranslateMessage(MSG* msg)
{
    // No key may close the window: only an answer or the system's close command does.
    if (IsEnterOrEscapeKeyDown(msg))
        return TRUE;
    return CSkinFrameDlg::PreTranslateMessage(msg);
}
