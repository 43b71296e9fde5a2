// The main panel: the content of the main window. Holds every control of the
// main window and, as members, everything that lives for the whole run: the
// repair object, the mouse hook, the support component with its tool
// information, the cipher, the device type, the repaired flag and the
// progress prompt of the last repair.
#pragma once

#include "device/CAesCipher.h"
#include "repair/CMouseHook.h"
#include "repair/CRegistryRepair.h"
#include "support/CFeedbackInformation.h"
#include "support/ToolInfo.h"
#include "ui/toolkit/CCheckBoxBtn.h"
#include "ui/toolkit/CDrawTextStatic.h"
#include "ui/toolkit/CFeaturePngButton.h"
#include "ui/toolkit/CPngButton.h"
#include "ui/toolkit/CSkinContentDlg.h"

class CExecutePromptDlg;

class CStellwickDlg : public CSkinContentDlg
{
public:
    CStellwickDlg();
    ~CStellwickDlg() override;

    // Called once by the frame after it has placed and shown the panel.
    void LayoutControls() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Device type from the support clients' file on a USB drive, if any.
    void DetectDeviceType();
    // Decrypts one Base64 value of a device file with the first 16 bytes of key.
    int DecryptText(const char* text, char* out, unsigned outSize, const char* key);

    // Returns only when every check passed; otherwise the process has ended.
    void RunStartupChecks();

    // The repair workflow.
    void OnBnClickedRepair();
    LRESULT OnCloseRepairPrompt(WPARAM wParam, LPARAM lParam);
    LRESULT OnRepairResult(WPARAM wParam, LPARAM lParam);

    // Read by the frame's close handling.
    int IsRepaired() const { return m_bRepaired; }
    int GetDeviceType() const { return m_nDeviceType; }
    CFeedbackInformation& GetFeedback() { return m_feedback; }
    const ToolInfo& GetToolInfo() const { return m_toolInfo; }
    CExecutePromptDlg* GetProgressPrompt() const { return m_pProgressPrompt; }

    // Runs a modal window with the panel disabled. Modal windows without a
    // parent are owned by the frame, and disabling the frame leaves the
    // panel, a window of its own, taking clicks: the repair button could
    // start a second repair under the first one's progress prompt.
    INT_PTR RunModal(CDialog& dialog);
    // True while a modal window run through RunModal is up.
    bool IsBusy() const { return m_nModalDepth > 0; }

    static constexpr UINT_PTR TIMER_HOVER_RESET = 33;
    static constexpr UINT_PTR TIMER_NEW_VERSION = 38;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;
    void OnTimer(UINT_PTR id) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnClose() override;
    void OnOK() override;
    void OnCancel() override;
    void UpdateControlsHover(CPoint screenPoint) override;

    void OnBnClickedAgree();
    void OnBnClickedClose();
    void OnBnClickedMinimize();
    void OnBnClickedMoreTools();
    void CheckNewVersion();

    // One prompt with mode 3 and the panel's scale, then the runtime's normal exit with code 0.
    [[noreturn]] void FailStartup(const wchar_t* text);
    // A prompt without a parent, at the panel's scale, run through RunModal.
    INT_PTR ShowPrompt(const wchar_t* text, int mode);
    // Hands a close that arrived before the progress prompt had a window to it now.
    void DeliverPendingClose();

    RECT m_rcClient = {};
    CDrawTextStatic m_stcVersion;
    CPngButton m_btnClose;
    CPngButton m_btnMinimize;
    CFeaturePngButton m_btnRepair;
    CFeaturePngButton m_btnMoreTools;
    CRegistryRepair m_repair;
    CExecutePromptDlg* m_pProgressPrompt = nullptr;
    CCheckBoxBtn m_chkAgree;
    CDrawTextStatic m_stcAgreement;
    CDrawTextStatic m_stcFeedback;
    CMouseHook m_mouseHook;
    CAesCipher m_aes;
    int m_bRepaired = 0;
    CFeedbackInformation m_feedback;
    ToolInfo m_toolInfo;
    int m_nDeviceType = 0;

    // Set when the worker's close request found no progress prompt window.
    bool m_bClosePending = false;
    int m_nModalDepth = 0;
};
