// The frame of the feedback window that asks whether the problem was solved.
// Its own scale, its skin, and the support component it hands to its content.
#pragma once

#include "ui/toolkit/CSkinFrameDlg.h"

class CFeedbackInformation;

class CProblemSolvingFeedbackDlg : public CSkinFrameDlg
{
public:
    explicit CProblemSolvingFeedbackDlg(CWnd* parent = nullptr);
    ~CProblemSolvingFeedbackDlg() override;

    // Not owned; null means the answers only close the window.
    void SetFeedbackInformation(CFeedbackInformation* feedback) { m_pFeedback = feedback; }
    void SetDeviceType(int deviceType) { m_nDeviceType = deviceType; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    CSkinContentDlg* NewContent() override;
    SkinRect InitialContentRect(const SkinRect& frame) const override;

    CFeedbackInformation* m_pFeedback = nullptr;
    int m_nDeviceType = 0;
};
