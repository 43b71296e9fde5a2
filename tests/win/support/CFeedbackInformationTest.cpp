#include "support/CFeedbackInformation.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "SupportFixture.h"
#include "common/ToolIdentity.h"
#include "support/ReportTexts.h"

namespace {

std::string AddressText(const void* pointer)
{
    char text[32] = {};
    std::snprintf(text, sizeof text, "0x%08lX",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(pointer)));
    return text;
}

std::wstring ThisProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\'));
}

} // namespace

using CFeedbackInformationTest = SupportFixture;

TEST_F(CFeedbackInformationTest, LoadResolvesEveryExportOfTheStandin)
{
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(m_folder));
    EXPECT_TRUE(support.IsLoaded());
    for (int i = 0; i < CFeedbackInformation::EXPORT_COUNT; ++i)
        EXPECT_TRUE(support.HasEntryPoint(i)) << CFeedbackInformation::EXPORT_NAMES[i];
    support.Unload();
    EXPECT_FALSE(support.IsLoaded());
    for (int i = 0; i < CFeedbackInformation::EXPORT_COUNT; ++i)
        EXPECT_FALSE(support.HasEntryPoint(i)) << CFeedbackInformation::EXPORT_NAMES[i];
}

TEST_F(CFeedbackInformationTest, LoadFailsWithNoLibrary)
{
    CFeedbackInformation support;
    EXPECT_FALSE(support.Load(m_emptyFolder));
    EXPECT_FALSE(support.IsLoaded());
    EXPECT_FALSE(support.HasEntryPoint(0));
    EXPECT_FALSE(support.Load(L""));
}

TEST_F(CFeedbackInformationTest, LoadNeverFallsBackToTheSearchPath)
{
    // A library of that name already loaded in the process (found by name in
    // the module list) must not satisfy a load from a folder without one.
    const HMODULE elsewhere = LoadLibraryW((m_folder + L"\\TorvaneFeedbackInformation.dll").c_str());
    ASSERT_NE(nullptr, elsewhere);
    CFeedbackInformation support;
    EXPECT_FALSE(support.Load(m_emptyFolder));
    EXPECT_FALSE(support.IsLoaded());
    FreeLibrary(elsewhere);
}

TEST_F(CFeedbackInformationTest, DefaultLoadLooksBesideTheProgramFile)
{
    EXPECT_EQ(ThisProgramFolder(), CFeedbackInformation::ProgramFolder());
    const std::wstring beside = ThisProgramFolder() + L"\\TorvaneFeedbackInformation.dll";
    DeleteFileW(beside.c_str());
    {
        CFeedbackInformation support;
        EXPECT_FALSE(support.Load());
    }
    ASSERT_TRUE(CopyFileW((m_folder + L"\\TorvaneFeedbackInformation.dll").c_str(), beside.c_str(), FALSE));
    {
        CFeedbackInformation support;
        EXPECT_TRUE(support.Load());
        for (int i = 0; i < CFeedbackInformation::EXPORT_COUNT; ++i)
            EXPECT_TRUE(support.HasEntryPoint(i)) << CFeedbackInformation::EXPORT_NAMES[i];
    }
    // The object freed the library when it went, so the file can go too.
    EXPECT_TRUE(DeleteFileW(beside.c_str()));
}

TEST_F(CFeedbackInformationTest, TheFirstMissingExportDecides)
{
    for (int missing = 0; missing < CFeedbackInformation::EXPORT_COUNT; ++missing) {
        SCOPED_TRACE(CFeedbackInformation::EXPORT_NAMES[missing]);
        const std::wstring folder = StandinBuildFolder() + L"\\without-" + std::to_wstring(missing + 1);
        CFeedbackInformation support;
        EXPECT_FALSE(support.Load(folder));
        // The library itself was there: the failure is the export.
        EXPECT_TRUE(support.IsLoaded());
        for (int i = 0; i < CFeedbackInformation::EXPORT_COUNT; ++i)
            EXPECT_EQ(i < missing, support.HasEntryPoint(i))
                << "entry point " << CFeedbackInformation::EXPORT_NAMES[i];
    }
}

TEST_F(CFeedbackInformationTest, SecondLoadReplacesTheFirst)
{
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(StandinBuildFolder() + L"\\without-11") == false);
    ASSERT_TRUE(support.Load(m_folder));
    EXPECT_TRUE(support.HasEntryPoint(10));
    ASSERT_FALSE(support.Load(StandinBuildFolder() + L"\\without-1"));
    // Nothing of the earlier, complete library is left behind.
    EXPECT_FALSE(support.HasEntryPoint(10));
}

TEST_F(CFeedbackInformationTest, WrappersDoNothingWhileNotLoaded)
{
    CFeedbackInformation support;
    ToolInfo info;
    EXPECT_EQ(0, support.InitFreedbackDll(&info));
    EXPECT_EQ(0, support.FeedbackQuestion(TOOL_ID, TOOL_VERSION));
    EXPECT_EQ(0, support.OpenUrl(info));
    EXPECT_EQ(0, support.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, FEEDBACK_SOLVED, L"1", L"1"));
    EXPECT_EQ(0, support.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION));
    EXPECT_EQ(0, support.OpenToolDownUrl());
    EXPECT_EQ(0, support.OpenUseAgreementUrl());
    EXPECT_TRUE(JournalLines().empty());
}

