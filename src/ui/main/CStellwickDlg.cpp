#include "ui/main/CStellwickDlg.h"

#include "framework/StartupPhases.h"
#include "framework/LiveObjectCount.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/ToolIdentity.h"
#include "common/WindowMessages.h"
#include "device/DecryptText.h"
#include "device/DeviceTypeDetector.h"
#include "repair/UsbDrives.h"
#include "res/resource.h"
#include "support/CProblemSolvingFeedbackDlg.h"
#include "ui/main/NewVersionNotice.h"
#include "ui/main/PanelLayout.h"
#include "ui/toolkit/CExecutePromptDlg.h"
#include "ui/toolkit/CPngDecodeAhead.h"
#include "ui/toolkit/CPromptDlg.h"
#include "ui/toolkit/WineDisplayWorkarounds.h"
#include "ui/toolkit/CSkinFrameDlg.h"
#include "ui/toolkit/PromptLayout.h"

namespace {

// Posted to the panel itself when the worker's close request came before the
// progress prompt had a window; a posted message is only ever taken from a
// message loop, so by then the prompt exists.
constexpr UINT WM_DELIVER_PENDING_CLOSE = WM_APP + 0x25;

const wchar_t* const TEXT_UNSUPPORTED_SYSTEM = L"此工具不支持当前系统";
const wchar_t* const TEXT_INIT_FAILED = L"工具初始化失败";
const wchar_t* const TEXT_FIRST_WARNING =
    L"以下修复操作涉及到系统注册表修改，操作前请确认电脑里资料均已备份！";
const wchar_t* const TEXT_SECOND_NOTICE =
    L"本工具调用微软自带命令恢复注册表，不是万能工具。如果恢复后仍有问题，可能与注册表无关，请了解。";
const wchar_t* const TEXT_PROGRESS = L"正在修复，请稍等";
const wchar_t* const TEXT_REPAIR_FAILED = L"修复注册表失败！";
const wchar_t* const TEXT_RESTART_QUESTION = L"修复注册表成功,重新启动系统后才会生效，是否重新启动？";
const wchar_t* const TEXT_AGREEMENT_MEASURED = L"同意《Torvane服务工具使用许可协议》";
const wchar_t* const TEXT_FEEDBACK_MEASURED = L"反馈问题";

constexpr COLORREF COLOR_WHITE = 0xFFFFFF;
constexpr COLORREF COLOR_LINK = 0xFF5C5C;
constexpr COLORREF COLOR_LINK_HOVER = 0xFF0000;

// The controls have not been painted yet where the template put them (that
// waits for the message loop), and the panel's background already lies under
// those places. So only the control itself is redrawn where it goes: moving
// it with a redraw would have the panel erase its whole background again.
void Place(CWnd& control, const SkinRect& r)
{
    ::SetWindowPos(control.m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ::InvalidateRect(control.m_hWnd, nullptr, TRUE);
}

int TextWidth(HDC dc, const wchar_t* text)
{
    SIZE size = {};
    if (!::GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size))
        return 0;
    return size.cx;
}

} // namespace

CStellwickDlg::CStellwickDlg() : CSkinContentDlg(IDD_STELLWICK_PANEL)
{
    m_nBackgroundPng = IDB_MAIN_BACKGROUND;
    m_bHasCaption = TRUE;
    m_fCaptionRightExcluded = 86;
    m_bDoubleBufferedErase = TRUE;
    m_bHighQualityErase = TRUE;
    m_bDrag = 1;
}

CStellwickDlg::~CStellwickDlg()
{
    delete m_pProgressPrompt;
    m_pProgressPrompt = nullptr;
}

BOOL CStellwickDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN))
        return TRUE;
    return CSkinContentDlg::PreTranslateMessage(msg);
}

void CStellwickDlg::DoDataExchange()
{
    DDX_Control(IDC_BTN_CLOSE, m_btnClose);
    DDX_Control(IDC_BTN_MINIMIZE, m_btnMinimize);
    DDX_Control(IDC_CHK_AGREE, m_chkAgree);
    DDX_Control(IDC_STATIC_AGREEMENT, m_stcAgreement);
    DDX_Control(IDC_BTN_REPAIR, m_btnRepair);
    DDX_Control(IDC_BTN_MORE_TOOLS, m_btnMoreTools);
    DDX_Control(IDC_STATIC_VERSION, m_stcVersion);
    DDX_Control(IDC_STATIC_FEEDBACK, m_stcFeedback);
}

