// The main window created as the program creates it (without its modal run),
// at the scale of the test display (96 dots per inch: s = 1.0).
#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "common/WindowMessages.h"
#include "res/resource.h"
#include "ui/main/CPellmarStellwickDlg.h"
#include "ui/main/CStellwickDlg.h"
#include "support/CProblemSolvingFeedbackDlg.h"
#include "ui/toolkit/CExecutePromptDlg.h"
#include "ui/toolkit/CPromptDlg.h"
#include "ui/toolkit/WineDisplayWorkarounds.h"

#include <functional>
#include <set>

namespace {

bool g_finished = false;

// The panel ends the process with code 0 when a start-up check fails; a
// test program must not pass that way.
void FailIfEndedEarly()
{
    if (!g_finished) {
        std::fprintf(stderr, "the program ended before the tests were done\n");
        std::fflush(stderr);
        _exit(3);
    }
}

class GdiplusEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        std::atexit(FailIfEndedEarly);
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    void TearDown() override
    {
        Gdiplus::GdiplusShutdown(m_token);
        g_finished = true;
    }

private:
    ULONG_PTR m_token = 0;
};

const auto* const g_env = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

// The real frame, except that closing it removes nothing from the test's folder.
class TestFrame : public CPellmarStellwickDlg
{
public:
    int m_nRemovals = 0;

protected:
    void RemoveProgramFolder() override { ++m_nRemovals; }
};

RECT ChildRect(CStellwickDlg* panel, int id)
{
    RECT r = {};
    HWND child = ::GetDlgItem(panel->m_hWnd, id);
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, panel->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(IDD_PELLMARSTELLWICK_DIALOG, nullptr));
        m_panel = m_frame.GetPanel();
        ASSERT_NE(m_panel, nullptr);
        ASSERT_TRUE(::IsWindow(m_panel->m_hWnd));
        Pump();
    }
    void TearDown() override
    {
        if (m_frame.m_hWnd)
            m_frame.DestroyWindow();
        Pump();
    }

    TestFrame m_frame;
    CStellwickDlg* m_panel = nullptr;
};

// Shows of a window that was hidden before, on this thread, while installed.
struct ReshowCounter
{
    static ReshowCounter* current;
    HHOOK hook = nullptr;
    std::set<HWND> hidden;
    int reshows = 0;

    ReshowCounter()
    {
        current = this;
        hook = ::SetWindowsHookExW(WH_CALLWNDPROCRET, Proc, nullptr, ::GetCurrentThreadId());
    }
    ~ReshowCounter()
    {
        ::UnhookWindowsHookEx(hook);
        current = nullptr;
    }
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPRETSTRUCT* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (code == HC_ACTION && current && m->message == WM_WINDOWPOSCHANGED) {
            const UINT flags = reinterpret_cast<const WINDOWPOS*>(m->lParam)->flags;
            if (flags & SWP_HIDEWINDOW)
                current->hidden.insert(m->hwnd);
            if ((flags & SWP_SHOWWINDOW) && current->hidden.count(m->hwnd))
                ++current->reshows;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
};
ReshowCounter* ReshowCounter::current = nullptr;

// Runs a dialog through the panel; look(frame) runs every 20 ms while it is
// up and ends the dialog by returning true.
std::function<bool(HWND)> g_look;
CSkinFrameDlg* g_looked = nullptr;

void CALLBACK LookTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (g_looked && g_looked->m_hWnd && g_look && g_look(g_looked->m_hWnd)) {
        g_look = nullptr;
        ::KillTimer(nullptr, timer);
    }
}

INT_PTR RunThroughPanel(CStellwickDlg* panel, CSkinFrameDlg& dlg, std::function<bool(HWND)> look)
{
    g_look = std::move(look);
    g_looked = &dlg;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, LookTick);
    const INT_PTR result = panel->RunModal(dlg);
    ::KillTimer(nullptr, timer);
    g_looked = nullptr;
    g_look = nullptr;
    return result;
}

void ExpectRect(const RECT& r, int left, int top, int right, int bottom, const char* what)
{
    EXPECT_EQ(r.left, left) << what;
    EXPECT_EQ(r.top, top) << what;
    EXPECT_EQ(r.right, right) << what;
    EXPECT_EQ(r.bottom, bottom) << what;
}

} // namespace

