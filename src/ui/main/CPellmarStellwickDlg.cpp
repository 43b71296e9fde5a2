#include "ui/main/CPellmarStellwickDlg.h"

#include <string>
#include <vector>

#include "app/CAboutDlg.h"
#include "framework/StartupPhases.h"
#include "framework/CWinApp.h"
#include "common/ToolIdentity.h"
#include "res/resource.h"
#include "support/CProblemSolvingFeedbackDlg.h"
#include "support/ModuleFileName.h"
#include "support/ReportTexts.h"
#include "support/SupportLibraryPath.h"
#include "ui/main/CStellwickDlg.h"
#include "ui/main/FolderChainHold.h"
#include "ui/main/KnownShellFolders.h"
#include "ui/main/MainFramePlacement.h"
#include "ui/main/SelfRemovalPlan.h"
#include "ui/toolkit/WineDisplayWorkarounds.h"

namespace {

// Posted by the frame to itself once it has been shown.

} // namespace

CPellmarStellwickDlg::CPellmarStellwickDlg(CWnd* parent) : CSkinFrameDlg(IDD_PELLMARSTELLWICK_DIALOG, parent)
{
    m_nSkinPng = IDB_MAIN_SKIN;
    m_nContentTemplate = IDD_STELLWICK_PANEL;
    m_fBaseWidth = 410;
    m_fBaseHeight = 611;
    m_insets.left = 5;
    m_insets.top = 4;
    m_insets.right = 5;
    m_insets.bottom = 7;
    m_bOwnScale = TRUE;
    m_bRemapContentOnShow = TRUE;
    // The panel leads from the start (its drag flag is set); the frame's own
    // moves never move it.
    m_bFollow = 0;
    m_hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CPellmarStellwickDlg::~CPellmarStellwickDlg() = default;

const UINT* CPellmarStellwickDlg::FirstPaintPictures(int* count)
{
    // The skin, then the panel's pictures as its layout and first paint
    // load them: the close and minimise faces, the background, the repair
    // and more-tools faces, the check box.
    static const UINT pictures[] = {IDB_MAIN_SKIN,     IDB_CLOSE_NORMAL,      IDB_MINIMIZE_NORMAL,
                                    IDB_MAIN_BACKGROUND, IDB_REPAIR_NORMAL, IDB_MORE_TOOLS_NORMAL,
                                    IDB_CHECK_SPRITE};
    *count = static_cast<int>(sizeof pictures / sizeof pictures[0]);
    return pictures;
}

BOOL CPellmarStellwickDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN))
        return TRUE;
    return CSkinFrameDlg::PreTranslateMessage(msg);
}

CSkinContentDlg* CPellmarStellwickDlg::NewContent()
{
    CStellwickDlg* panel = new CStellwickDlg();
    panel->SetScale(m_fScale);
    return panel;
}

BOOL CPellmarStellwickDlg::OnInitDialog()
{
    STARTUP_PHASE_MARK("frame_created");
    CDialog::OnInitDialog();

    if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
        wchar_t text[256] = {};
        if (::LoadStringW(AfxGetResourceHandle(), IDS_ABOUTBOX, text, 256) > 0 && text[0]) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, text);
        }
    }
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowText(L"Stellwick");

    m_fScale = ScreenScaleFactor();
    const MainFramePlacement placement =
        ComputeMainFramePlacement(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), m_fScale);
    const int width = placement.frame.right - placement.frame.left;
    const int height = placement.frame.bottom - placement.frame.top;

    if (!RenderSkin(width, height))
        return TRUE;
    STARTUP_PHASE_MARK("skin_shown");

    m_pPanel = static_cast<CStellwickDlg*>(NewContent());
    m_pContent = m_pPanel;
    // The start-up checks run inside this creation and may end the process.
    if (!m_pPanel->Create(m_nContentTemplate, this))
        return TRUE;
    STARTUP_PHASE_MARK("panel_created");

    // The panel's drag flag is set, so this move brings the frame around it:
    // that is how the frame reaches the centred rectangle.
    m_pPanel->MoveWindow(placement.panelX, placement.panelY, placement.panelWidth, placement.panelHeight,
                         TRUE);
    STARTUP_PHASE_MARK("panel_placed");
    if (!WineDisplayWorkarounds::FrameShowsContent())
        m_pPanel->ShowWindow(SW_SHOW);
    STARTUP_PHASE_MARK("panel_shown");
    m_pPanel->LayoutControls();
    STARTUP_PHASE_MARK("laid_out");
    return TRUE;
}

void CPellmarStellwickDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        // Through the panel while there is one: the panel is disabled under
        // the about box and a close waits until it is gone.
        if (m_pPanel && m_pPanel->m_hWnd)
            m_pPanel->RunModal(about);
        else
            about.DoModal();
        return;
    }
    CSkinFrameDlg::OnSysCommand(id, lParam);
}

void CPellmarStellwickDlg::OnPaint()
{
    if (!::IsIconic(m_hWnd)) {
        CSkinFrameDlg::OnPaint();
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    ::SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client = {};
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &ps);
}

