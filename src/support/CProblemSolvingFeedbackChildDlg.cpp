#include "support/CProblemSolvingFeedbackChildDlg.h"

#include <string>

#include "common/ToolIdentity.h"
#include "res/resource.h"
#include "support/CFeedbackInformation.h"
#include "support/CProblemSolvingFeedbackDlg.h"
#include "support/FeedbackLayout.h"
#include "support/ReportTexts.h"
#include "ui/toolkit/EnterEscapeKeys.h"
#include "ui/toolkit/WineDisplayWorkarounds.h"

namespace {

void Place(CWnd& button, const FeedbackRect& r)
{
    button.MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void PlaceAnswer(CFeaturePngButton& button, const FeedbackButtonLayout& layout, UINT firstFace)
{
    Place(button, layout.rect);
    button.SetBackgroundImage(IDB_FEEDBACK_BACKGROUND);
    button.SetBackgroundRect(layout.background.left, layout.background.top, layout.background.right,
                             layout.background.bottom);
    button.SetHitInsets(layout.hitInset, layout.hitInset, layout.hitInset, layout.hitInset);
    button.SetImages(firstFace, firstFace + 1, firstFace + 2, firstFace + 3);
    button.SetStretch(TRUE);
}

} // namespace

CProblemSolvingFeedbackChildDlg::CProblemSolvingFeedbackChildDlg() : CSkinContentDlg(IDD_FEEDBACK_CHILD)
{
    m_nBackgroundPng = IDB_FEEDBACK_BACKGROUND;
    m_bHasCaption = TRUE;
    m_fCaptionRightExcluded = 0.0f;
    m_bDoubleBufferedErase = FALSE;
    m_bHighQualityErase = TRUE;
    m_bDrag = 0;
}

CProblemSolvingFeedbackChildDlg::~CProblemSolvingFeedbackChildDlg() = default;

void CProblemSolvingFeedbackChildDlg::DoDataExchange()
{
    CSkinContentDlg::DoDataExchange();
    DDX_Control(IDC_FB_CLOSE, m_btnClose);
    DDX_Control(IDC_FB_SOLVED, m_btnSolved);
    DDX_Control(IDC_FB_UNSOLVED, m_btnUnsolved);
    DDX_Control(IDC_FB_OTHER, m_btnOther);
}

BOOL CProblemSolvingFeedbackChildDlg::OnInitDialog()
{
    CSkinContentDlg::OnInitDialog();
    SetTimer(HOVER_TIMER, HOVER_TIMER_MS);
    return TRUE;
}

void CProblemSolvingFeedbackChildDlg::LayoutControls()
{
    GetClientRect(&m_rcClient);
    const FeedbackLayout layout = LayoutFeedbackControls(m_rcClient.Width(), m_rcClient.Height(), m_fScale);

    Place(m_btnClose, layout.close);
    m_btnClose.SetImages(IDB_FB_CLOSE_NORMAL, IDB_FB_CLOSE_NORMAL + 1, IDB_FB_CLOSE_NORMAL + 2,
                         IDB_FB_CLOSE_NORMAL + 3);
    m_btnClose.SetStretch(TRUE);
    m_btnClose.ShowWindow(SW_HIDE);

    PlaceAnswer(m_btnSolved, layout.solved, IDB_SOLVED_NORMAL);
    PlaceAnswer(m_btnUnsolved, layout.unsolved, IDB_UNSOLVED_NORMAL);
    PlaceAnswer(m_btnOther, layout.other, IDB_OTHER_NORMAL);
}

BOOL CProblemSolvingFeedbackChildDlg::PreTranslateMessage(MSG* msg)
{
    // No key may close the window: only an answer or the system's close command does.
    if (IsEnterOrEscapeKeyDown(msg))
        return TRUE;
    return CSkinContentDlg::PreTranslateMessage(msg);
}

void CProblemSolvingFeedbackChildDlg::UpdateControlsHover(CPoint screenPoint)
{
    m_btnClose.CheckMouseLeave(screenPoint);
    m_btnSolved.CheckMouseLeave(screenPoint);
    m_btnUnsolved.CheckMouseLeave(screenPoint);
    m_btnOther.CheckMouseLeave(screenPoint);
}

void CProblemSolvingFeedbackChildDlg::OnTimer(UINT_PTR id)
{
    // The buttons get no mouse-leave notification: once the pointer has left
    // the window, nothing else would take a highlight off them.
    if (id == HOVER_TIMER) {
        UpdateControlsHoverOutside();
        WineDisplayWorkarounds::KeepContentAboveFrameFromTimer(GetParentHwnd(), m_hWnd);
    }
    CSkinContentDlg::OnTimer(id);
}

BOOL CProblemSolvingFeedbackChildDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    FeedbackAnswer answer;
    if (HIWORD(wParam) == BN_CLICKED && FeedbackAnswerForControl(id, &answer)) {
        Answer(id);
        return TRUE;
    }
    return CSkinContentDlg::OnCommand(wParam, lParam);
}

void CProblemSolvingFeedbackChildDlg::Answer(int controlId)
{
    FeedbackAnswer answer;
    if (m_bAnswered || !FeedbackAnswerForControl(controlId, &answer))
        return;
    m_bAnswered = TRUE;

    if (m_pFeedback) {
        const std::wstring timeText = ReportTimeTextNow();
        const std::wstring deviceText = ReportDeviceText(m_nDeviceType);
        m_pFeedback->CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, answer.kind, timeText.c_str(),
                                        deviceText.c_str());
        if (answer.askQuestion)
            m_pFeedback->FeedbackQuestion(TOOL_ID, TOOL_VERSION);
    }

    // The frame's own close handling ends the modal run.
    if (HWND frame = GetParentHwnd())
        ::SendMessageW(frame, WM_CLOSE, 0, 0);
}

void CProblemSolvingFeedbackChildDlg::OnDestroy()
{
    CSkinContentDlg::OnDestroy();
    m_btnClose.FreeImages();
    m_btnSolved.FreeImages();
    m_btnUnsolved.FreeImages();
    m_btnOther.FreeImages();
    KillTimer(HOVER_TIMER);
    m_pBackground.Reset();
}