BOOL CStellwickDlg::OnInitDialog()
{
    CSkinContentDlg::OnInitDialog();
    STARTUP_PHASE_MARK("panel_init");
    DetectDeviceType();
    STARTUP_PHASE_MARK("device_detected");
    RunStartupChecks();
    STARTUP_PHASE_MARK("checks_done");
    SetTimer(TIMER_HOVER_RESET, 100);
    return TRUE;
}

void CStellwickDlg::DetectDeviceType()
{
    std::vector<std::wstring> roots;
    if (!GetUsbDrives(roots))
        return;
    DetectDeviceTypeOnRoots(roots, m_aes, m_nDeviceType);
}

int CStellwickDlg::DecryptText(const char* text, char* out, unsigned outSize, const char* key)
{
    return ::DecryptText(m_aes, text, out, outSize, reinterpret_cast<const unsigned char*>(key));
}

INT_PTR CStellwickDlg::RunModal(CDialog& dialog)
{
    // Under Wine a prompt that has closed can leave the frame's skin over
    // this panel on the display; nothing happens here on Windows.
    WineDisplayWorkarounds::ShowContentAboveFrame(GetParentHwnd(), m_hWnd);
    const bool disable = m_hWnd && ::IsWindowEnabled(m_hWnd);
    if (disable)
        ::EnableWindow(m_hWnd, FALSE);
    ++m_nModalDepth;
    const INT_PTR result = dialog.DoModal();
    --m_nModalDepth;
    if (disable && ::IsWindow(m_hWnd))
        ::EnableWindow(m_hWnd, TRUE);
    if (::IsWindow(m_hWnd))
        WineDisplayWorkarounds::ShowContentAboveFrame(GetParentHwnd(), m_hWnd);
    return result;
}

INT_PTR CStellwickDlg::ShowPrompt(const wchar_t* text, int mode)
{
    CPromptDlg prompt(nullptr);
    prompt.SetScale(m_fScale);
    prompt.SetPromptText(text);
    prompt.SetPromptMode(mode);
    return RunModal(prompt);
}

void CStellwickDlg::FailStartup(const wchar_t* text)
{
    ShowPrompt(text, PROMPT_MODE_CONFIRM);
    // The decoding thread holds pictures of GDI+, which must not be ended
    // under it; the ordinary way out stops it the same way.
    CPngDecodeAhead::Stop();
    std::exit(0);
}

void CStellwickDlg::RunStartupChecks()
{
    if (!m_repair.SetNotifyWindow(m_hWnd))
        FailStartup(TEXT_INIT_FAILED);
    if (!m_repair.IsSupportedSystem())
        FailStartup(TEXT_UNSUPPORTED_SYSTEM);
    if (!m_mouseHook.SetNotifyWindow(m_hWnd))
        FailStartup(TEXT_INIT_FAILED);
    if (!m_mouseHook.Install())
        FailStartup(TEXT_INIT_FAILED);
    if (!m_feedback.Load())
        FailStartup(TEXT_INIT_FAILED);
    if (m_feedback.InitFreedbackDll(&m_toolInfo) == 0)
        FailStartup(TEXT_INIT_FAILED);
}

