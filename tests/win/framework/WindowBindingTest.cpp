#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "FrameworkTestSupport.h"
#include "framework/CGdiHandle.h"
#include "framework/LiveObjectCount.h"
#include "framework/WineHost.h"
#include "ui/toolkit/COffscreenBuffer.h"

using namespace fwtest;

namespace {

// A button that counts the presses it sees through its own window procedure
// and keeps the platform's behaviour for everything.
class CCountingButton : public CButton
{
public:
    int lButtonDowns = 0;
    bool postNcDestroyRan = false;

protected:
    void OnLButtonDown(UINT flags, CPoint point) override
    {
        ++lButtonDowns;
        CButton::OnLButtonDown(flags, point);
    }
    void PostNcDestroy() override { postNcDestroyRan = true; }
};

class CBoundDialog : public CScriptedDialog
{
public:
    CBoundDialog() : CScriptedDialog(kPlainTemplate) {}
    CCountingButton m_btn;
    CButton m_chk;
    int commandsFromButton = 0;
    int timerThrows = 0;

protected:
    void DoDataExchange() override
    {
        DDX_Control(kButtonId, m_btn);
        DDX_Control(kCheckId, m_chk);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED) {
            ++commandsFromButton;
            return TRUE;
        }
        return CScriptedDialog::OnCommand(wParam, lParam);
    }
    void OnTimer(UINT_PTR id) override
    {
        if (id == 9) {
            ++timerThrows;
            KillTimer(9);
            throw std::runtime_error("handler failure");
        }
        CScriptedDialog::OnTimer(id);
    }
};

} // namespace

TEST(WindowBinding, TemplateControlsAreBoundAndKeepTheirBehaviour)
{
    CBoundDialog dlg;
    HWND buttonHwnd = nullptr;
    int checkAfterClick = -1;
    int checkAfterSet = -1;
    bool bound = false;
    dlg.onRunning = [&](CScriptedDialog& d) {
        buttonHwnd = dlg.m_btn.m_hWnd;
        bound = CWnd::FromHandlePermanent(buttonHwnd) == &dlg.m_btn && CWnd::FromHandlePermanent(d.m_hWnd) == &d &&
                dlg.m_btn.GetParent() == &d;
        // A click reaches the object and the platform still toggles the box.
        ::SendMessageW(dlg.m_chk.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        ::SendMessageW(dlg.m_chk.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        checkAfterClick = dlg.m_chk.GetCheck();
        dlg.m_chk.SetCheck(BST_UNCHECKED);
        checkAfterSet = dlg.m_chk.GetCheck();
        ::SendMessageW(buttonHwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        ::SendMessageW(buttonHwnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        d.Command(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_TRUE(bound);
    EXPECT_EQ(checkAfterClick, BST_CHECKED);
    EXPECT_EQ(checkAfterSet, BST_UNCHECKED);
    EXPECT_EQ(dlg.m_btn.lButtonDowns, 1);
    EXPECT_EQ(dlg.commandsFromButton, 1) << "the subclassed button still sends its click";

    // Unbound with the window, and told so afterwards.
    EXPECT_EQ(dlg.m_btn.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_chk.m_hWnd, nullptr);
    EXPECT_TRUE(dlg.m_btn.postNcDestroyRan);
    EXPECT_FALSE(::IsWindow(buttonHwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(buttonHwnd), nullptr);
}

TEST(WindowBinding, ExceptionInAHandlerStaysInsideTheWindowProcedure)
{
    CBoundDialog dlg;
    // The timer throws once; the run goes on and is ended by a later command.
    struct CEnder
    {
        static void CALLBACK Fire(HWND hwnd, UINT, UINT_PTR id, DWORD)
        {
            ::KillTimer(hwnd, id);
            ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    };
    dlg.onRunning = [&](CScriptedDialog& d) {
        d.SetTimer(9, 10);
        ::SetTimer(d.m_hWnd, 10, 200, &CEnder::Fire);
    };
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(dlg.timerThrows, 1);
}

TEST(WindowBinding, SubclassRulesAndUnsubclass)
{
    COwnerWindow owner(10, 10, 100, 100);
    CWnd other;
    EXPECT_FALSE(other.SubclassWindow(owner.m_hWnd)) << "a window has one object";
    EXPECT_FALSE(other.SubclassWindow(nullptr));
    EXPECT_EQ(CWnd::FromHandlePermanent(owner.m_hWnd), &owner);

    HWND h = owner.UnsubclassWindow();
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(h, GWLP_WNDPROC)), &::DefWindowProcW);
    EXPECT_TRUE(other.SubclassWindow(h));
    EXPECT_EQ(CWnd::FromHandlePermanent(h), &other);
    EXPECT_EQ(::SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(50, 50)), HTCLIENT);
    ::DestroyWindow(h);
    EXPECT_EQ(other.m_hWnd, nullptr);
}

TEST(WindowBinding, ObjectDroppedBeforeItsWindowGivesTheWindowBack)
{
    CScriptedDialog dlg(kPlainTemplate);
    ASSERT_TRUE(dlg.Create(kPlainTemplate, nullptr));
    HWND button = dlg.GetDlgItemHwnd(kButtonId);
    WNDPROC classProc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(button, GWLP_WNDPROC));
    {
        CButton temporary;
        ASSERT_TRUE(temporary.SubclassDlgItem(kButtonId, &dlg));
        EXPECT_NE(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(button, GWLP_WNDPROC)), classProc);
    }
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(button, GWLP_WNDPROC)), classProc);
    EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);
    // Still a working button.
    ::SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(::IsWindow(button));
    HWND dialog = dlg.m_hWnd;
    dlg.DestroyWindow();
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST(WindowBinding, WrappersAnswerLikeTheSystem)
{
    COwnerWindow w(30, 40, 200, 120);
    w.SetWindowText(L"修复工具");
    EXPECT_EQ(w.GetWindowText(), L"修复工具");
    RECT r;
    w.GetWindowRect(&r);
    EXPECT_EQ(CRect(r), CRect(30, 40, 230, 160));
    EXPECT_TRUE(w.MoveWindow(CRect(5, 6, 105, 56)));
    w.GetWindowRect(&r);
    EXPECT_EQ(CRect(r), CRect(5, 6, 105, 56));
    CPoint p(0, 0);
    w.ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(5, 6));
    CRect c(1, 2, 3, 4);
    w.ClientToScreen(&c);
    EXPECT_EQ(c, CRect(6, 8, 8, 10));
    w.ScreenToClient(&c);
    EXPECT_EQ(c, CRect(1, 2, 3, 4));
    EXPECT_EQ(w.GetParentHwnd(), nullptr);
    EXPECT_TRUE(w.IsWindowVisible());
    EXPECT_TRUE(w.IsWindowEnabled());
    EXPECT_TRUE(w.GetStyle() & WS_POPUP);
    EXPECT_EQ(CPoint::FromLParam(MAKELPARAM(-3, 7)), CPoint(-3, 7));
}

