// Dialogs from templates of this module, modeless (Create) or modal (DoModal).
//
// DoModal runs our own modal loop: the owner is disabled if it was enabled,
// each message is offered to PreTranslateMessage (of its window and the
// parents and owners above it, up to the modal dialog itself, whose owners are
// not asked about its messages), then IsDialogMessage, then
// translated and dispatched, until EndDialog. A WM_QUIT seen inside the loop
// ends it and is posted again for the outer loop. The owner is enabled again
// before the dialog is destroyed. Results: the value given to EndDialog
// (OnOK gives IDOK 1, OnCancel and WM_CLOSE give IDCANCEL 2), -1 when the
// template cannot be loaded.
//
// Right after OnInitDialog the dialog is centred over its owner when it was
// not visible before or after initialisation, did not move during it, its
// template sits at 0,0 without DS_CENTER, DS_CENTERMOUSE or DS_ABSALIGN, and it
// has no owner or a disabled one.
#pragma once

#include "framework/CWnd.h"

class CDialog : public CWnd
{
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Modeless creation; FALSE when the template is missing or creation failed.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(INT_PTR result);

    UINT GetTemplateId() const { return m_nTemplateId; }
    BOOL IsModalRunning() const { return m_bInModalLoop; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Base: binds the template controls (DoDataExchange) and returns TRUE.
    virtual BOOL OnInitDialog();
    // Controls are bound here with DDX_Control, in the order they should bind.
    virtual void DoDataExchange();
    void DDX_Control(int id, CWnd& control);

    virtual void OnOK();     // EndDialog(IDOK)
    virtual void OnCancel(); // EndDialog(IDCANCEL)

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override; // as the Cancel command

    UINT m_nTemplateId;
    CWnd* m_pParentWnd;

private:
    friend INT_PTR CALLBACK DialogBootstrapProc(HWND, UINT, WPARAM, LPARAM);
    HWND CreateFromTemplate(HWND owner);
    BOOL HandleInitDialog(HWND hwnd);
    void CentreAfterInit(BOOL wasVisible, const RECT& before);

    BOOL m_bInModalLoop = FALSE;
    BOOL m_bEndRequested = FALSE;
    INT_PTR m_nModalResult = -1;
};