TEST_F(MainWindow, FrameIsCentredAndThePanelSitsInsideItsInsets)
{
    RECT frame = {};
    RECT panel = {};
    m_frame.GetWindowRect(&frame);
    m_panel->GetWindowRect(&panel);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    ExpectRect(frame, cx / 2 - 205, cy / 2 - 305, cx / 2 - 205 + 410, cy / 2 - 305 + 611, "frame");
    ExpectRect(panel, frame.left + 5, frame.top + 4, frame.right - 5, frame.bottom - 7, "panel");
    EXPECT_TRUE(m_panel->IsWindowVisible());
    EXPECT_EQ(m_frame.GetWindowText(), L"Stellwick");
    EXPECT_NE(m_frame.GetExStyle() & WS_EX_LAYERED, 0);
}

TEST_F(MainWindow, ControlsLieWhereTheArtworkHasThemAtScaleOne)
{
    ExpectRect(ChildRect(m_panel, IDC_BTN_CLOSE), 368, 0, 394, 34, "close");
    ExpectRect(ChildRect(m_panel, IDC_BTN_MINIMIZE), 340, 0, 366, 34, "minimise");
    ExpectRect(ChildRect(m_panel, IDC_STATIC_VERSION), 188, 16, 328, 31, "version");
    ExpectRect(ChildRect(m_panel, IDC_BTN_REPAIR), 71, 240, 330, 325, "repair");
    ExpectRect(ChildRect(m_panel, IDC_BTN_MORE_TOOLS), 45, 540, 103, 558, "more tools");

    const RECT check = ChildRect(m_panel, IDC_CHK_AGREE);
    const RECT agreement = ChildRect(m_panel, IDC_STATIC_AGREEMENT);
    const RECT feedback = ChildRect(m_panel, IDC_STATIC_FEEDBACK);
    EXPECT_EQ(check.left, 8);
    for (const RECT& r : {check, agreement, feedback}) {
        EXPECT_EQ(r.top, 575);
        EXPECT_EQ(r.bottom, 595);
    }
    EXPECT_EQ(agreement.left, check.right + 6);
    EXPECT_EQ(feedback.right, 394);
    // The measured texts are not empty in the dialog font.
    EXPECT_GT(agreement.right - agreement.left, 14 * 10);
    EXPECT_GT(feedback.right - feedback.left, 12);
    EXPECT_EQ((agreement.right - agreement.left) % 14, 0);
}

TEST_F(MainWindow, VersionLabelAndAgreementGateStartAsShipped)
{
    EXPECT_EQ(::IsDlgButtonChecked(m_panel->m_hWnd, IDC_CHK_AGREE), BST_CHECKED);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(m_panel->m_hWnd, IDC_BTN_REPAIR)));
    wchar_t text[64] = {};
    ::GetDlgItemTextW(m_panel->m_hWnd, IDC_STATIC_VERSION, text, 64);
    EXPECT_STREQ(text, L"1.8.22.1024");
    // No device file under Wine: device type 0, more tools shown.
    EXPECT_EQ(m_panel->GetDeviceType(), 0);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(m_panel->m_hWnd, IDC_BTN_MORE_TOOLS)));
    EXPECT_EQ(m_panel->IsRepaired(), 0);
    EXPECT_TRUE(m_panel->GetFeedback().IsLoaded());
}