namespace {

// Counts, per window, the non-client paints that reach the class's own procedure.
LRESULT CALLBACK CountNcPaints(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCPAINT)
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, ::GetWindowLongPtrW(hwnd, GWLP_USERDATA) + 1);
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

TEST(WindowBinding, NonClientPaintIsPassedOnOnlyWhereThereIsANonClientArea)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &CountNcPaints;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"StellwickNcPaintCount";
    ::RegisterClassW(&wc);
    COwnerWindow owner(20, 20, 300, 120);
    struct Case
    {
        DWORD style;
        DWORD exStyle;
        bool passedOn;
    };
    const Case cases[] = {{0, 0, false},
                          {WS_BORDER, 0, true},
                          {0, WS_EX_CLIENTEDGE, true},
                          {WS_VSCROLL, 0, true},
                          {0, WS_EX_STATICEDGE, true}};
    std::vector<std::unique_ptr<CWnd>> children;
    int x = 0;
    for (const Case& c : cases) {
        HWND child = ::CreateWindowExW(c.exStyle, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE | c.style, x,
                                       10, 50, 50, owner.m_hWnd, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(child, nullptr);
        x += 60;
        children.push_back(std::make_unique<CWnd>());
        ASSERT_TRUE(children.back()->SubclassWindow(child));
    }
    ::RedrawWindow(owner.m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (size_t i = 0; i < children.size(); ++i) {
        const LONG_PTR reached = ::GetWindowLongPtrW(children[i]->m_hWnd, GWLP_USERDATA);
        if (cases[i].passedOn)
            EXPECT_GE(reached, 1) << "case " << i << ": its border or scroll bar must still be drawn";
        else
            EXPECT_EQ(reached, 0) << "case " << i << ": a bare control has no non-client area";
    }
    for (auto& child : children)
        child->DestroyWindow();
}

TEST(WindowBinding, OffscreenBufferAndHandleOwnersBalanceTheirCounts)
{
    const long gdiBefore = LiveObjectCount::Current(LiveObjectKind::Gdi);
    HDC screen = ::GetDC(nullptr);
    {
        COffscreenBuffer buffer;
        ASSERT_TRUE(buffer.Create(screen, 40, 20));
        EXPECT_EQ(buffer.Width(), 40);
        EXPECT_EQ(buffer.Height(), 20);
        EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdi), gdiBefore + 2);
        // The bitmap really is selected: a pixel written shows up when blitted.
        ::SetPixel(buffer.Dc(), 39, 19, RGB(10, 200, 30));
        COffscreenBuffer copy;
        ASSERT_TRUE(copy.Create(screen, 40, 20));
        buffer.BlitTo(copy.Dc());
        EXPECT_EQ(::GetPixel(copy.Dc(), 39, 19), RGB(10, 200, 30));
        // Made again: the old objects go first.
        ASSERT_TRUE(buffer.Create(screen, 8, 8));
        EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdi), gdiBefore + 4);
        EXPECT_FALSE(buffer.Create(screen, 0, 8));
        EXPECT_FALSE(buffer.IsCreated());
        EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdi), gdiBefore + 2);
    }
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdi), gdiBefore);

    {
        CBrushHandle a(::CreateSolidBrush(RGB(1, 2, 3)));
        CBrushHandle b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_TRUE(b);
        EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdi), gdiBefore + 1);
    }
    EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdi), gdiBefore);
}