void CStellwickDlg::LayoutControls()
{
    GetClientRect(&m_rcClient);
    const int cw = m_rcClient.right - m_rcClient.left;
    const int ch = m_rcClient.bottom - m_rcClient.top;

    // The two link widths follow from the texts as the dialog font draws them.
    int agreementWidth = 0;
    int feedbackWidth = 0;
    if (HDC dc = ::GetDC(m_hWnd)) {
        HGDIOBJ oldFont = ::SelectObject(dc, GetFont());
        agreementWidth = TextWidth(dc, TEXT_AGREEMENT_MEASURED);
        feedbackWidth = TextWidth(dc, TEXT_FEEDBACK_MEASURED);
        ::SelectObject(dc, oldFont);
        ::ReleaseDC(m_hWnd, dc);
    }
    const PanelLayout l = ComputePanelLayout(cw, ch, m_fScale, agreementWidth, feedbackWidth);

    Place(m_btnClose, l.close);
    m_btnClose.SetImages(IDB_CLOSE_NORMAL, IDB_CLOSE_NORMAL + 1, IDB_CLOSE_NORMAL + 2, IDB_CLOSE_NORMAL + 3);
    m_btnClose.SetStretch(TRUE);

    Place(m_btnMinimize, l.minimize);
    m_btnMinimize.SetImages(IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_NORMAL + 1, IDB_MINIMIZE_NORMAL + 2,
                            IDB_MINIMIZE_NORMAL + 3);
    m_btnMinimize.SetStretch(TRUE);

    // The first background erase has happened by now (the frame showed the
    // panel); loading here only covers a panel that was never painted.
    EnsureBackground();
    Place(m_stcVersion, l.version);
    m_stcVersion.SetWindowText(TOOL_VERSION);
    m_stcVersion.SetBackgroundImage(m_pBackground.Get());
    m_stcVersion.SetBackgroundRect(l.versionSource.left, l.versionSource.top, l.versionSource.right,
                                   l.versionSource.bottom);
    m_stcVersion.CreateTextFont();
    m_stcVersion.SetTextFormat(1);
    m_stcVersion.SetBackColor(COLOR_WHITE);
    m_stcVersion.SetTextColors(COLOR_WHITE, COLOR_WHITE);

    m_btnRepair.SetBackgroundImage(m_pBackground.Get());
    Place(m_btnRepair, l.repair);
    m_btnRepair.SetBackgroundRect(l.repairSource.left, l.repairSource.top, l.repairSource.right,
                                  l.repairSource.bottom);
    m_btnRepair.SetHitInsets(l.repairInsets.left, l.repairInsets.top, l.repairInsets.right,
                             l.repairInsets.bottom);
    m_btnRepair.SetStretch(TRUE);
    m_btnRepair.SetImages(IDB_REPAIR_NORMAL, IDB_REPAIR_NORMAL + 1, IDB_REPAIR_NORMAL + 2,
                          IDB_REPAIR_NORMAL + 3);

    m_btnMoreTools.SetBackgroundImage(m_pBackground.Get());
    Place(m_btnMoreTools, l.moreTools);
    m_btnMoreTools.SetBackgroundRect(l.moreToolsSource.left, l.moreToolsSource.top, l.moreToolsSource.right,
                                     l.moreToolsSource.bottom);
    m_btnMoreTools.SetHitInsets(0, 0, 0, 0);
    m_btnMoreTools.SetStretch(TRUE);
    m_btnMoreTools.SetImages(IDB_MORE_TOOLS_NORMAL, IDB_MORE_TOOLS_NORMAL + 1, IDB_MORE_TOOLS_NORMAL + 2,
                             IDB_MORE_TOOLS_NORMAL + 3);
    m_btnMoreTools.ShowWindow(m_nDeviceType <= 0 ? SW_SHOW : SW_HIDE);

    Place(m_chkAgree, l.check);
    m_chkAgree.CreateTextFont();
    m_chkAgree.SetScale(m_fScale);
    m_chkAgree.SetCheck(BST_CHECKED);

    for (CDrawTextStatic* link : {&m_stcAgreement, &m_stcFeedback}) {
        Place(*link, link == &m_stcAgreement ? l.agreement : l.feedback);
        link->CreateTextFont();
        link->SetTextFormat(1);
        link->SetBackColor(COLOR_WHITE);
        link->SetTextColors(COLOR_LINK, COLOR_LINK_HOVER);
    }

    SetTimer(TIMER_NEW_VERSION, 100);
}

void CStellwickDlg::UpdateControlsHover(CPoint screenPoint)
{
    m_btnClose.CheckMouseLeave(screenPoint);
    m_btnMinimize.CheckMouseLeave(screenPoint);
    m_btnRepair.CheckMouseLeave(screenPoint);
    m_btnMoreTools.CheckMouseLeave(screenPoint);
    m_stcFeedback.UpdateHover(screenPoint);
    m_stcAgreement.UpdateHover(screenPoint);
}

