#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "ui/toolkit/SkinGeometry.h"

namespace {

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// Sets the user's LogPixels for the life of the object and puts back what was there.
class CLogPixelsSetting
{
public:
    explicit CLogPixelsSetting(DWORD value)
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key,
                          nullptr);
        DWORD size = sizeof(m_old);
        DWORD type = 0;
        m_hadOld = ::RegQueryValueExW(m_key, L"LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&m_old),
                                      &size) == ERROR_SUCCESS &&
                   type == REG_DWORD;
        ::RegSetValueExW(m_key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    }
    ~CLogPixelsSetting()
    {
        if (m_hadOld)
            ::RegSetValueExW(m_key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&m_old),
                             sizeof(m_old));
        else
            ::RegDeleteValueW(m_key, L"LogPixels");
        ::RegCloseKey(m_key);
    }

private:
    HKEY m_key = nullptr;
    DWORD m_old = 0;
    bool m_hadOld = false;
};

std::wstring ProbePath()
{
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + L"skin_scale_probe.exe";
}

// Runs the probe and returns what it wrote into its result file.
std::string RunProbe()
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    std::wstring resultFile = std::wstring(folder) + L"skin_scale_probe.txt";
    ::DeleteFileW(resultFile.c_str());
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring command = L"\"" + ProbePath() + L"\" \"" + resultFile + L"\"";
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return std::string();
    ::WaitForSingleObject(pi.hProcess, 30000);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    std::string out;
    FILE* f = _wfopen(resultFile.c_str(), L"rb");
    if (f) {
        char buffer[256];
        size_t got = std::fread(buffer, 1, sizeof(buffer), f);
        out.assign(buffer, got);
        std::fclose(f);
    }
    ::DeleteFileW(resultFile.c_str());
    return out;
}

} // namespace

TEST(ScaleFromDisplay, PairSizedByTheDisplaysDotsPerInch)
{
    const SkinInsets insets{5, 3, 5, 7};
    for (int dpi : {101, 120, 144, 192}) {
        std::string out;
        {
            CLogPixelsSetting setting(static_cast<DWORD>(dpi));
            out = RunProbe();
        }
        int logPixels = 0;
        double scale = 0;
        long fw = 0, fh = 0, cw = 0, ch = 0;
        ASSERT_EQ(std::sscanf(out.c_str(), "%d %lf %ld %ld %ld %ld", &logPixels, &scale, &fw, &fh, &cw, &ch), 6)
            << "probe printed: " << out;
        const float s = ScaleFactorFromLogPixels(dpi);
        EXPECT_EQ(logPixels, dpi);
        EXPECT_NEAR(scale, s, 1e-4) << dpi;
        EXPECT_EQ(fw, ScaleLength(336, s)) << dpi;
        EXPECT_EQ(fh, ScaleLength(156, s)) << dpi;
        EXPECT_EQ(cw, fw - ScaleLength(insets.left, s) - ScaleLength(insets.right, s)) << dpi;
        EXPECT_EQ(ch, fh - ScaleLength(insets.top, s) - ScaleLength(insets.bottom, s)) << dpi;
    }
    // Put back, the probe sees the prefix's own setting again.
    std::string after = RunProbe();
    int logPixels = 0;
    ASSERT_EQ(std::sscanf(after.c_str(), "%d", &logPixels), 1);
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(logPixels, ::GetDeviceCaps(screen, LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
}
