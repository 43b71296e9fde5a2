#include <gtest/gtest.h>

#include "ControlsTestSupport.h"
#include "res/resource.h"
#include "ui/toolkit/CDrawStateInfoStatic.h"
#include "ui/toolkit/CDrawTextStatic.h"
#include "ui/toolkit/PngResource.h"

using namespace ctltest;

namespace {

constexpr int kW = 200;
constexpr int kH = 60;

bool Dark(unsigned px) { return Red(px) < 128 && Green(px) < 128; }

class TextControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::SetCursorPos(2, 2);
        host = std::make_unique<HostWindow>(100, 100, 420, 200);
        font = ::CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"宋体");
        host->SetFont(font);
    }
    void TearDown() override
    {
        host.reset();
        ::DeleteObject(font);
    }
    HWND AddStatic(const wchar_t* text, int x = 10, int y = 10)
    {
        return host->AddChild(L"STATIC", text, SS_LEFT, 1005, x, y, kW, kH);
    }
    RECT Ink(HWND hwnd)
    {
        ::InvalidateRect(hwnd, nullptr, TRUE);
        Refresh(hwnd);
        return InkBox(CaptureClient(hwnd), Dark, RECT{0, 0, kW, kH});
    }

    std::unique_ptr<HostWindow> host;
    HFONT font = nullptr;
};

TEST_F(TextControlTest, LabelPlacementCodes)
{
    HWND hwnd = AddStatic(L"Ab");
    CDrawTextStatic label;
    ASSERT_TRUE(label.SubclassWindow(hwnd));
    label.CreateTextFont();

    label.SetTextFormat(0); // wrapped, left, from the top
    RECT r = Ink(hwnd);
    ASSERT_GT(r.right, r.left);
    EXPECT_LT(r.left, 6);
    EXPECT_LT(r.top, 8);

    for (int code : {1, 4}) { // one line, left, centred vertically
        label.SetTextFormat(code);
        r = Ink(hwnd);
        EXPECT_LT(r.left, 6) << code;
        EXPECT_NEAR(kH / 2, (r.top + r.bottom) / 2, 5) << code;
    }

    label.SetTextFormat(2); // one line, centred
    r = Ink(hwnd);
    EXPECT_NEAR(kW / 2, (r.left + r.right) / 2, 6);
    EXPECT_NEAR(kH / 2, (r.top + r.bottom) / 2, 5);

    label.SetTextFormat(3); // wrapped, right, from the top
    r = Ink(hwnd);
    EXPECT_GT(r.right, kW - 6);
    EXPECT_LT(r.top, 8);

    for (int code : {5, 6, 9, -1}) { // no text at all
        label.SetTextFormat(code);
        r = Ink(hwnd);
        EXPECT_LE(r.right, r.left) << code;
    }
}

TEST_F(TextControlTest, StatusLinePlacementCodes)
{
    HWND hwnd = AddStatic(L"Ab");
    CDrawStateInfoStatic line;
    ASSERT_TRUE(line.SubclassWindow(hwnd));
    line.CreateTextFont();

    struct Expect
    {
        int code;
        int horizontal; // 0 left, 1 centre, 2 right
        bool vcentre;
    };
    const Expect table[] = {{0, 0, true}, {1, 0, true}, {2, 1, true}, {3, 2, true}, {4, 0, false},
                            {5, 1, false}, {6, 2, false}, {11, 0, true}};
    for (const Expect& e : table) {
        SCOPED_TRACE(e.code);
        line.SetTextFormat(e.code);
        const RECT r = Ink(hwnd);
        ASSERT_GT(r.right, r.left);
        if (e.horizontal == 0)
            EXPECT_LT(r.left, 6);
        else if (e.horizontal == 1)
            EXPECT_NEAR(kW / 2, (r.left + r.right) / 2, 6);
        else
            EXPECT_GT(r.right, kW - 6);
        if (e.vcentre)
            EXPECT_NEAR(kH / 2, (r.top + r.bottom) / 2, 5);
        else
            EXPECT_LT(r.top, 8);
    }
}

TEST_F(TextControlTest, BackColourCountsOnlyBeforeTheFirstPaint)
{
    CDrawTextStatic early;
    ASSERT_TRUE(early.SubclassWindow(AddStatic(L"", 10, 10)));
    early.SetBackColor(RGB(255, 0, 0));
    Refresh(early.m_hWnd);
    EXPECT_EQ(0xFF0000u, CaptureClient(early.m_hWnd).At(3, 3));

    CDrawTextStatic late;
    ASSERT_TRUE(late.SubclassWindow(AddStatic(L"", 10, 100)));
    ::InvalidateRect(late.m_hWnd, nullptr, TRUE);
    Refresh(late.m_hWnd);
    EXPECT_EQ(0xFFFFFFu, CaptureClient(late.m_hWnd).At(3, 3));
    late.SetBackColor(RGB(255, 0, 0));
    ::InvalidateRect(late.m_hWnd, nullptr, TRUE);
    Refresh(late.m_hWnd);
    EXPECT_EQ(0xFFFFFFu, CaptureClient(late.m_hWnd).At(3, 3));
}