void CStellwickDlg::OnTimer(UINT_PTR id)
{
    if (id == TIMER_HOVER_RESET) {
        POINT cursor = {};
        RECT window = {};
        ::GetCursorPos(&cursor);
        GetWindowRect(&window);
        if (!::PtInRect(&window, cursor)) {
            UpdateControlsHover(CPoint(cursor.x, cursor.y));
        }
    } else if (id == TIMER_NEW_VERSION) {
        CheckNewVersion();
    }
    CSkinContentDlg::OnTimer(id);
}

void CStellwickDlg::CheckNewVersion()
{
    KillTimer(TIMER_NEW_VERSION);
    STARTUP_PHASE_MARK("version_check");
    STARTUP_PHASES_WRITE();
    if (m_feedback.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION) != NEW_VERSION_AVAILABLE)
        return;

    const NewVersionNotice notice = NewVersionNoticeFor(m_nDeviceType);
    {
        std::unique_ptr<CPromptDlg> prompt(new CPromptDlg(this));
        prompt->SetScale(m_fScale);
        prompt->SetPromptText(notice.text);
        prompt->SetPromptMode(PROMPT_MODE_CONFIRM);
        // Through RunModal: the frame, which this prompt does not disable,
        // must ignore a close while it is up.
        RunModal(*prompt);
    }
    if (notice.openDownloadPage)
        m_feedback.OpenToolDownUrl();
    CPngDecodeAhead::Stop();
    std::exit(0);
}

void CStellwickDlg::OnLButtonDown(UINT flags, CPoint point)
{
    // The links take no mouse input of their own, so their presses land here.
    POINT screen = {point.x, point.y};
    ClientToScreen(&screen);
    const CPoint p(screen.x, screen.y);
    if (m_stcFeedback.HitTest(p))
        m_feedback.FeedbackQuestion(TOOL_ID, TOOL_VERSION);
    if (m_stcAgreement.HitTest(p))
        m_feedback.OpenUseAgreementUrl();
    CSkinContentDlg::OnLButtonDown(flags, point);
}

BOOL CStellwickDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_CHK_AGREE:
            OnBnClickedAgree();
            return TRUE;
        case IDC_BTN_CLOSE:
            OnBnClickedClose();
            return TRUE;
        case IDC_BTN_MINIMIZE:
            OnBnClickedMinimize();
            return TRUE;
        case IDC_BTN_REPAIR:
            OnBnClickedRepair();
            return TRUE;
        case IDC_BTN_MORE_TOOLS:
            OnBnClickedMoreTools();
            return TRUE;
        default:
            break;
        }
    }
    return CSkinContentDlg::OnCommand(wParam, lParam);
}

void CStellwickDlg::OnBnClickedAgree()
{
    // Applied here on the user-interface thread: the button follows the box
    // exactly, however quickly the box is clicked.
    m_btnRepair.EnableButton(m_chkAgree.GetCheck() == BST_CHECKED ? TRUE : FALSE);
}

void CStellwickDlg::OnBnClickedClose()
{
    ::SendMessageW(GetParentHwnd(), WM_CLOSE, 0, 0);
}

