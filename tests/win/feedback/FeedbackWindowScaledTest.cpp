// The feedback window at 120 dots per inch (scale 1.2), where the content is
// wider than 400 pixels and every length scales. The test runs in a prefix of
// its own: the first run sets the resolution and starts itself again, since a
// process takes the screen resolution when it starts.
#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>

#include <gtest/gtest.h>

#include <string>

#include "FeedbackWindowDriver.h"
#include "support/CProblemSolvingFeedbackDlg.h"

namespace {

int ScreenLogPixelsY()
{
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

bool SetUserLogPixels(DWORD dpi)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                                   sizeof(dpi)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

// Runs this program again with the same arguments; its exit code, or -1.
int RunSelfAgain()
{
    std::wstring commandLine = GetCommandLineW();
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, 120000);
    DWORD code = 0;
    const bool got = GetExitCodeProcess(pi.hProcess, &code) != FALSE;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return got ? static_cast<int>(code) : -1;
}

void ExpectRect(const RECT& r, int l, int t, int rr, int b)
{
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rr);
    EXPECT_EQ(r.bottom, b);
}

} // namespace

TEST(FeedbackWindowScaled, At120DotsPerInchEveryLengthScalesByOnePointTwo)
{
    if (ScreenLogPixelsY() != 120) {
        ASSERT_TRUE(SetUserLogPixels(120));
        EXPECT_EQ(RunSelfAgain(), 0) << "the run at 120 dots per inch failed (see its output above)";
        return;
    }

    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    FeedbackWindowView v;
    {
        CProblemSolvingFeedbackDlg dlg;
        FeedbackWindowDriver driver(L"Stellwick", [](FeedbackWindowView& view) {
            PostMessageW(view.frame, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        dlg.DoModal();
        v = driver.Finish();
    }
    Gdiplus::GdiplusShutdown(token);

    ASSERT_TRUE(v.found);
    // trunc(410 x 1.2) x trunc(479 x 1.2)
    EXPECT_EQ(v.frameRect.right - v.frameRect.left, 492);
    EXPECT_EQ(v.frameRect.bottom - v.frameRect.top, 574);
    // After the centring the frame's move sets the content at the insets
    // trunc(5·s), trunc(4·s), trunc(5·s), trunc(7·s) = 6, 4, 6, 8.
    EXPECT_EQ(v.contentRect.left, v.frameRect.left + 6);
    EXPECT_EQ(v.contentRect.top, v.frameRect.top + 4);
    EXPECT_EQ(v.contentRect.right, v.frameRect.right - 6);
    EXPECT_EQ(v.contentRect.bottom, v.frameRect.bottom - 8);
    // The controls were laid out once on the first client size, trunc(492 - 12) wide.
    ExpectRect(v.buttons[0], 458, 7, 472, 21);
    ExpectRect(v.buttons[1], 80, 184, 399, 256);
    ExpectRect(v.buttons[2], 81, 280, 400, 352);
    ExpectRect(v.buttons[3], 81, 376, 400, 448);
    EXPECT_FALSE(v.buttonVisible[0]);
    EXPECT_TRUE(v.contentAboveFrame);
}
