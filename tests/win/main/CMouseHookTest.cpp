// The global mouse hook: left presses reach the target window as one posted
// message each, nothing else does, and every event is passed on.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/WindowMessages.h"
#include "repair/CMouseHook.h"

namespace {

// A message-only window to receive the hook's posts.
class TargetWindow
{
public:
    TargetWindow()
    {
        m_hwnd = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }
    ~TargetWindow() { ::DestroyWindow(m_hwnd); }
    HWND Get() const { return m_hwnd; }

    // Takes every hook message waiting for the window; returns how many there were.
    int TakeHookMessages(MSG* last = nullptr)
    {
        int n = 0;
        MSG msg;
        while (::PeekMessageW(&msg, m_hwnd, WM_HOOK_LBUTTONDOWN, WM_HOOK_LBUTTONDOWN, PM_REMOVE)) {
            ++n;
            if (last)
                *last = msg;
        }
        return n;
    }

private:
    HWND m_hwnd = nullptr;
};

void SendMouse(DWORD flags, DWORD data = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    ::SendInput(1, &input, sizeof(input));
}

// The low-level hook is called on this thread while it retrieves messages.
void PumpFor(DWORD ms)
{
    const DWORD end = ::GetTickCount() + ms;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (msg.message == WM_HOOK_LBUTTONDOWN)
                break;
            ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

} // namespace

TEST(CMouseHook, ConstructionClearsTheSharedStateAndNullWindowIsRefused)
{
    TargetWindow target;
    CMouseHook first;
    ASSERT_TRUE(first.SetNotifyWindow(target.Get()));
    EXPECT_EQ(CMouseHook::TargetWindow(), target.Get());
    EXPECT_FALSE(first.SetNotifyWindow(nullptr));
    EXPECT_EQ(CMouseHook::TargetWindow(), target.Get());
    CMouseHook second;
    EXPECT_EQ(CMouseHook::TargetWindow(), nullptr);
    EXPECT_EQ(CMouseHook::HookHandle(), nullptr);
}

TEST(CMouseHook, ProcedurePostsOnlyLeftPressesWithTheirOwnArguments)
{
    TargetWindow target;
    CMouseHook hook;
    ASSERT_TRUE(hook.SetNotifyWindow(target.Get()));
    MSLLHOOKSTRUCT record = {};

    for (WPARAM other : {WPARAM(WM_MOUSEMOVE), WPARAM(WM_LBUTTONUP), WPARAM(WM_RBUTTONDOWN),
                         WPARAM(WM_MBUTTONDOWN), WPARAM(WM_MOUSEWHEEL), WPARAM(WM_LBUTTONDBLCLK)})
        LowLevelMouseProc(HC_ACTION, other, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(target.TakeHookMessages(), 0);

    // The code is not looked at: any code with a left press posts.
    LowLevelMouseProc(HC_ACTION, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&record));
    LowLevelMouseProc(-1, WM_LBUTTONDOWN, reinterpret_cast<LPARAM>(&record));
    MSG last = {};
    EXPECT_EQ(target.TakeHookMessages(&last), 2);
    EXPECT_EQ(last.wParam, static_cast<WPARAM>(WM_LBUTTONDOWN));
    EXPECT_EQ(last.lParam, reinterpret_cast<LPARAM>(&record));
}

TEST(CMouseHook, InstalledHookSeesRealLeftPressesAndPassesEveryEventOn)
{
    TargetWindow target;
    CMouseHook hook;
    ASSERT_TRUE(hook.SetNotifyWindow(target.Get()));
    ASSERT_TRUE(hook.Install());
    ASSERT_NE(CMouseHook::HookHandle(), nullptr);

    // A window under the pointer that counts what reaches it: the hook must not swallow anything.
    HWND sink = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | SS_NOTIFY, 0, 0, 200,
                                  200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(sink, nullptr);
    ::SetCursorPos(100, 100);
    PumpFor(200);
    target.TakeHookMessages();

    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    SendMouse(MOUSEEVENTF_MOVE);
    SendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
    PumpFor(300);
    EXPECT_EQ(target.TakeHookMessages(), 0);

    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(300);
    EXPECT_EQ(target.TakeHookMessages(), 1);
    // The press went on to the system: the button is up again and the pointer still moves.
    EXPECT_EQ(::GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0);

    hook.Uninstall();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(300);
    EXPECT_EQ(target.TakeHookMessages(), 0);
    ::DestroyWindow(sink);
}