HCURSOR CPellmarStellwickDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CPellmarStellwickDlg::OnClose()
{
    // While one of the panel's modal windows is up (a prompt, a repair whose
    // worker has not reported yet, the feedback window of an earlier close,
    // the new-version prompt or the about box) a close, e.g. from the
    // taskbar, would cut the run short under it.
    if (m_pPanel && m_pPanel->IsBusy())
        return;
    if (m_pPanel) {
        if (m_pPanel->IsRepaired()) {
            const std::wstring timeText = ReportTimeTextNow();
            const std::wstring deviceText = ReportDeviceText(m_pPanel->GetDeviceType());
            m_pPanel->GetFeedback().CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, FEEDBACK_SOLVED,
                                                       timeText.c_str(), deviceText.c_str());
        } else {
            CProblemSolvingFeedbackDlg feedback;
            feedback.SetFeedbackInformation(&m_pPanel->GetFeedback());
            feedback.SetDeviceType(m_pPanel->GetDeviceType());
            m_pPanel->RunModal(feedback);
        }
    }
    CSkinFrameDlg::OnClose();
}

void CPellmarStellwickDlg::OnDestroy()
{
    // The panel's window went first and unloaded the support library; which
    // file that was outlives the panel object for the removal.
    if (m_pPanel) {
        m_strSupportLibrary = m_pPanel->GetFeedback().LoadedPath();
        m_supportLibraryIdentity = m_pPanel->GetFeedback().LoadedIdentity();
    }
    // Base handling, skin, then the panel object.
    CSkinFrameDlg::OnDestroy();
    m_pPanel = nullptr;
    RemoveProgramFolder();
}

void CPellmarStellwickDlg::RemoveProgramFolder()
{
    const std::wstring path = ModuleFileName(nullptr);
    if (path.empty())
        return;
    // Started through a short name (C:\Users\ann\DOWNLO~1\...) the path would
    // match none of the known folders.
    const std::wstring programFile = LongPathOf(path);

    const size_t cut = programFile.rfind(L'\\');
    if (cut == std::wstring::npos)
        return;
    const std::wstring folder = programFile.substr(0, cut);
    std::vector<std::wstring> entries;
    const bool complete = ListFolderEntries(folder, &entries);
    SelfRemovalFolders folders;
    folders.known = KnownShellFolders();
    folders.profiles = UserProfileFolders();
    folders.programFiles = ProgramFilesFolders();
    SelfRemovalPlan plan =
        PlanSelfRemovalWithFolders(programFile, SUPPORT_LIBRARY_FILE, entries, complete, folders);
    // Opening every known folder costs time at the end of the run: only
    // where the folder would otherwise go whole.
    if (plan.action == SelfRemovalPlan::Action::RemoveFolder &&
        IsKnownFolderByIdentity(folder, folders.known, folders.profiles)) {
        folders.knownByIdentity = true;
        plan = PlanSelfRemovalWithFolders(programFile, SUPPORT_LIBRARY_FILE, entries, complete, folders);
    }
    if (plan.action == SelfRemovalPlan::Action::Nothing)
        return;

    // The parents stay in place until the delayed command has ended, so that
    // it deletes after its wait what was judged here and nothing a rename
    // and a link put in their place would lead to. The folder itself is held
    // only where it stays: a folder that goes whole must remain deletable.
    // Where any of them cannot be held, everything stays.
    const bool folderStays = plan.action == SelfRemovalPlan::Action::DeleteProgramFiles;
    FolderChainHold hold;
    if (!hold.Hold(folder, folderStays))
        return;
    // An installed copy under another name of a Program Files folder.
    std::vector<FileIdentity> chain = hold.Identities();
    if (!folderStays)
        chain.push_back(IdentityOfPath(folder));
    if (IsAnyOfFoldersByIdentity(folder, chain, folders.programFiles))
        return;

    if (folderStays) {
        // Unloaded by now: deleted at once, and only if it is the file that was loaded.
        if (plan.deleteSupportLibrary && !m_strSupportLibrary.empty() &&
            !DeleteFileIfSame(m_strSupportLibrary, m_supportLibraryIdentity) &&
            IdentityOfPath(folder + L"\\" SUPPORT_LIBRARY_FILE).SameAs(m_supportLibraryIdentity)) {
            // Still mapped, or held open by a scanner: the very file loaded
            // goes with the delayed del, unless the pattern would take
            // another file too.
            SelfRemovalPlan withLibrary = plan;
            if (AddSupportLibraryToDelete(&withLibrary, SUPPORT_LIBRARY_FILE) &&
                PatternMatchesOnly(folder, withLibrary.libraryPattern, SUPPORT_LIBRARY_FILE))
                plan = withLibrary;
        }
        // Another file the pattern matches would go with ours: then ours stays.
        if (!PatternMatchesOnly(folder, plan.programPattern, programFile.substr(cut + 1)))
            return;
    }

    // cmd by full path from the system folder, which is also its working
    // folder: a cmd.exe or timeout.exe left in the program's folder never runs.
    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    const std::wstring systemFolder(system, length);
    const std::wstring cmd = systemFolder + L"\\cmd.exe";
    hold.HandOverTo(cmd, plan.parameters, systemFolder);
}
