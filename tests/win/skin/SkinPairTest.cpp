#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "CPromptShapedFrame.h"
#include "framework/CWinApp.h"
#include "framework/LiveObjectCount.h"
#include "res/resource.h"
#include "ui/toolkit/CSkinContentDlg.h"
#include "ui/toolkit/CSkinFrameDlg.h"
#include "ui/toolkit/PngResource.h"
#include "ui/toolkit/SkinRectConversion.h"

namespace {

std::vector<std::string> g_events;

CWinApp& TestApp()
{
    static CWinApp app;
    return app;
}

// A content configured like the prompt's.
class CTestContent : public CPromptShapedContent
{
public:
    CTestContent()
    {
        m_fCaptionRightExcluded = 26;
        m_bDoubleBufferedErase = TRUE;
    }
    ~CTestContent() override { g_events.push_back("content deleted"); }

    int layouts = 0;
    int hoverUpdates = 0;
    int Drag() const { return m_bDrag; }
    void LayoutControls() override { ++layouts; }

protected:
    void UpdateControlsHover(CPoint) override { ++hoverUpdates; }
    void OnDestroy() override
    {
        g_events.push_back(m_pBackground ? "content destroy with background" : "content destroy");
        CSkinContentDlg::OnDestroy();
    }
};

// A frame configured like the prompt's: skin 151, 336 x 156, insets 5, 3, 5, 7.
class CTestFrame : public CPromptShapedFrame
{
public:
    explicit CTestFrame(CWnd* parent = nullptr, UINT skin = IDB_PROMPT_SKIN) : CPromptShapedFrame(parent, skin)
    {
        m_bFollow = 1;
    }

    std::function<void(CTestFrame&)> onRunning;
    int Follow() const { return m_bFollow; }
    bool HasSkin() const { return static_cast<bool>(m_pSkin); }
    CTestContent* Content() const { return static_cast<CTestContent*>(GetContent()); }
    using CDialog::EndDialog;

protected:
    CSkinContentDlg* NewContent() override { return new CTestContent; }
    void OnStarted() override
    {
        if (onRunning)
            onRunning(*this);
    }
    void OnDestroy() override
    {
        g_events.push_back(HasSkin() ? "frame destroy with skin" : "frame destroy");
        CSkinFrameDlg::OnDestroy();
        g_events.push_back(GetContent() ? "frame left content" : "frame done");
    }
};

SkinRect WindowRectOf(HWND hwnd)
{
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return ToSkinRect(r);
}

RECT PrimaryWorkArea()
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

const SkinInsets kInsets{5, 3, 5, 7};

class SkinPair : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestApp().m_pMainWnd = nullptr;
        g_events.clear();
    }
};

} // namespace

TEST_F(SkinPair, RectanglesAtScaleOneAndOnePointTwo)
{
    struct Case
    {
        float s;
        int width, height;
        SkinRect contentInFrame; // relative to the frame's top-left
    } cases[] = {
        {1.0f, 336, 156, {5, 3, 331, 149}},
        {1.2f, 403, 187, {6, 3, 397, 179}},
    };
    for (const Case& c : cases) {
        CTestFrame frame;
        frame.SetScale(c.s);
        SkinRect f, content;
        LONG exStyle = 0;
        HWND contentOwner = nullptr;
        BOOL contentVisible = FALSE;
        float contentScale = 0;
        int layouts = 0;
        frame.onRunning = [&](CTestFrame& fr) {
            f = WindowRectOf(fr.m_hWnd);
            content = WindowRectOf(fr.Content()->m_hWnd);
            exStyle = fr.GetExStyle();
            contentOwner = ::GetWindow(fr.Content()->m_hWnd, GW_OWNER);
            contentVisible = fr.Content()->IsWindowVisible();
            contentScale = fr.Content()->GetScale();
            layouts = fr.Content()->layouts;
            fr.EndDialog(IDOK);
        };
        EXPECT_EQ(frame.DoModal(), 1);
        EXPECT_EQ(f.right - f.left, c.width) << "s=" << c.s;
        EXPECT_EQ(f.bottom - f.top, c.height) << "s=" << c.s;
        EXPECT_EQ(content.left - f.left, c.contentInFrame.left);
        EXPECT_EQ(content.top - f.top, c.contentInFrame.top);
        EXPECT_EQ(content.right - f.left, c.contentInFrame.right);
        EXPECT_EQ(content.bottom - f.top, c.contentInFrame.bottom);
        EXPECT_TRUE(exStyle & WS_EX_LAYERED);
        EXPECT_NE(contentOwner, nullptr);
        EXPECT_TRUE(contentVisible);
        EXPECT_FLOAT_EQ(contentScale, c.s);
        EXPECT_EQ(layouts, 1);

        // Centred in the primary work area (no owner, no main window), and the
        // content went along through the frame's move.
        RECT work = PrimaryWorkArea();
        EXPECT_EQ(f.left, (work.left + work.right) / 2 - c.width / 2);
        EXPECT_EQ(f.top, (work.top + work.bottom) / 2 - c.height / 2);
    }
}

