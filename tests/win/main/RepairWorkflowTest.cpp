// The repair workflow driven through the real panel: the real worker runs the
// real reg commands in the test prefix, and a thread timer plays the user,
// answering each prompt as it comes up. Thread timers are dispatched by every
// modal loop of this thread, so the player sees each window while it is up.
#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "common/WindowMessages.h"
#include "framework/CWinApp.h"
#include "res/resource.h"
#include "ui/main/CPellmarStellwickDlg.h"
#include "ui/main/CStellwickDlg.h"

namespace {

// Frame widths at scale 1.0, which tell the windows of the pairs apart.
constexpr int PROMPT_WIDTH = 336;
constexpr int PROGRESS_WIDTH = 232;
constexpr int FEEDBACK_WIDTH = 410;

class WorkflowFrame : public CPellmarStellwickDlg
{
protected:
    void RemoveProgramFolder() override {}
};

struct PromptSeen
{
    BOOL panelEnabled = TRUE;
    BOOL frameEnabled = TRUE;
    bool progressVisible = false;
};

// What the player saw, and how it answers. Answers: the nth entry for the nth
// prompt (1 first button, 2 second); prompts past the list get 2.
struct Player
{
    HWND frame = nullptr;
    HWND panel = nullptr;
    std::vector<WPARAM> answers;
    bool closeMainWhileProgress = false;

    std::vector<PromptSeen> prompts;
    int progressTicks = 0;
    bool closeSent = false;
    bool sawFeedback = false;
};

Player* g_player = nullptr;

struct Windows
{
    std::vector<HWND> frames; // pair frames owned by the main frame
    Player* player;
};

BOOL CALLBACK CollectFrame(HWND hwnd, LPARAM lParam)
{
    Windows* w = reinterpret_cast<Windows*>(lParam);
    if (hwnd != w->player->panel && hwnd != w->player->frame && ::IsWindowVisible(hwnd) &&
        ::GetWindow(hwnd, GW_OWNER) == w->player->frame)
        w->frames.push_back(hwnd);
    return TRUE;
}

int Width(HWND hwnd)
{
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return r.right - r.left;
}

void CALLBACK PlayerTick(HWND, UINT, UINT_PTR, DWORD)
{
    Player* p = g_player;
    if (!p)
        return;
    Windows w{{}, p};
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectFrame, reinterpret_cast<LPARAM>(&w));

    HWND prompt = nullptr;
    HWND feedback = nullptr;
    bool progress = false;
    for (HWND h : w.frames) {
        const int width = Width(h);
        if (width == PROMPT_WIDTH)
            prompt = h;
        else if (width == FEEDBACK_WIDTH)
            feedback = h;
        else if (width == PROGRESS_WIDTH)
            progress = true;
    }

    if (feedback) {
        p->sawFeedback = true;
        ::PostMessageW(feedback, WM_CLOSE, 0, 0);
        return;
    }
    if (prompt) {
        PromptSeen seen;
        seen.panelEnabled = ::IsWindowEnabled(p->panel);
        seen.frameEnabled = ::IsWindowEnabled(p->frame);
        seen.progressVisible = progress;
        const size_t n = p->prompts.size();
        p->prompts.push_back(seen);
        // Answered at once: the prompt's modal loop ends before the next tick.
        ::SendMessageW(prompt, WM_PROMPT_ANSWER, n < p->answers.size() ? p->answers[n] : 2, 0);
        return;
    }
    if (progress) {
        ++p->progressTicks;
        if (p->closeMainWhileProgress && !p->closeSent) {
            p->closeSent = true;
            ::SendMessageW(p->frame, WM_CLOSE, 0, 0);
        }
    }
}

class RepairWorkflow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(IDD_PELLMARSTELLWICK_DIALOG, nullptr));
        m_panel = m_frame.GetPanel();
        ASSERT_NE(m_panel, nullptr);
        // As in the program: prompts without a parent are owned by the main window.
        m_app.m_pMainWnd = &m_frame;
        m_player.frame = m_frame.m_hWnd;
        m_player.panel = m_panel->m_hWnd;
        g_player = &m_player;
        m_timer = ::SetTimer(nullptr, 0, 40, PlayerTick);
        ASSERT_NE(m_timer, 0u);
    }
    void TearDown() override
    {
        ::KillTimer(nullptr, m_timer);
        g_player = nullptr;
        m_app.m_pMainWnd = nullptr;
        if (m_frame.m_hWnd)
            m_frame.DestroyWindow();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }

    CWinApp m_app;
    WorkflowFrame m_frame;
    CStellwickDlg* m_panel = nullptr;
    Player m_player;
    UINT_PTR m_timer = 0;
};

} // namespace

TEST_F(RepairWorkflow, CancelledWarningEndsEverythingWithThePanelUsableAgain)
{
    m_player.answers = {2};
    m_panel->OnBnClickedRepair();

    ASSERT_EQ(m_player.prompts.size(), 1u);
    // While the warning is up neither the frame nor the panel takes input,
    // so the repair button cannot be pressed a second time.
    EXPECT_FALSE(m_player.prompts[0].panelEnabled);
    EXPECT_FALSE(m_player.prompts[0].frameEnabled);
    EXPECT_EQ(m_player.progressTicks, 0);
    EXPECT_EQ(m_panel->GetProgressPrompt(), nullptr);
    EXPECT_EQ(m_panel->IsRepaired(), 0);
    EXPECT_TRUE(::IsWindowEnabled(m_panel->m_hWnd));
    EXPECT_TRUE(::IsWindowEnabled(m_frame.m_hWnd));
}

TEST_F(RepairWorkflow, RepairRunsToTheRestartQuestionWithTheProgressPromptGoneAndDeclinedKeepsTheTool)
{
    // Warning confirmed, notice confirmed, restart declined.
    m_player.answers = {1, 1, 2};
    // A close of the main window while the worker runs must not cut the repair short.
    m_player.closeMainWhileProgress = true;
    m_panel->OnBnClickedRepair();

    // The worker's result comes as a sent message, taken whenever this thread
    // next looks for messages: wait for the result prompt.
    const DWORD end = ::GetTickCount() + 60000;
    while (m_player.prompts.size() < 3 && static_cast<int>(end - ::GetTickCount()) > 0) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }

    ASSERT_EQ(m_player.prompts.size(), 3u);
    EXPECT_GT(m_player.progressTicks, 0);
    EXPECT_TRUE(m_player.closeSent);
    EXPECT_FALSE(m_player.sawFeedback) << "closing during the repair opened the feedback window";
    EXPECT_TRUE(m_frame.IsWindowVisible()) << "closing during the repair closed the main window";
    for (size_t i = 0; i < m_player.prompts.size(); ++i) {
        EXPECT_FALSE(m_player.prompts[i].panelEnabled) << "prompt " << i;
        EXPECT_FALSE(m_player.prompts[i].frameEnabled) << "prompt " << i;
    }
    // The result is not shown over a progress prompt that has already ended.
    EXPECT_FALSE(m_player.prompts[2].progressVisible);
    // In the Chinese prefix reg reports success: the restart question was the third prompt.
    EXPECT_EQ(m_panel->IsRepaired(), 1);
    EXPECT_NE(m_panel->GetProgressPrompt(), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(m_panel->m_hWnd));
    EXPECT_TRUE(::IsWindowEnabled(m_frame.m_hWnd));
}
