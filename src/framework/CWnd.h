// Binds a window handle to its C++ object and dispatches its messages.
//
// Every window of the program is a CWnd. Messages arrive in the virtual
// WindowProc, whose switch calls the handler named after the message
// (OnPaint, OnTimer, ...). A handler that is not overridden calls Default(),
// which passes the current message on to the window's previous procedure
// (the class procedure of a subclassed control, the dialog procedure of a dialog).
// Messages without a named handler (custom ids, commands) are handled by
// overriding WindowProc and calling the base for everything else.
//
// The handle is bound when the window is created or subclassed and unbound on
// WM_NCDESTROY, after which PostNcDestroy runs. No exception ever leaves the
// window procedure.
#pragma once

#include <windows.h>

#include <string>

#include "framework/CPoint.h"
#include "framework/CRect.h"

class CWnd
{
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return this ? m_hWnd : nullptr; }
    operator HWND() const { return m_hWnd; }

    // The object bound to a handle, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Binds an existing window (a template control) to this object by replacing
    // its window procedure; the old one stays reachable through Default().
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Thin wrappers over the Win32 calls of the same name.
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    BOOL ShowWindow(int cmd);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void SetWindowText(const std::wstring& text);
    std::wstring GetWindowText() const;
    void Invalidate(BOOL erase = TRUE);
    BOOL UpdateWindow();
    HWND GetParentHwnd() const;      // parent, or owner for an owned popup
    CWnd* GetParent() const;         // the bound object of GetParentHwnd(), or null
    HWND GetDlgItemHwnd(int id) const;
    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);
    HFONT GetFont() const;
    LONG GetStyle() const;
    LONG GetExStyle() const;
    BOOL DestroyWindow();

    // Called by the message loops before a message is dispatched; TRUE means
    // "handled, do not dispatch". The loops offer the message to the target
    // window and then to each of its bound ancestors and owners in turn.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // The shared window procedure of every bound window.
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Passes the message being handled to the previous window procedure.
    LRESULT Default();
    // Passes any message to the previous window procedure.
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Named handlers: the base passes the message on with Default().
    virtual void OnDestroy();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(HDC dc);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnMove(int x, int y);
    virtual LRESULT OnNcHitTest(CPoint screenPoint);
    // Passed on only where the window has a non-client area to paint.
    virtual void OnNcPaint();
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnClose();
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual HCURSOR OnQueryDragIcon();
    // WM_COMMAND: TRUE when handled; the base returns FALSE after Default().
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    // After the window is gone and unbound.
    virtual void PostNcDestroy();

    // Binding used by the window and dialog creation code.
    void Attach(HWND hwnd);
    void Detach();

    WNDPROC m_pfnSuper = nullptr; // previous window procedure
    // The message currently being handled, for Default().
    UINT m_curMsg = 0;
    WPARAM m_curWParam = 0;
    LPARAM m_curLParam = 0;
};
