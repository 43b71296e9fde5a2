// The content of the feedback window: the question is part of the background
// image; three answer buttons and a hidden close button report the answer to
// the support component and close the window.
#pragma once

#include "ui/toolkit/CFeaturePngButton.h"
#include "ui/toolkit/CPngButton.h"
#include "ui/toolkit/CSkinContentDlg.h"

class CFeedbackInformation;

class CProblemSolvingFeedbackChildDlg : public CSkinContentDlg
{
public:
    CProblemSolvingFeedbackChildDlg();
    ~CProblemSolvingFeedbackChildDlg() override;

    void SetFeedbackInformation(CFeedbackInformation* feedback) { m_pFeedback = feedback; }
    void SetDeviceType(int deviceType) { m_nDeviceType = deviceType; }

    void LayoutControls() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // The hover reset timer.
    static constexpr UINT_PTR HOVER_TIMER = 37;
    static constexpr UINT HOVER_TIMER_MS = 100;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void UpdateControlsHover(CPoint screenPoint) override;

    // Reports the answer of one control and closes the window.
    void Answer(int controlId);

    CRect m_rcClient;
    CPngButton m_btnClose;
    CFeaturePngButton m_btnSolved;
    CFeaturePngButton m_btnUnsolved;
    CFeaturePngButton m_btnOther;
    CFeedbackInformation* m_pFeedback = nullptr;
    int m_nDeviceType = 0;

private:
    // One answer ends the window; a second click that is already queued when
    // the first closes it must not report again.
    BOOL m_bAnswered = FALSE;
};
