#include <gtest/gtest.h>

#include "FrameworkTestSupport.h"

using namespace fwtest;

namespace {

class ModalLoop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestApp().m_pMainWnd = nullptr;
        PumpPending();
    }
    void TearDown() override { TestApp().m_pMainWnd = nullptr; }
};

} // namespace

TEST_F(ModalLoop, ResultsOfOkCancelCloseAndEndDialog)
{
    CScriptedDialog ok(kPlainTemplate);
    ok.onRunning = [](CScriptedDialog& d) { d.Command(IDOK); };
    EXPECT_EQ(ok.DoModal(), 1);
    EXPECT_TRUE(ok.ran);
    EXPECT_EQ(ok.m_hWnd, nullptr) << "the dialog is destroyed and unbound after the run";

    CScriptedDialog cancel(kPlainTemplate);
    cancel.onRunning = [](CScriptedDialog& d) { d.Command(IDCANCEL); };
    EXPECT_EQ(cancel.DoModal(), 2);

    CScriptedDialog closed(kPlainTemplate);
    closed.onRunning = [](CScriptedDialog& d) { d.SendMessage(WM_CLOSE); };
    EXPECT_EQ(closed.DoModal(), 2);

    CScriptedDialog custom(kPlainTemplate);
    custom.onRunning = [](CScriptedDialog& d) { d.EndDialog(1557); };
    EXPECT_EQ(custom.DoModal(), 1557);

    // Ended already inside OnInitDialog: no loop at all, still the value.
    CScriptedDialog early(kPlainTemplate);
    early.onInit = [](CScriptedDialog& d) { d.EndDialog(5); };
    EXPECT_EQ(early.DoModal(), 5);
    EXPECT_FALSE(early.ran);

    // The same object can run again.
    EXPECT_EQ(ok.DoModal(), 1);
}

TEST_F(ModalLoop, MissingTemplateGivesMinusOneAndLeavesTheOwnerAlone)
{
    COwnerWindow owner(100, 100, 300, 200);
    CScriptedDialog missing(999, &owner);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
    EXPECT_FALSE(missing.Create(999, &owner));
    EXPECT_EQ(missing.m_hWnd, nullptr);
}

TEST_F(ModalLoop, OwnerDisabledDuringRunAndEnabledBeforeTheDialogGoes)
{
    COwnerWindow owner(100, 100, 300, 200);
    CScriptedDialog dlg(kPlainTemplate, &owner);
    BOOL enabledWhileRunning = TRUE;
    BOOL enabledAtDestroy = FALSE;
    HWND ownerSeen = nullptr;
    dlg.onRunning = [&](CScriptedDialog& d) {
        enabledWhileRunning = ::IsWindowEnabled(owner.m_hWnd);
        ownerSeen = ::GetWindow(d.m_hWnd, GW_OWNER);
        d.Command(IDOK);
    };
    dlg.onDestroy = [&](CScriptedDialog&) { enabledAtDestroy = ::IsWindowEnabled(owner.m_hWnd); };
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_FALSE(enabledWhileRunning);
    EXPECT_TRUE(enabledAtDestroy);
    EXPECT_EQ(ownerSeen, owner.m_hWnd);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
}

TEST_F(ModalLoop, OwnerThatWasDisabledStaysDisabled)
{
    COwnerWindow owner(100, 100, 300, 200);
    ::EnableWindow(owner.m_hWnd, FALSE);
    CScriptedDialog dlg(kPlainTemplate, &owner);
    dlg.onRunning = [](CScriptedDialog& d) { d.Command(IDCANCEL); };
    EXPECT_EQ(dlg.DoModal(), 2);
    EXPECT_FALSE(::IsWindowEnabled(owner.m_hWnd));
}

TEST_F(ModalLoop, WithoutParentTheMainWindowOwnsTheRun)
{
    COwnerWindow mainWnd(50, 50, 400, 300);
    TestApp().m_pMainWnd = &mainWnd;
    CScriptedDialog dlg(kPlainTemplate);
    HWND ownerSeen = nullptr;
    BOOL mainEnabled = TRUE;
    dlg.onRunning = [&](CScriptedDialog& d) {
        ownerSeen = ::GetWindow(d.m_hWnd, GW_OWNER);
        mainEnabled = ::IsWindowEnabled(mainWnd.m_hWnd);
        d.Command(IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), 1);
    EXPECT_EQ(ownerSeen, mainWnd.m_hWnd);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(::IsWindowEnabled(mainWnd.m_hWnd));

    // The main window running modally has no owner.
    CScriptedDialog self(kPlainTemplate);
    TestApp().m_pMainWnd = &self;
    HWND selfOwner = reinterpret_cast<HWND>(1);
    self.onRunning = [&](CScriptedDialog& d) {
        selfOwner = ::GetWindow(d.m_hWnd, GW_OWNER);
        d.Command(IDOK);
    };
    EXPECT_EQ(self.DoModal(), 1);
    EXPECT_EQ(selfOwner, nullptr);
}