void CStellwickDlg::OnBnClickedMinimize()
{
    ::PostMessageW(GetParentHwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void CStellwickDlg::OnBnClickedMoreTools()
{
    m_feedback.OpenUrl(m_toolInfo);
}

void CStellwickDlg::OnClose()
{
    // The panel is never closed on its own (that would leave an empty frame):
    // a close of the panel, e.g. Alt+F4 while it is active, closes the main window.
    OnBnClickedClose();
}

void CStellwickDlg::OnOK() {}

void CStellwickDlg::OnCancel() {}

void CStellwickDlg::OnBnClickedRepair()
{
    if (ShowPrompt(TEXT_FIRST_WARNING, PROMPT_MODE_CONFIRM_CANCEL) != 1)
        return;
    ShowPrompt(TEXT_SECOND_NOTICE, PROMPT_MODE_CONFIRM);

    if (!m_repair.StartRepair()) {
        ShowPrompt(TEXT_REPAIR_FAILED, PROMPT_MODE_CONFIRM);
        return;
    }

    // From here until the prompt's modal loop runs nothing may retrieve
    // messages: the worker's close request must find the prompt's window.
    delete m_pProgressPrompt;
    m_pProgressPrompt = nullptr;
    m_bClosePending = false;
    m_pProgressPrompt = new CExecutePromptDlg();
    m_pProgressPrompt->SetPromptText(TEXT_PROGRESS);
    m_pProgressPrompt->SetScale(m_fScale);
    RunModal(*m_pProgressPrompt);
}

LRESULT CStellwickDlg::OnCloseRepairPrompt(WPARAM, LPARAM)
{
    if (!m_pProgressPrompt)
        return 1;
    if (m_pProgressPrompt->m_hWnd && ::IsWindow(m_pProgressPrompt->m_hWnd)) {
        ::SendMessageW(m_pProgressPrompt->m_hWnd, WM_REPAIR_CLOSE_PROMPT, 0, 0);
    } else {
        // Only reachable if something retrieved messages while the prompt was
        // still being created; deliver the close as soon as it has a window.
        m_bClosePending = true;
        ::PostMessageW(m_hWnd, WM_DELIVER_PENDING_CLOSE, 0, 0);
    }
    return 1;
}

void CStellwickDlg::DeliverPendingClose()
{
    if (!m_bClosePending || !m_pProgressPrompt || !m_pProgressPrompt->m_hWnd ||
        !::IsWindow(m_pProgressPrompt->m_hWnd))
        return;
    m_bClosePending = false;
    ::SendMessageW(m_pProgressPrompt->m_hWnd, WM_REPAIR_CLOSE_PROMPT, 0, 0);
}

LRESULT CStellwickDlg::OnRepairResult(WPARAM wParam, LPARAM)
{
    // The progress prompt goes before any result is shown, also in the
    // unlikely case that its close request had to wait.
    DeliverPendingClose();

    if (wParam == REPAIR_RESULT_SUCCESS) {
        m_bRepaired = 1;
        if (ShowPrompt(TEXT_RESTART_QUESTION, PROMPT_MODE_YES_NO) == 1) {
            {
                CProblemSolvingFeedbackDlg feedback;
                feedback.SetFeedbackInformation(&m_feedback);
                RunModal(feedback);
            }
            // The forced restart ends the process wherever it is; a picture
            // still wanted later is then decoded where it is needed.
            CPngDecodeAhead::Stop();
            m_repair.RestartSystem();
        }
    } else if (wParam == REPAIR_RESULT_FAILURE) {
        ShowPrompt(TEXT_REPAIR_FAILED, PROMPT_MODE_CONFIRM);
    }
    return 1;
}

LRESULT CStellwickDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_REPAIR_RESULT:
        return OnRepairResult(wParam, lParam);
    case WM_REPAIR_CLOSE_PROMPT:
        return OnCloseRepairPrompt(wParam, lParam);
    case WM_HOOK_LBUTTONDOWN:
        // lParam pointed into the hook call and is gone by now: not read.
        return 1;
    case WM_DELIVER_PENDING_CLOSE:
        DeliverPendingClose();
        return 0;
    default:
        break;
    }
    // A measuring aid for the leak benchmark: the live GDI (wParam 0) or GDI+
    // (wParam 1) objects of our owners, answered to whoever asks by this name.
    static const UINT liveObjectCountMessage = ::RegisterWindowMessageW(L"StellwickLiveObjectCount");
    if (msg == liveObjectCountMessage)
        return LiveObjectCount::Current(wParam ? LiveObjectKind::Gdiplus : LiveObjectKind::Gdi);
    return CSkinContentDlg::WindowProc(msg, wParam, lParam);
}

void CStellwickDlg::OnDestroy()
{
    // The order matters: images before the background they share, the
    // progress prompt before the hook, the support component last.
    CDialog::OnDestroy();
    m_btnClose.FreeImages();
    m_btnMinimize.FreeImages();
    m_btnRepair.FreeImages();
    m_btnMoreTools.FreeImages();
    m_pBackground.Reset();
    KillTimer(TIMER_HOVER_RESET);
    delete m_pProgressPrompt;
    m_pProgressPrompt = nullptr;
    m_mouseHook.Uninstall();
    m_feedback.Unload();
}