TEST_F(SkinPair, ContentIsOwnedByTheFrameAndGoesFirst)
{
    const long imagesBefore = LiveObjectCount::Current(LiveObjectKind::Gdiplus);
    const long gdiBefore = LiveObjectCount::Current(LiveObjectKind::Gdi);
    CTestFrame frame;
    HWND owner = nullptr;
    HWND frameHwnd = nullptr;
    bool backgroundLoaded = false;
    bool skinHeldWhileShown = true;
    frame.onRunning = [&](CTestFrame& fr) {
        frameHwnd = fr.m_hWnd;
        skinHeldWhileShown = fr.HasSkin();
        owner = ::GetWindow(fr.Content()->m_hWnd, GW_OWNER);
        fr.Content()->UpdateWindow();
        backgroundLoaded = fr.Content()->GetBackground() != nullptr;
        fr.EndDialog(IDCANCEL);
    };
    EXPECT_EQ(frame.DoModal(), 2);
    EXPECT_EQ(owner, frameHwnd);
    EXPECT_TRUE(backgroundLoaded);
    // The layered surface holds the picture; the decoded skin went right after.
    EXPECT_FALSE(skinHeldWhileShown);
    std::vector<std::string> expected = {"content destroy with background", "frame destroy",
                                         "content deleted", "frame done"};
    EXPECT_EQ(g_events, expected);
    EXPECT_EQ(frame.GetContent(), nullptr);
    EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdiplus), imagesBefore);
    EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdi), gdiBefore);
}

