// A frame configured like the prompt's (skin 151, 336 x 156, insets 5, 3, 5, 7,
// the prompt's content template) for test programs. OnStarted runs once the
// pair stands, from a message posted by OnInitDialog, so it runs inside the
// modal loop.
#pragma once

#include "CPromptShapedContent.h"
#include "res/resource.h"
#include "ui/toolkit/CSkinFrameDlg.h"

class CPromptShapedFrame : public CSkinFrameDlg
{
public:
    explicit CPromptShapedFrame(CWnd* parent = nullptr, UINT skin = IDB_PROMPT_SKIN)
        : CSkinFrameDlg(IDD_PROMPT, parent)
    {
        m_nSkinPng = skin;
        m_nContentTemplate = IDD_PROMPT_CHILD;
        m_fBaseWidth = 336;
        m_fBaseHeight = 156;
        m_insets = SkinInsets{5, 3, 5, 7};
    }

protected:
    static constexpr UINT WM_PAIR_STARTED = WM_APP + 7;

    virtual void OnStarted() {}

    CSkinContentDlg* NewContent() override { return new CPromptShapedContent; }
    BOOL OnInitDialog() override
    {
        BOOL result = CSkinFrameDlg::OnInitDialog();
        PostMessage(WM_PAIR_STARTED);
        return result;
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_PAIR_STARTED) {
            OnStarted();
            return 0;
        }
        return CSkinFrameDlg::WindowProc(msg, wParam, lParam);
    }
};
