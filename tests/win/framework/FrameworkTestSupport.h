// Windows and dialogs that the framework tests drive.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/CButton.h"
#include "framework/CDialog.h"
#include "framework/CWinApp.h"

namespace fwtest {

constexpr UINT kPlainTemplate = 901;
constexpr UINT kOffsetTemplate = 902;
constexpr UINT kHugeTemplate = 903;
constexpr UINT kCentreStyleTemplate = 905;
constexpr int kButtonId = 1001;
constexpr int kCheckId = 1002;

// Posted by the scripted dialog to itself at the end of OnInitDialog, so the
// script runs inside the modal loop, after the framework's centring.
constexpr UINT WM_RUN_SCRIPT = WM_APP + 1;

CWinApp& TestApp();

// A plain top-level popup window bound to a CWnd, used as owner and as the
// application's main window.
class COwnerWindow : public CWnd
{
public:
    COwnerWindow(int x, int y, int width, int height, bool visible = true);
    ~COwnerWindow() override;
};

class CScriptedDialog : public CDialog
{
public:
    explicit CScriptedDialog(UINT templateId, CWnd* parent = nullptr) : CDialog(templateId, parent) {}

    std::function<void(CScriptedDialog&)> onInit;
    std::function<void(CScriptedDialog&)> onRunning;
    std::function<void(CScriptedDialog&)> onDestroy;
    std::function<BOOL(MSG*)> preTranslate;

    RECT rectWhenRunning = {};
    bool ran = false;

    using CDialog::EndDialog;
    void Command(int id) { SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (preTranslate && preTranslate(msg))
            return TRUE;
        return CDialog::PreTranslateMessage(msg);
    }

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        PostMessage(WM_RUN_SCRIPT);
        return TRUE;
    }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_RUN_SCRIPT) {
            ran = true;
            GetWindowRect(&rectWhenRunning);
            if (onRunning)
                onRunning(*this);
            return 0;
        }
        return CDialog::WindowProc(msg, wParam, lParam);
    }

    void OnDestroy() override
    {
        if (onDestroy)
            onDestroy(*this);
        CDialog::OnDestroy();
    }
};

// Work area of the monitor that holds a window (the primary one for none).
RECT WorkAreaFor(HWND hwnd);

// Handles whatever is queued without waiting.
void PumpPending();

} // namespace fwtest