TEST(WinApp, RestartRegistrationAndSettingsKey)
{
    CWinApp& app = TestApp();
    EXPECT_EQ(CWinApp::GetApp(), &app);
    EXPECT_EQ(AfxGetResourceHandle(), ::GetModuleHandleW(nullptr));
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(AfxGetMainWnd(), nullptr);

    app.m_dwRestartManagerSupportFlags = 0;
    EXPECT_TRUE(app.InitInstance());
    EXPECT_FALSE(app.IsRestartRegistered());
    app.m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
    EXPECT_TRUE(app.InitInstance());
    EXPECT_TRUE(app.IsRestartRegistered());
    EXPECT_EQ(app.ExitInstance(), 0);

    app.SetRegistryKey(L"应用程序向导生成的本地应用程序");
    EXPECT_EQ(app.GetRegistryKey(), L"应用程序向导生成的本地应用程序");
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\应用程序向导生成的本地应用程序", 0, KEY_READ, &key),
              ERROR_SUCCESS)
        << "nothing is written under the settings key";
    if (key)
        ::RegCloseKey(key);
}

namespace {

double WorkingSetMiB()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// Writes a pattern into every frame on the way down and checks it on the
// way back: about depth kilobytes of stack in use at the deepest point.
unsigned DeepCalls(int depth)
{
    volatile unsigned char frame[1024];
    for (unsigned i = 0; i < sizeof frame; ++i)
        frame[i] = static_cast<unsigned char>(depth + i);
    const unsigned below = depth > 0 ? DeepCalls(depth - 1) : 0;
    for (unsigned i = 0; i < sizeof frame; ++i) {
        if (frame[i] != static_cast<unsigned char>(depth + i))
            return 0xFFFFFFFFu;
    }
    return below == 0xFFFFFFFFu ? below : below + 1;
}

struct StackThread
{
    HANDLE give = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE given = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE deep = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    unsigned result = 0;

    static DWORD WINAPI Run(void* p)
    {
        auto* self = static_cast<StackThread*>(p);
        ::WaitForSingleObject(self->give, INFINITE);
        WineHost::ReturnUnusedStack();
        ::SetEvent(self->given);
        ::WaitForSingleObject(self->deep, INFINITE);
        self->result = DeepCalls(600);
        return 0;
    }
};

} // namespace

TEST(WineHost, AThreadThatGivesBackItsUnusedStackStillRunsDeepCallsOnIt)
{
    StackThread t;
    ASSERT_TRUE(t.give && t.given && t.deep);
    HANDLE thread = ::CreateThread(nullptr, 0, &StackThread::Run, &t, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ::Sleep(100);
    const double before = WorkingSetMiB();
    ::SetEvent(t.give);
    ASSERT_EQ(::WaitForSingleObject(t.given, 10000), WAIT_OBJECT_0);
    const double after = WorkingSetMiB();
    if (WineHost::Detected()) {
        EXPECT_GT(before - after, 0.5) << "before " << before << " MiB, after " << after << " MiB";
    }
    ::SetEvent(t.deep);
    ASSERT_EQ(::WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(t.result, 601u) << "a frame lost what it had written";
    ::CloseHandle(thread);
    ::CloseHandle(t.give);
    ::CloseHandle(t.given);
    ::CloseHandle(t.deep);
}