TEST_F(MainWindow, UntickingTheBoxDisablesRepairAndTickingEnablesItAgain)
{
    HWND box = ::GetDlgItem(m_panel->m_hWnd, IDC_CHK_AGREE);
    HWND repair = ::GetDlgItem(m_panel->m_hWnd, IDC_BTN_REPAIR);
    // BM_CLICK toggles the automatic box and notifies the panel like a user's click.
    ::SendMessageW(box, BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(::IsDlgButtonChecked(m_panel->m_hWnd, IDC_CHK_AGREE), BST_UNCHECKED);
    EXPECT_FALSE(::IsWindowEnabled(repair));
    ::SendMessageW(box, BM_CLICK, 0, 0);
    ::SendMessageW(box, BM_CLICK, 0, 0);
    ::SendMessageW(box, BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(::IsDlgButtonChecked(m_panel->m_hWnd, IDC_CHK_AGREE), BST_CHECKED);
    EXPECT_TRUE(::IsWindowEnabled(repair));
}

TEST_F(MainWindow, EnterAndEscapeAreDiscardedByPanelAndFrame)
{
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        MSG panelKey = {m_panel->m_hWnd, WM_KEYDOWN, key, 0, 0, {0, 0}};
        MSG frameKey = {m_frame.m_hWnd, WM_KEYDOWN, key, 0, 0, {0, 0}};
        EXPECT_TRUE(m_panel->PreTranslateMessage(&panelKey));
        EXPECT_TRUE(m_frame.PreTranslateMessage(&frameKey));
    }
    MSG other = {m_panel->m_hWnd, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(m_panel->PreTranslateMessage(&other));
}

TEST_F(MainWindow, HookMessageIsIgnoredAndAnsweredWithOne)
{
    EXPECT_EQ(::SendMessageW(m_panel->m_hWnd, WM_HOOK_LBUTTONDOWN, WM_LBUTTONDOWN, 0x1234), 1);
    EXPECT_TRUE(::IsWindow(m_panel->m_hWnd));
}

TEST_F(MainWindow, SystemMenuCarriesTheAboutItem)
{
    HMENU menu = ::GetSystemMenu(m_frame.m_hWnd, FALSE);
    ASSERT_NE(menu, nullptr);
    wchar_t text[128] = {};
    ASSERT_GT(::GetMenuStringW(menu, IDM_ABOUTBOX, text, 128, MF_BYCOMMAND), 0);
    EXPECT_STREQ(text, L"关于 PellmarStellwick(&A)...");
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_EQ(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
}

TEST_F(MainWindow, DestroyingTheWindowsReleasesThePanelAndStartsTheRemovalOnce)
{
    m_frame.DestroyWindow();
    Pump();
    EXPECT_EQ(m_frame.GetPanel(), nullptr);
    EXPECT_EQ(m_frame.m_nRemovals, 1);
}

TEST_F(MainWindow, WithoutTheWineWorkaroundsNoWindowIsHiddenAndShownAgain)
{
    // The windows as they are on Windows: made anew with the workarounds off.
    m_frame.DestroyWindow();
    Pump();
    WineDisplayWorkarounds::SwitchOffForTest(true);
    struct SwitchBackOn
    {
        ~SwitchBackOn() { WineDisplayWorkarounds::SwitchOffForTest(false); }
    } switchBackOn;
    ReshowCounter counter;
    TestFrame frame;
    ASSERT_TRUE(frame.Create(IDD_PELLMARSTELLWICK_DIALOG, nullptr));
    CStellwickDlg* panel = frame.GetPanel();
    ASSERT_NE(panel, nullptr);
    Pump();
    ::SetActiveWindow(frame.m_hWnd);
    Pump();
    const HWND main = frame.m_hWnd;
    EXPECT_EQ(::GetWindow(panel->m_hWnd, GW_OWNER), main);

    // Each pair while it is up: content and frame shown, the content owned
    // by its frame and the frame as the program owns it.
    int looks = 0;
    auto pairIsInOrder = [&](HWND pairFrame, HWND owner) {
        const CSkinFrameDlg* object = dynamic_cast<CSkinFrameDlg*>(CWnd::FromHandlePermanent(pairFrame));
        HWND content = object && object->GetContent() ? object->GetContent()->m_hWnd : nullptr;
        EXPECT_TRUE(content && ::IsWindowVisible(content) && ::IsWindowVisible(pairFrame));
        EXPECT_EQ(::GetWindow(content, GW_OWNER), pairFrame);
        EXPECT_EQ(::GetWindow(pairFrame, GW_OWNER), owner);
        ++looks;
    };
    int tick = 0;
    auto lookThenDo = [&](HWND owner, std::function<void(HWND)> end) {
        tick = 0;
        return [&, owner, end](HWND pairFrame) {
            // Looked at twice: once shown, and after the show and activation settled.
            if (++tick == 3 || tick == 15)
                pairIsInOrder(pairFrame, owner);
            if (tick < 15)
                return false;
            end(pairFrame);
            return true;
        };
    };

    CPromptDlg prompt(&frame);
    prompt.SetPromptMode(PROMPT_MODE_YES_NO);
    EXPECT_EQ(RunThroughPanel(panel, prompt,
                              lookThenDo(main, [](HWND f) { ::SendMessageW(f, WM_PROMPT_ANSWER, 2, 0); })),
              2);
    CPromptDlg ownedByPanel(panel);
    EXPECT_EQ(
        RunThroughPanel(panel, ownedByPanel,
                        lookThenDo(panel->m_hWnd, [](HWND f) { ::SendMessageW(f, WM_PROMPT_ANSWER, 1, 0); })),
        1);
    CExecutePromptDlg progress(&frame);
    EXPECT_EQ(
        RunThroughPanel(panel, progress,
                        lookThenDo(main, [](HWND f) { ::SendMessageW(f, WM_REPAIR_CLOSE_PROMPT, 0, 0); })),
        1);
    CProblemSolvingFeedbackDlg feedback(&frame);
    RunThroughPanel(panel, feedback, lookThenDo(main, [](HWND f) { ::PostMessageW(f, WM_CLOSE, 0, 0); }));
    EXPECT_EQ(looks, 8);
    Pump();
    EXPECT_EQ(counter.reshows, 0) << "a window was hidden and shown again";

    // The same counter sees the panel shown again around a prompt when the
    // workarounds run under Wine.
    WineDisplayWorkarounds::SwitchOffForTest(false);
    if (WineDisplayWorkarounds::Active()) {
        CPromptDlg again(&frame);
        RunThroughPanel(panel, again,
                        lookThenDo(main, [](HWND f) { ::SendMessageW(f, WM_PROMPT_ANSWER, 1, 0); }));
        EXPECT_GT(counter.reshows, 0);
    }
    frame.DestroyWindow();
    Pump();
}

TEST_F(MainWindow, UnderWineANewPanelComesUpOnceAndAboveItsFrame)
{
    if (!WineDisplayWorkarounds::Active())
        GTEST_SKIP() << "only Wine's display needs the panel shown after its frame";
    m_frame.DestroyWindow();
    Pump();
    ReshowCounter counter;
    TestFrame frame;
    ASSERT_TRUE(frame.Create(IDD_PELLMARSTELLWICK_DIALOG, nullptr));
    ASSERT_NE(frame.GetPanel(), nullptr);
    const HWND panel = frame.GetPanel()->m_hWnd;
    Pump();
    EXPECT_TRUE(::IsWindowVisible(panel));
    EXPECT_EQ(::GetWindow(frame.m_hWnd, GW_HWNDPREV), panel);
    EXPECT_EQ(counter.reshows, 0) << "the panel was shown before its frame and again after it";
    frame.DestroyWindow();
    Pump();
}

std::function<void()> g_step;

void CALLBACK StepTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_step)
        g_step();
}

TEST_F(MainWindow, AboutBoxClosesWithEnterAndEscAndHoldsOffAClose)
{
    for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
        bool busy = false;
        bool survivedClose = false;
        int tick = 0;
        HWND about = nullptr;
        g_step = [&] {
            if (++tick != 5)
                return;
            about = ::FindWindowW(nullptr, L"关于 PellmarStellwick");
            busy = m_panel->IsBusy();
            ::SendMessageW(m_frame.m_hWnd, WM_CLOSE, 0, 0);
            survivedClose = ::IsWindow(m_frame.m_hWnd) && about && ::IsWindow(about);
            ::SetActiveWindow(about);
            ::SetFocus(about);
            ::PostMessageW(about, WM_KEYDOWN, key, 0);
        };
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, StepTick);
        ::SendMessageW(m_frame.m_hWnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        ::KillTimer(nullptr, timer);
        g_step = nullptr;
        EXPECT_TRUE(busy) << key;
        EXPECT_TRUE(survivedClose) << key;
        EXPECT_GE(tick, 5) << "the about box ended before its key";
        EXPECT_FALSE(::IsWindow(about)) << key;
        EXPECT_FALSE(m_panel->IsBusy());
    }
}
