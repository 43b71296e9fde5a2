#include "framework/CWnd.h"

#include <unordered_map>
#include <vector>

namespace {

// The object of each attached window. Every message looks its window up, so
// the table is the process's own: a window property would be a request to
// the window manager for each message. An entry goes at WM_NCDESTROY or when
// the object lets go of the window, whichever comes first.
SRWLOCK g_tableLock = SRWLOCK_INIT;

std::unordered_map<HWND, CWnd*>& Table()
{
    static std::unordered_map<HWND, CWnd*>* table = new std::unordered_map<HWND, CWnd*>();
    return *table;
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    // A control object may die before its window (its dialog object is
    // destroyed while the dialog still exists): give the window its own
    // procedure back so no message reaches a dead object.
    if (m_hWnd) {
        if (::IsWindow(m_hWnd) && m_pfnSuper &&
            reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &CWnd::StaticWindowProc)
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    ::AcquireSRWLockShared(&g_tableLock);
    const auto found = Table().find(hwnd);
    CWnd* wnd = found == Table().end() ? nullptr : found->second;
    ::ReleaseSRWLockShared(&g_tableLock);
    return wnd;
}

void CWnd::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    ::AcquireSRWLockExclusive(&g_tableLock);
    Table()[hwnd] = this;
    ::ReleaseSRWLockExclusive(&g_tableLock);
}

void CWnd::Detach()
{
    if (m_hWnd) {
        ::AcquireSRWLockExclusive(&g_tableLock);
        const auto found = Table().find(m_hWnd);
        if (found != Table().end() && found->second == this)
            Table().erase(found);
        ::ReleaseSRWLockExclusive(&g_tableLock);
    }
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || !::IsWindow(hwnd) || FromHandlePermanent(hwnd))
        return FALSE;
    Attach(hwnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
    if (!m_pfnSuper) {
        Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent || !parent->m_hWnd)
        return FALSE;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (!hwnd)
        return nullptr;
    if (m_pfnSuper)
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    return hwnd;
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);

    // Handlers may send messages to their own window; keep the outer message
    // for the Default() calls that follow the nested one.
    const UINT savedMsg = wnd->m_curMsg;
    const WPARAM savedWParam = wnd->m_curWParam;
    const LPARAM savedLParam = wnd->m_curLParam;
    wnd->m_curMsg = msg;
    wnd->m_curWParam = wParam;
    wnd->m_curLParam = lParam;

    LRESULT result = 0;
    try {
        result = wnd->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's dispatcher.
        result = 0;
    }

    if (msg == WM_NCDESTROY) {
        WNDPROC super = wnd->m_pfnSuper;
        if (super && reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &CWnd::StaticWindowProc)
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        wnd->m_pfnSuper = nullptr;
        wnd->Detach();
        wnd->m_curMsg = 0;
        try {
            wnd->PostNcDestroy(); // may delete the object
        } catch (...) {
        }
        return result;
    }

    wnd->m_curMsg = savedMsg;
    wnd->m_curWParam = savedWParam;
    wnd->m_curLParam = savedLParam;
    return result;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_MOVE:
        OnMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case WM_NCHITTEST:
        return OnNcHitTest(CPoint::FromLParam(lParam));
    case WM_NCPAINT:
        OnNcPaint();
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), CPoint::FromLParam(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wParam), CPoint::FromLParam(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wParam), CPoint::FromLParam(lParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    case WM_COMMAND:
        // The base handler has already passed the command on when it returns FALSE.
        OnCommand(wParam, lParam);
        return 0;
    default:
        return DefWindowProc(msg, wParam, lParam);
    }
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_curMsg, m_curWParam, m_curLParam);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWnd)
        return 0;
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
}

void CWnd::OnDestroy() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }

void CWnd::OnNcPaint()
{
    // A control without border, edge or scroll bar has no non-client area,
    // so there is nothing to paint there. The default would still take a
    // window DC for it, once in every paint of every skinned control.
    const LONG style = GetStyle();
    const LONG exStyle = GetExStyle();
    const LONG frames = WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL;
    const LONG edges = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
    if (!(style & WS_CHILD) || (style & frames) || (exStyle & edges))
        Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

BOOL CWnd::OnCommand(WPARAM, LPARAM)
{
    Default();
    return FALSE;
}

void CWnd::PostNcDestroy() {}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

BOOL CWnd::MoveWindow(const RECT& rect, BOOL repaint)
{
    return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

BOOL CWnd::ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }

void CWnd::GetWindowRect(LPRECT rect) const
{
    if (!::GetWindowRect(m_hWnd, rect))
        ::SetRectEmpty(rect);
}

void CWnd::GetClientRect(LPRECT rect) const
{
    if (!::GetClientRect(m_hWnd, rect))
        ::SetRectEmpty(rect);
}

void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }

std::wstring CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthW(m_hWnd);
    if (length <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    int got = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    return std::wstring(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
BOOL CWnd::UpdateWindow() { return ::UpdateWindow(m_hWnd); }

HWND CWnd::GetParentHwnd() const
{
    if (!m_hWnd)
        return nullptr;
    if (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(m_hWnd);
    return ::GetWindow(m_hWnd, GW_OWNER);
}

CWnd* CWnd::GetParent() const { return FromHandlePermanent(GetParentHwnd()); }

HWND CWnd::GetDlgItemHwnd(int id) const { return ::GetDlgItem(m_hWnd, id); }

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageW(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageW(m_hWnd, msg, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

HFONT CWnd::GetFont() const
{
    return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}

LONG CWnd::GetStyle() const { return ::GetWindowLongW(m_hWnd, GWL_STYLE); }
LONG CWnd::GetExStyle() const { return ::GetWindowLongW(m_hWnd, GWL_EXSTYLE); }

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}
