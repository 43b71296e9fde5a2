// The Wine platform the other target tests stand on: the facts they assume.
#include <windows.h>

#include <gtest/gtest.h>

TEST(WinePlatform, AnsiCodePageFollowsTheLocale)
{
    char lang[64] = {};
    GetEnvironmentVariableA("LANG", lang, sizeof lang);
    if (std::string(lang).rfind("zh_CN", 0) == 0)
        EXPECT_EQ(936u, GetACP());
    else
        EXPECT_NE(936u, GetACP());
}

TEST(WinePlatform, ReportsTheConfiguredWindowsVersion)
{
    // RtlGetVersion is not shimmed by manifests, unlike GetVersionEx.
    typedef LONG(WINAPI * RtlGetVersionFn)(OSVERSIONINFOW*);
    auto fn = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(nullptr, fn);
    OSVERSIONINFOW vi = {};
    vi.dwOSVersionInfoSize = sizeof vi;
    ASSERT_EQ(0, fn(&vi));
    char want[32] = {};
    GetEnvironmentVariableA("STELLWICK_WINE_VERSION", want, sizeof want);
    if (std::string(want) == "win10") {
        EXPECT_EQ(10u, vi.dwMajorVersion);
        EXPECT_EQ(0u, vi.dwMinorVersion);
    }
}
