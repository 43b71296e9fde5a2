// The main panel's controls under the pointer and the keyboard.
#include "CJournal.h"
#include "E2eFixture.h"
#include "Poll.h"
#include "UserInput.h"

namespace {

const char* const LINK_SETTINGS =
    "[Component]\r\nInitResult=1\r\nOpenPages=0\r\n[ToolInfo]\r\nText4=https://tools.example/more\r\n";

bool RepairEnabled(const MainWindow& main) { return IsWindowEnabled(GetDlgItem(main.panel, PANEL_REPAIR)) != FALSE; }

LRESULT AgreeState(const MainWindow& main)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutW(GetDlgItem(main.panel, PANEL_AGREE), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return static_cast<LRESULT>(state);
}

} // namespace

class Controls : public E2eFixture
{
};

TEST_F(Controls, AgreementBoxGatesTheRepairButton)
{
    CToolRun run(L"controls-agree");
    PrepareStandardRun(run);
    MainWindow main;
    StartAndWaitReady(run, &main);
    DWORD pid = run.ProcessId();

    EXPECT_EQ(AgreeState(main), BST_CHECKED) << "the box starts ticked";
    EXPECT_TRUE(RepairEnabled(main));
    ASSERT_TRUE(ClickControl(main.panel, PANEL_AGREE));
    EXPECT_TRUE(PollUntil([&] { return !RepairEnabled(main); }, 3000)) << "unticking left the repair button enabled";
    EXPECT_EQ(AgreeState(main), BST_UNCHECKED);
    // A press on the disabled button starts nothing.
    ASSERT_TRUE(ClickControl(main.panel, PANEL_REPAIR));
    PromptView none;
    EXPECT_FALSE(WaitForPrompt(pid, 1000, &none)) << "a prompt opened: " << Utf8(none.text);

    ASSERT_TRUE(ClickControl(main.panel, PANEL_AGREE));
    EXPECT_TRUE(PollUntil([&] { return RepairEnabled(main); }, 3000)) << "ticking left the repair button disabled";
    EXPECT_EQ(AgreeState(main), BST_CHECKED);

    // Quick successive clicks end in the state of the box.
    for (int i = 0; i < 5; ++i)
        ClickControl(main.panel, PANEL_AGREE);
    EXPECT_EQ(AgreeState(main), BST_UNCHECKED);
    EXPECT_TRUE(PollUntil([&] { return !RepairEnabled(main); }, 3000));
    Sleep(300);
    EXPECT_FALSE(RepairEnabled(main));
}

TEST_F(Controls, EachLinkPressJournalsOneCall)
{
    CToolRun run(L"controls-links");
    PrepareStandardRun(run, LINK_SETTINGS);
    MainWindow main;
    StartAndWaitReady(run, &main);
    size_t before = CJournal::Lines().size();

    ASSERT_TRUE(ClickControl(main.panel, PANEL_AGREEMENT));
    EXPECT_TRUE(PollUntil([] { return CJournal::CountOf("OpenUseAgreementUrl") == 1; }, 3000));
    ASSERT_TRUE(ClickControl(main.panel, PANEL_FEEDBACK));
    EXPECT_TRUE(PollUntil([] { return CJournal::CountOf("FeedbackQuestion") == 1; }, 3000));
    auto questions = CJournal::CallsOf("FeedbackQuestion");
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "FeedbackQuestion 10009 1.8.22.1024");

    EXPECT_TRUE(ControlVisible(main.panel, PANEL_MORE_TOOLS)) << "more tools is shown for device type 0";
    ASSERT_TRUE(ClickControl(main.panel, PANEL_MORE_TOOLS));
    EXPECT_TRUE(PollUntil([] { return CJournal::CountOf("OpenUrl") == 1; }, 3000));
    auto opened = CJournal::CallsOf("OpenUrl");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "OpenUrl https://tools.example/more");

    // The version label is no link.
    ASSERT_TRUE(ClickControl(main.panel, PANEL_VERSION));
    Sleep(700);
    EXPECT_EQ(CJournal::Lines().size(), before + 3);
    EXPECT_EQ(CJournal::CountOf("OpenUseAgreementUrl"), 1u);
    EXPECT_EQ(CJournal::CountOf("FeedbackQuestion"), 1u);
    EXPECT_EQ(CJournal::CountOf("OpenUrl"), 1u);
    EXPECT_EQ(Utf8(ControlText(main.panel, PANEL_VERSION)), "1.8.22.1024");
}

TEST_F(Controls, EscapeAndEnterDoNothing)
{
    CToolRun run(L"controls-keys");
    PrepareStandardRun(run);
    MainWindow main;
    StartAndWaitReady(run, &main);
    DWORD pid = run.ProcessId();
    size_t before = CJournal::Lines().size();

    SetForegroundWindow(main.frame);
    Sleep(100);
    PressKey(VK_ESCAPE);
    PressKey(VK_RETURN);
    // The box takes the focus when clicked (and is unticked by it); the keys
    // then go to the panel.
    ASSERT_TRUE(ClickControl(main.panel, PANEL_AGREE));
    ASSERT_TRUE(PollUntil([&] { return AgreeState(main) == BST_UNCHECKED; }, 3000));
    PressKey(VK_ESCAPE);
    PressKey(VK_RETURN);
    Sleep(700);
    EXPECT_TRUE(run.IsRunning());
    EXPECT_TRUE(IsWindowVisible(main.frame));
    EXPECT_TRUE(IsWindowVisible(main.panel));
    EXPECT_EQ(FindPrompt(pid).content, nullptr);
    EXPECT_EQ(FindFeedbackContent(pid), nullptr);
    EXPECT_EQ(CJournal::Lines().size(), before);
    EXPECT_EQ(AgreeState(main), BST_UNCHECKED);

    // The keys do arrive: the space bar ticks the focused box again.
    PressKey(VK_SPACE);
    EXPECT_TRUE(PollUntil([&] { return AgreeState(main) == BST_CHECKED; }, 3000)) << "no key reached the panel";
    EXPECT_TRUE(PollUntil([&] { return RepairEnabled(main); }, 3000));
}

TEST_F(Controls, MinimiseMinimisesBothWindows)
{
    CToolRun run(L"controls-minimise");
    PrepareStandardRun(run);
    MainWindow main;
    StartAndWaitReady(run, &main);

    ASSERT_TRUE(ClickControl(main.panel, PANEL_MINIMISE));
    EXPECT_TRUE(PollUntil([&] { return IsIconic(main.frame) != FALSE; }, 3000)) << "the frame is not minimised";
    EXPECT_TRUE(PollUntil([&] { return IsWindowVisible(main.panel) == FALSE; }, 3000)) << "the panel stayed";
    EXPECT_TRUE(run.IsRunning());
}
