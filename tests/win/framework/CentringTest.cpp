#include <gtest/gtest.h>

#include "FrameworkTestSupport.h"

using namespace fwtest;

namespace {

class Centring : public ::testing::Test
{
protected:
    void SetUp() override { TestApp().m_pMainWnd = nullptr; }
    void TearDown() override { TestApp().m_pMainWnd = nullptr; }

    // Runs a dialog of the template and returns its rectangle as seen inside the run.
    RECT RunAndMeasure(UINT templateId, CWnd* owner, std::function<void(CScriptedDialog&)> onInit = nullptr)
    {
        CScriptedDialog dlg(templateId, owner);
        dlg.onInit = std::move(onInit);
        dlg.onRunning = [](CScriptedDialog& d) { d.Command(IDOK); };
        EXPECT_EQ(dlg.DoModal(), 1);
        EXPECT_TRUE(dlg.ran);
        return dlg.rectWhenRunning;
    }
};

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

} // namespace

TEST_F(Centring, VisibleOwnerIsTheReference)
{
    COwnerWindow owner(101, 80, 501, 301);
    RECT r = RunAndMeasure(kPlainTemplate, &owner);
    RECT o;
    ::GetWindowRect(owner.m_hWnd, &o);
    EXPECT_EQ(r.left, (o.left + o.right) / 2 - Width(r) / 2);
    EXPECT_EQ(r.top, (o.top + o.bottom) / 2 - Height(r) / 2);
}

TEST_F(Centring, OwnerNearTheEdgeIsClampedIntoTheWorkArea)
{
    RECT work = WorkAreaFor(nullptr);
    COwnerWindow owner(work.right - 100, work.bottom - 60, 400, 300);
    RECT r = RunAndMeasure(kPlainTemplate, &owner);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);

    COwnerWindow leftTop(work.left - 350, work.top - 250, 400, 300);
    r = RunAndMeasure(kPlainTemplate, &leftTop);
    EXPECT_EQ(r.left, work.left);
    EXPECT_EQ(r.top, work.top);
}

TEST_F(Centring, HiddenOrMinimisedOwnerUsesTheMainWindowsMonitor)
{
    COwnerWindow mainWnd(0, 0, 300, 200);
    TestApp().m_pMainWnd = &mainWnd;
    RECT work = WorkAreaFor(mainWnd.m_hWnd);

    COwnerWindow hidden(20, 20, 200, 100, false);
    RECT r = RunAndMeasure(kPlainTemplate, &hidden);
    EXPECT_EQ(r.left, (work.left + work.right) / 2 - Width(r) / 2);
    EXPECT_EQ(r.top, (work.top + work.bottom) / 2 - Height(r) / 2);

    COwnerWindow minimised(20, 20, 200, 100);
    ::ShowWindow(minimised.m_hWnd, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(minimised.m_hWnd));
    r = RunAndMeasure(kPlainTemplate, &minimised);
    EXPECT_EQ(r.left, (work.left + work.right) / 2 - Width(r) / 2);
    EXPECT_EQ(r.top, (work.top + work.bottom) / 2 - Height(r) / 2);

    // No owner and no main window: the primary monitor's work area.
    TestApp().m_pMainWnd = nullptr;
    RECT primary = WorkAreaFor(nullptr);
    r = RunAndMeasure(kPlainTemplate, nullptr);
    EXPECT_EQ(r.left, (primary.left + primary.right) / 2 - Width(r) / 2);
    EXPECT_EQ(r.top, (primary.top + primary.bottom) / 2 - Height(r) / 2);
}

TEST_F(Centring, LargerThanTheWorkAreaSitsAtItsTopLeft)
{
    RECT work = WorkAreaFor(nullptr);
    COwnerWindow owner(200, 200, 300, 200);
    RECT r = RunAndMeasure(kHugeTemplate, &owner);
    ASSERT_GT(Width(r), Width(work));
    ASSERT_GT(Height(r), Height(work));
    EXPECT_EQ(r.left, work.left);
    EXPECT_EQ(r.top, work.top);
}

TEST_F(Centring, KeepsTheSize)
{
    COwnerWindow owner(101, 80, 501, 301);
    SIZE before = {};
    CScriptedDialog dlg(kPlainTemplate, &owner);
    dlg.onInit = [&](CScriptedDialog& d) {
        RECT r;
        d.GetWindowRect(&r);
        before.cx = Width(r);
        before.cy = Height(r);
    };
    dlg.onRunning = [&](CScriptedDialog& d) { d.Command(IDOK); };
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(Width(dlg.rectWhenRunning), before.cx);
    EXPECT_EQ(Height(dlg.rectWhenRunning), before.cy);
}

TEST_F(Centring, SkippedWhenMovedVisibleOffsetOrSelfCentred)
{
    COwnerWindow owner(101, 80, 501, 301);
    RECT o;
    ::GetWindowRect(owner.m_hWnd, &o);
    auto centredLeft = [&](const RECT& r) { return (o.left + o.right) / 2 - Width(r) / 2; };

    // Moved during initialisation: stays where it was put.
    RECT r = RunAndMeasure(kPlainTemplate, &owner, [](CScriptedDialog& d) {
        ::SetWindowPos(d.m_hWnd, nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    });
    EXPECT_EQ(r.left, 37);
    EXPECT_EQ(r.top, 41);

    // Shown during initialisation.
    RECT shownBefore = {};
    r = RunAndMeasure(kPlainTemplate, &owner, [&](CScriptedDialog& d) {
        d.ShowWindow(SW_SHOWNA);
        d.GetWindowRect(&shownBefore);
    });
    EXPECT_EQ(r.left, shownBefore.left);
    EXPECT_EQ(r.top, shownBefore.top);
    EXPECT_NE(r.left, centredLeft(r));

    // The template asks the system to place it.
    RECT selfBefore = {};
    r = RunAndMeasure(kCentreStyleTemplate, &owner, [&](CScriptedDialog& d) { d.GetWindowRect(&selfBefore); });
    EXPECT_EQ(r.left, selfBefore.left);
    EXPECT_EQ(r.top, selfBefore.top);

    // Template not at 0,0.
    RECT offsetBefore = {};
    r = RunAndMeasure(kOffsetTemplate, &owner, [&](CScriptedDialog& d) { d.GetWindowRect(&offsetBefore); });
    EXPECT_EQ(r.left, offsetBefore.left);
    EXPECT_EQ(r.top, offsetBefore.top);
    EXPECT_NE(r.left, centredLeft(r));
}

TEST_F(Centring, ModelessDialogWithEnabledOwnerIsNotMoved)
{
    COwnerWindow owner(101, 80, 501, 301);
    CScriptedDialog dlg(kPlainTemplate);
    RECT atInit = {};
    dlg.onInit = [&](CScriptedDialog& d) { d.GetWindowRect(&atInit); };
    ASSERT_TRUE(dlg.Create(kPlainTemplate, &owner));
    RECT now;
    dlg.GetWindowRect(&now);
    EXPECT_EQ(now.left, atInit.left);
    EXPECT_EQ(now.top, atInit.top);
    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}