TEST_F(TextControlTest, LinkTurnsPureBlueUnderThePointerAndBack)
{
    HWND hwnd = AddStatic(L"用户协议");
    CDrawTextStatic link;
    ASSERT_TRUE(link.SubclassWindow(hwnd));
    link.CreateTextFont();
    link.SetTextFormat(1);
    link.SetTextColors(0xFF5C5C, 0xFF0000);

    auto count = [&](unsigned rgb) {
        Refresh(hwnd);
        const Capture c = CaptureClient(hwnd);
        int n = 0;
        for (unsigned px : c.pixels)
            n += px == rgb ? 1 : 0;
        return n;
    };
    const unsigned pureBlue = 0x0000FF;
    const unsigned lightBlue = 0x5C5CFF;
    ::InvalidateRect(hwnd, nullptr, TRUE);
    EXPECT_GT(count(lightBlue), 0);
    EXPECT_EQ(0, count(pureBlue));

    POINT inside = {5, 5};
    ::ClientToScreen(hwnd, &inside);
    EXPECT_TRUE(link.HitTest(CPoint(inside)));
    link.UpdateHover(CPoint(inside));
    EXPECT_TRUE(link.IsHover());
    EXPECT_GT(count(pureBlue), 0);

    POINT outside = {kW + 5, 5};
    ::ClientToScreen(hwnd, &outside);
    EXPECT_FALSE(link.HitTest(CPoint(outside)));
    link.UpdateHover(CPoint(outside));
    EXPECT_FALSE(link.IsHover());
    EXPECT_EQ(0, count(pureBlue));
    EXPECT_GT(count(lightBlue), 0);
}

TEST_F(TextControlTest, CodeFiveDrawsFillAndBackgroundSliceButNoText)
{
    CImagePtr background;
    ASSERT_TRUE(LoadPngResource(IDB_MAIN_BACKGROUND, background));
    HWND hwnd = AddStatic(L"1.8.22.1024");
    CDrawTextStatic label;
    ASSERT_TRUE(label.SubclassWindow(hwnd));
    label.CreateTextFont();
    label.SetTextFormat(5);
    label.SetTextColors(0xFFFFFF, 0xFFFFFF);
    label.SetBackgroundImage(background.Get());
    label.SetBackgroundRect(100, 500, 100 + kW, 500 + kH);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    Refresh(hwnd);
    const Capture slice = RenderExpected({0, 0, 0, 0, 0, IDB_MAIN_BACKGROUND, 100, 500, kW, kH}, kW, kH);
    EXPECT_LT(MeanDifference(CaptureClient(hwnd), slice, 0, 0, kW, kH), 4.0);
    label.SetBackgroundImage(nullptr);
}

TEST_F(TextControlTest, StatusLineCyclesItsDotsAndStopsClean)
{
    HWND hwnd = AddStatic(L"正在修复，请稍等");
    CDrawStateInfoStatic line;
    ASSERT_TRUE(line.SubclassWindow(hwnd));
    line.CreateTextFont();
    line.SetTextFormat(1);
    const RECT plain = Ink(hwnd);

    line.StartAnimation();
    std::vector<int> seen = {line.GetDotCount()};
    std::vector<LONG> rightEdge(4, -1);
    const DWORD end = ::GetTickCount() + 8000;
    while (seen.size() < 6 && static_cast<int>(end - ::GetTickCount()) > 0) {
        Pump(15);
        const int dots = line.GetDotCount();
        if (dots != seen.back()) {
            seen.push_back(dots);
            Refresh(hwnd);
            if (line.GetDotCount() == dots)
                rightEdge[dots] = InkBox(CaptureClient(hwnd), Dark, RECT{0, 0, kW, kH}).right;
        }
    }
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 0, 1}), seen);
    // Each dot widens the drawn line.
    for (int d = 1; d <= 3; ++d) {
        if (rightEdge[d] >= 0 && rightEdge[d - 1] >= 0) {
            EXPECT_GT(rightEdge[d], rightEdge[d - 1]) << d;
        }
    }
    if (rightEdge[0] >= 0) {
        EXPECT_EQ(plain.right, rightEdge[0]);
    }

    line.StopAnimation();
    EXPECT_FALSE(line.IsAnimating());
    EXPECT_EQ(0, line.GetDotCount());
    Refresh(hwnd);
    const RECT stopped = InkBox(CaptureClient(hwnd), Dark, RECT{0, 0, kW, kH});
    EXPECT_EQ(plain.right, stopped.right);
    Pump(800); // longer than two steps: nothing moves any more
    EXPECT_EQ(0, line.GetDotCount());
    EXPECT_EQ(stopped.right, InkBox(CaptureClient(hwnd), Dark, RECT{0, 0, kW, kH}).right);
}

} // namespace