TEST_F(ModalLoop, QuitInsideTheRunEndsItAndReachesTheOuterLoop)
{
    COwnerWindow owner(100, 100, 300, 200);
    CScriptedDialog dlg(kPlainTemplate, &owner);
    HWND dialogHwnd = nullptr;
    dlg.onRunning = [&](CScriptedDialog& d) {
        dialogHwnd = d.m_hWnd;
        ::PostQuitMessage(42);
    };
    EXPECT_EQ(dlg.DoModal(), -1);
    ASSERT_NE(dialogHwnd, nullptr);
    EXPECT_FALSE(::IsWindow(dialogHwnd));
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));

    MSG msg = {};
    bool sawQuit = false;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            sawQuit = true;
            EXPECT_EQ(msg.wParam, 42u);
            break;
        }
        ::DispatchMessageW(&msg);
    }
    EXPECT_TRUE(sawQuit);
}

TEST_F(ModalLoop, NestedRunsEndInnerFirst)
{
    CScriptedDialog outer(kPlainTemplate);
    INT_PTR innerResult = 0;
    bool outerEnabledInside = true;
    outer.onRunning = [&](CScriptedDialog& o) {
        CScriptedDialog inner(kPlainTemplate, &o);
        inner.onRunning = [&](CScriptedDialog& i) {
            outerEnabledInside = ::IsWindowEnabled(o.m_hWnd) != FALSE;
            i.Command(IDCANCEL);
        };
        innerResult = inner.DoModal();
        o.EndDialog(77);
    };
    EXPECT_EQ(outer.DoModal(), 77);
    EXPECT_EQ(innerResult, 2);
    EXPECT_FALSE(outerEnabledInside);
}

TEST_F(ModalLoop, PreTranslateComesFirstThenTheDialogKeys)
{
    // Esc posted to a button of the dialog: the dialog keys turn it into Cancel.
    CScriptedDialog plain(kPlainTemplate);
    plain.onRunning = [](CScriptedDialog& d) {
        ::PostMessageW(d.GetDlgItemHwnd(kButtonId), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    EXPECT_EQ(plain.DoModal(), 2);

    // The dialog's PreTranslateMessage sees the message of its child first
    // and can discard it; the run then ends only by the later command.
    CScriptedDialog guarded(kPlainTemplate);
    int discarded = 0;
    guarded.preTranslate = [&](MSG* msg) {
        if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN)) {
            ++discarded;
            return TRUE;
        }
        return FALSE;
    };
    guarded.onRunning = [](CScriptedDialog& d) {
        HWND button = d.GetDlgItemHwnd(kButtonId);
        ::PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageW(button, WM_KEYDOWN, VK_RETURN, 0);
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    EXPECT_EQ(guarded.DoModal(), 1);
    EXPECT_EQ(discarded, 2);
}

TEST_F(ModalLoop, KeysGoToTheDialogTheyBelongTo)
{
    // A modeless popup owned by the modal dialog, like a skin content: its
    // Esc cancels the popup's own dialog handling, not the modal run; the
    // owner's PreTranslateMessage sees it on the way up.
    CScriptedDialog outer(kPlainTemplate);
    int popupCancelled = 0;
    int seenByOuter = 0;
    struct CPopup : CScriptedDialog
    {
        using CScriptedDialog::CScriptedDialog;
        int* cancelled = nullptr;
        void OnCancel() override { ++*cancelled; }
    };
    CPopup content(kPlainTemplate);
    content.cancelled = &popupCancelled;
    outer.preTranslate = [&](MSG* msg) {
        if (msg->message == WM_KEYDOWN && msg->hwnd == content.GetDlgItemHwnd(kButtonId))
            ++seenByOuter;
        return FALSE;
    };
    outer.onRunning = [&](CScriptedDialog& o) {
        ASSERT_TRUE(content.Create(kPlainTemplate, &o));
        ::PostMessageW(content.GetDlgItemHwnd(kButtonId), WM_KEYDOWN, VK_ESCAPE, 0);
        o.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    EXPECT_EQ(outer.DoModal(), 1);
    EXPECT_EQ(popupCancelled, 1);
    EXPECT_EQ(seenByOuter, 1);
    EXPECT_EQ(content.m_hWnd, nullptr) << "the owned popup went with its owner";
}
