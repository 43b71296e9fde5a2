#include "framework/CDialog.h"

#include "framework/CWinApp.h"
#include "ui/toolkit/SkinGeometry.h"
#include "ui/toolkit/SkinRectConversion.h"

namespace {

struct TemplatePlacement
{
    bool found = false;
    DWORD style = 0;
    short x = 0;
    short y = 0;
};

// Reads the style and position of a dialog template in either of its two layouts.
TemplatePlacement ReadTemplatePlacement(UINT templateId)
{
    TemplatePlacement p;
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    if (!res)
        return p;
    DWORD size = ::SizeofResource(module, res);
    HGLOBAL loaded = ::LoadResource(module, res);
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    if (!data || size < sizeof(DLGTEMPLATE))
        return p;
    const WORD* words = reinterpret_cast<const WORD*>(data);
    if (words[0] == 1 && words[1] == 0xFFFF) {
        // Extended layout: version, signature, help id, extended style, style, item count, x, y.
        if (size < 22)
            return p;
        p.style = *reinterpret_cast<const DWORD*>(data + 12);
        p.x = *reinterpret_cast<const short*>(data + 18);
        p.y = *reinterpret_cast<const short*>(data + 20);
    } else {
        const DLGTEMPLATE* t = reinterpret_cast<const DLGTEMPLATE*>(data);
        p.style = t->style;
        p.x = t->x;
        p.y = t->y;
    }
    p.found = true;
    return p;
}

BOOL TemplateExists(UINT templateId)
{
    return ::FindResourceW(AfxGetResourceHandle(), MAKEINTRESOURCEW(templateId),
                           reinterpret_cast<LPCWSTR>(RT_DIALOG)) != nullptr;
}

RECT WorkAreaOf(HMONITOR monitor)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (monitor && ::GetMonitorInfoW(monitor, &info))
        area = info.rcWork;
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

HWND NextInChain(HWND hwnd)
{
    if (::GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hwnd);
    return ::GetWindow(hwnd, GW_OWNER);
}

// Offers a message to the object of its window and then to the objects of
// every parent and owner above it; the first that takes it ends the walk.
// The walk ends at the dialog of the running modal loop: its own windows
// decide about their keys, and an owner's filter (the main window discards
// Enter and Esc) must not take the prompt's dialog keys away from it.
BOOL WalkPreTranslate(MSG* msg, HWND modal)
{
    int guard = 0;
    for (HWND h = msg->hwnd; h && guard < 64; h = NextInChain(h), ++guard) {
        CWnd* wnd = CWnd::FromHandlePermanent(h);
        if (wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (h == modal)
            break;
    }
    return FALSE;
}

// The dialog keys belong to the top-level dialog of the window the message
// is for: the frame's to the frame, a content's to that content.
BOOL RouteDialogKeys(MSG* msg)
{
    if (!msg->hwnd)
        return FALSE;
    HWND root = ::GetAncestor(msg->hwnd, GA_ROOT);
    if (!root)
        return FALSE;
    if (!dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(root)))
        return FALSE;
    return ::IsDialogMessageW(root, msg);
}

} // namespace

INT_PTR CALLBACK DialogBootstrapProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg != WM_INITDIALOG)
        return FALSE;
    try {
        CDialog* dlg = reinterpret_cast<CDialog*>(lParam);
        if (!dlg || CWnd::FromHandlePermanent(hwnd))
            return FALSE;
        return dlg->HandleInitDialog(hwnd);
    } catch (...) {
        return TRUE;
    }
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nTemplateId(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog()
{
    // The derived parts are gone already; only the plain dialog handling runs now.
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

HWND CDialog::CreateFromTemplate(HWND owner)
{
    if (!TemplateExists(m_nTemplateId))
        return nullptr;
    return ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nTemplateId), owner,
                                DialogBootstrapProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::HandleInitDialog(HWND hwnd)
{
    Attach(hwnd);
    // From here on every message goes through WindowProc; Default() reaches the
    // dialog class procedure, which still calls our bootstrap procedure (a no-op now).
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));

    const BOOL wasVisible = ::IsWindowVisible(hwnd);
    RECT before = {};
    ::GetWindowRect(hwnd, &before);

    m_curMsg = WM_INITDIALOG;
    m_curWParam = 0;
    m_curLParam = 0;
    BOOL result = TRUE;
    try {
        result = OnInitDialog();
    } catch (...) {
        result = TRUE;
    }
    m_curMsg = 0;

    if (m_bInModalLoop && m_hWnd)
        CentreAfterInit(wasVisible, before);
    return result;
}