TEST_F(SkinPair, DragByTheStripMovesTheFrameAroundTheContent)
{
    for (float s : {1.0f, 1.2f}) {
        CTestFrame frame;
        frame.SetScale(s);
        std::vector<std::string> failures;
        auto check = [&](bool ok, const std::string& what) {
            if (!ok)
                failures.push_back(what);
        };
        frame.onRunning = [&](CTestFrame& fr) {
            CTestContent* c = fr.Content();
            HWND ch = c->m_hWnd;
            check(fr.Follow() == 1, "follow set at start");
            const int strip = ScaleLength(30, s);
            const int excluded = ScaleLength(26, s);

            // Presses that do not drag: the close corner and below the strip.
            SkinRect r = WindowRectOf(ch);
            check(::SendMessageW(ch, WM_NCHITTEST, 0, MAKELPARAM(r.right - excluded, r.top + 5)) != HTCAPTION,
                  "close corner");
            check(c->Drag() == 0, "no drag in close corner");
            check(::SendMessageW(ch, WM_NCHITTEST, 0, MAKELPARAM(r.left + 20, r.top + strip)) != HTCAPTION,
                  "below strip");
            check(c->hoverUpdates == 2, "hover updated before each hit test");

            // A content moved without a drag leaves the frame where it is.
            SkinRect frameBefore = WindowRectOf(fr.m_hWnd);
            ::SetWindowPos(ch, nullptr, r.left + 3, r.top + 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            check(WindowRectOf(fr.m_hWnd) == frameBefore, "no drag, no follow");

            // Three drags, each from the strip just left of the close corner.
            const POINT targets[] = {{200, 150}, {37, 410}, {611, 23}};
            for (const POINT& to : targets) {
                r = WindowRectOf(ch);
                LRESULT hit =
                    ::SendMessageW(ch, WM_NCHITTEST, 0, MAKELPARAM(r.right - excluded - 1, r.top + strip - 1));
                check(hit == HTCAPTION, "strip gives caption");
                check(c->Drag() != 0, "drag flag set");
                ::SetWindowPos(ch, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                SkinRect content = WindowRectOf(ch);
                check(content.left == to.x && content.top == to.y, "content moved");
                check(WindowRectOf(fr.m_hWnd) == FrameRectAroundContent(content, kInsets, s),
                      "frame around content");
                check(fr.Follow() == 0, "follow cleared by the drag");
            }

            // The frame no longer leads: moving it leaves the content alone.
            SkinRect content = WindowRectOf(ch);
            ::SetWindowPos(fr.m_hWnd, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            check(WindowRectOf(ch) == content, "frame move after drag does not move content");
            fr.EndDialog(IDOK);
        };
        EXPECT_EQ(frame.DoModal(), 1);
        EXPECT_TRUE(failures.empty()) << "s=" << s << ": " << (failures.empty() ? "" : failures.front());
    }
}

TEST_F(SkinPair, FrameFollowsItsOwnMovesUntilTheFirstDrag)
{
    CTestFrame frame;
    frame.SetScale(1.2f);
    SkinRect f, content;
    frame.onRunning = [&](CTestFrame& fr) {
        ::SetWindowPos(fr.m_hWnd, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        f = WindowRectOf(fr.m_hWnd);
        content = WindowRectOf(fr.Content()->m_hWnd);
        fr.EndDialog(IDOK);
    };
    EXPECT_EQ(frame.DoModal(), 1);
    EXPECT_EQ(f.left, 123);
    EXPECT_EQ(content, ContentRectInFrame(f, kInsets, 1.2f));
}

TEST_F(SkinPair, MissingSkinEndsInitialisationWithoutContent)
{
    CTestFrame frame(nullptr, 178);
    bool hadContent = true;
    LONG exStyle = 0;
    frame.onRunning = [&](CTestFrame& fr) {
        hadContent = fr.GetContent() != nullptr;
        exStyle = fr.GetExStyle();
        fr.SendMessage(WM_CLOSE);
    };
    EXPECT_EQ(frame.DoModal(), 2);
    EXPECT_FALSE(hadContent);
    EXPECT_TRUE(exStyle & WS_EX_LAYERED);
    EXPECT_FALSE(frame.HasSkin());
}

TEST_F(SkinPair, ContentPaintsItsStretchedBackground)
{
    CImagePtr background;
    ASSERT_TRUE(LoadPngResource(IDB_PROMPT_BACKGROUND, background));
    Gdiplus::Bitmap* source = static_cast<Gdiplus::Bitmap*>(background.Get());
    Gdiplus::Color band, body;
    source->GetPixel(100, 12, &band);
    source->GetPixel(200, 100, &body);

    CTestFrame frame;
    frame.SetScale(1.2f);
    COLORREF bandSeen = 0, bodySeen = 0;
    frame.onRunning = [&](CTestFrame& fr) {
        HWND ch = fr.Content()->m_hWnd;
        ::RedrawWindow(ch, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT client;
        ::GetClientRect(ch, &client);
        HDC dc = ::GetDC(ch);
        bandSeen = ::GetPixel(dc, 100 * client.right / 320, 12 * client.bottom / 140);
        bodySeen = ::GetPixel(dc, 200 * client.right / 320, 100 * client.bottom / 140);
        ::ReleaseDC(ch, dc);
        fr.EndDialog(IDOK);
    };
    EXPECT_EQ(frame.DoModal(), 1);
    auto closeTo = [](COLORREF seen, const Gdiplus::Color& want) {
        return std::abs(GetRValue(seen) - want.GetR()) <= 6 && std::abs(GetGValue(seen) - want.GetG()) <= 6 &&
               std::abs(GetBValue(seen) - want.GetB()) <= 6;
    };
    EXPECT_TRUE(closeTo(bandSeen, band)) << std::hex << bandSeen;
    EXPECT_TRUE(closeTo(bodySeen, body)) << std::hex << bodySeen;
    EXPECT_NE(bandSeen, bodySeen) << "the title band differs from the body";
}

TEST(SkinScale, ScreenRuleMatchesTheDisplay)
{
    HDC screen = ::GetDC(nullptr);
    int logPixels = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    EXPECT_FLOAT_EQ(CSkinFrameDlg::ScreenScaleFactor(), ScaleFactorFromLogPixels(logPixels));
}