TEST_F(CFeedbackInformationTest, JournalShowsTheExactArgumentsOfEveryCall)
{
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(m_folder));
    ToolInfo info;
    EXPECT_NE(0, support.InitFreedbackDll(&info));
    support.FeedbackQuestion(TOOL_ID, TOOL_VERSION);
    support.OpenUrl(info);
    const std::wstring time = ReportTimeText(1765000000);
    support.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, FEEDBACK_SOLVED, time.c_str(),
                               ReportDeviceText(0).c_str());
    support.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, FEEDBACK_UNSOLVED, ReportTimeText(2147483648LL).c_str(),
                               ReportDeviceText(4).c_str());
    support.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, FEEDBACK_OTHER, time.c_str(), L"");
    support.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION);
    support.OpenToolDownUrl();
    support.OpenUseAgreementUrl();

    const std::vector<std::string> expected = {
        "InitFreedbackDll " + AddressText(&info),
        "FeedbackQuestion 10009 1.8.22.1024",
        "OpenUrl " + Utf8(info.m_szMoreToolsUrl),
        "CustomerFeedbackEx 10009 1.8.22.1024 1 1765000000 1",
        "CustomerFeedbackEx 10009 1.8.22.1024 2 -2147483648 5",
        "CustomerFeedbackEx 10009 1.8.22.1024 3 1765000000 ",
        "GetToolIsNewVersion 10009 1.8.22.1024",
        "OpenToolDownUrl",
        "OpenUseAgreementUrl",
    };
    EXPECT_EQ(expected, JournalLines());
}

TEST_F(CFeedbackInformationTest, InitFillsSixTextsTheFourthBeingTheMoreToolsAddress)
{
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(m_folder));
    ToolInfo info;
    // Every text starts empty in the program's record.
    EXPECT_EQ(L'\0', info.m_szComponentName[0]);
    EXPECT_EQ(L'\0', info.m_szMoreToolsUrl[0]);
    EXPECT_EQ(L'\0', info.m_szDownloadUrl[0]);
    ASSERT_NE(0, support.InitFreedbackDll(&info));
    const wchar_t* texts[] = {info.m_szComponentName, info.m_szComponentVersion, info.m_szFeedbackUrl,
                              info.m_szMoreToolsUrl,  info.m_szAgreementUrl,     info.m_szDownloadUrl};
    for (const wchar_t* text : texts)
        EXPECT_GT(wcslen(text), 0u);
    EXPECT_STREQ(L"https://support.torvane.example/tools", info.m_szMoreToolsUrl);
}

TEST_F(CFeedbackInformationTest, OpenUrlPassesTheMoreToolsAddressAsIs)
{
    const std::wstring address = L"https://support.torvane.example/更多工具?type=2&x=1";
    WriteSettings(L"", L"[ToolInfo]\r\nText4=" + address + L"\r\n");
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(m_folder));
    ToolInfo info;
    ASSERT_NE(0, support.InitFreedbackDll(&info));
    EXPECT_EQ(address, info.m_szMoreToolsUrl);
    ClearJournal();
    EXPECT_NE(0, support.OpenUrl(info));
    EXPECT_EQ(std::vector<std::string>{"OpenUrl " + Utf8(address)}, JournalLines());
}

TEST_F(CFeedbackInformationTest, InitFailsWhenTheSettingsSaySo)
{
    WriteSettings(L"InitResult=0\r\n");
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(m_folder));
    ToolInfo info;
    EXPECT_EQ(0, support.InitFreedbackDll(&info));
    EXPECT_EQ(L'\0', info.m_szMoreToolsUrl[0]);
    EXPECT_EQ(std::vector<std::string>{"InitFreedbackDll " + AddressText(&info)}, JournalLines());
}

TEST_F(CFeedbackInformationTest, NewVersionOnlyWhenTheCatalogueNamesANewerOne)
{
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(m_folder));
    // No settings entry: no newer tool.
    EXPECT_NE(NEW_VERSION_AVAILABLE, support.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION));

    struct Case
    {
        const wchar_t* catalogued;
        bool newer;
    };
    for (const Case& c : {Case{L"1.8.22.1025", true}, Case{L"1.9.0.0", true}, Case{L"1.8.22.1024", false},
                          Case{L"1.8.3.0", false}, Case{L"not a version", false}}) {
        SCOPED_TRACE(Utf8(c.catalogued));
        WriteSettings(L"", std::wstring(L"[Catalogue]\r\n10009=") + c.catalogued + L"\r\n");
        const int answer = support.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION);
        if (c.newer)
            EXPECT_EQ(NEW_VERSION_AVAILABLE, answer);
        else
            EXPECT_NE(NEW_VERSION_AVAILABLE, answer);
    }

    // Another tool's entry says nothing about this one.
    WriteSettings(L"", L"[Catalogue]\r\n10010=9.0.0.0\r\n");
    EXPECT_NE(NEW_VERSION_AVAILABLE, support.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION));
}