void CDialog::CentreAfterInit(BOOL wasVisible, const RECT& before)
{
    if (wasVisible || ::IsWindowVisible(m_hWnd))
        return;
    RECT now = {};
    ::GetWindowRect(m_hWnd, &now);
    if (now.left != before.left || now.top != before.top)
        return;
    TemplatePlacement placement = ReadTemplatePlacement(m_nTemplateId);
    if (!placement.found || placement.x != 0 || placement.y != 0)
        return;
    if (placement.style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN))
        return;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowEnabled(owner))
        return;

    RECT reference;
    RECT bounds;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &reference);
        bounds = WorkAreaOf(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST));
    } else {
        CWnd* mainWnd = AfxGetMainWnd();
        HWND mainHwnd = mainWnd ? mainWnd->m_hWnd : nullptr;
        HMONITOR monitor = (mainHwnd && ::IsWindow(mainHwnd))
                               ? ::MonitorFromWindow(mainHwnd, MONITOR_DEFAULTTOPRIMARY)
                               : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
        bounds = WorkAreaOf(monitor);
        reference = bounds;
    }

    int left = 0;
    int top = 0;
    CentreInBounds(ToSkinRect(reference), ToSkinRect(bounds), now.right - now.left, now.bottom - now.top,
                   &left, &top);
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (m_hWnd)
        return FALSE;
    m_nTemplateId = templateId;
    m_pParentWnd = parent;
    HWND owner = parent ? parent->m_hWnd : nullptr;
    return CreateFromTemplate(owner) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd || !TemplateExists(m_nTemplateId))
        return -1;

    HWND owner = nullptr;
    if (m_pParentWnd && m_pParentWnd->m_hWnd) {
        owner = m_pParentWnd->m_hWnd;
    } else {
        CWnd* mainWnd = AfxGetMainWnd();
        if (mainWnd && mainWnd != this && mainWnd->m_hWnd && ::IsWindow(mainWnd->m_hWnd))
            owner = mainWnd->m_hWnd;
    }
    // A child cannot own a dialog; its top-level window does.
    if (owner)
        owner = ::GetAncestor(owner, GA_ROOT);

    const BOOL disabledOwner = owner && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);

    m_bInModalLoop = TRUE;
    m_bEndRequested = FALSE;
    m_nModalResult = -1;

    HWND hwnd = CreateFromTemplate(owner);
    if (!hwnd) {
        m_bInModalLoop = FALSE;
        if (disabledOwner)
            ::EnableWindow(owner, TRUE);
        return -1;
    }

    if (!m_bEndRequested && ::IsWindow(hwnd) && !::IsWindowVisible(hwnd))
        ::ShowWindow(hwnd, SW_SHOWNORMAL);

    bool quit = false;
    WPARAM quitCode = 0;
    while (!m_bEndRequested && ::IsWindow(hwnd)) {
        MSG msg;
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            quitCode = msg.wParam;
            break;
        }
        if (got == -1)
            break;
        if (WalkPreTranslate(&msg, hwnd))
            continue;
        if (RouteDialogKeys(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    // The owner must be enabled before the dialog goes, or the system hands
    // activation to some other program's window.
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    if (::IsWindow(hwnd)) {
        if (owner && ::GetActiveWindow() == hwnd)
            ::SetActiveWindow(owner);
        ::DestroyWindow(hwnd);
    }
    m_bInModalLoop = FALSE;
    if (quit)
        ::PostQuitMessage(static_cast<int>(quitCode));
    return m_nModalResult;
}

void CDialog::EndDialog(INT_PTR result)
{
    m_nModalResult = result;
    m_bEndRequested = TRUE;
    if (m_bInModalLoop) {
        // Wake the loop if it is waiting for a message.
        if (m_hWnd)
            ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, result);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    return CWnd::PreTranslateMessage(msg);
}

BOOL CDialog::OnInitDialog()
{
    DoDataExchange();
    return TRUE;
}

void CDialog::DoDataExchange() {}

void CDialog::DDX_Control(int id, CWnd& control)
{
    if (!control.m_hWnd)
        control.SubclassDlgItem(static_cast<UINT>(id), this);
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}
void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CWnd::WindowProc(msg, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == BN_CLICKED || lParam == 0) {
        if (id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CDialog::OnClose()
{
    OnCancel();
}
