// The built stand-in as a file and as a component shared by several callers.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "PeImageTables.h"
#include "SupportFixture.h"
#include "common/ToolIdentity.h"
#include "support/CFeedbackInformation.h"
#include "support/ToolInfo.h"

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::vector<std::string> AllExportNames()
{
    return std::vector<std::string>(CFeedbackInformation::EXPORT_NAMES,
                                    CFeedbackInformation::EXPORT_NAMES + CFeedbackInformation::EXPORT_COUNT);
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

using StandinComponentTest = SupportFixture;

TEST_F(StandinComponentTest, ImportsOnlySystemLibraries)
{
    const PeImageTables tables =
        ReadPeImageTables(StandinBuildFolder() + L"\\TorvaneFeedbackInformation.dll");
    ASSERT_TRUE(tables.valid);
    ASSERT_FALSE(tables.imports.empty());
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    for (const std::string& name : tables.imports) {
        SCOPED_TRACE(name);
        // No toolchain runtime (libstdc++, libgcc, winpthread): those are linked in.
        EXPECT_NE(0u, Lower(name).rfind("lib", 0));
        const std::wstring inSystem = std::wstring(system) + L"\\" + std::wstring(name.begin(), name.end());
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(inSystem.c_str()));
    }
}

TEST_F(StandinComponentTest, ExportsTheElevenNamesUndecorated)
{
    const PeImageTables tables =
        ReadPeImageTables(StandinBuildFolder() + L"\\TorvaneFeedbackInformation.dll");
    ASSERT_TRUE(tables.valid);
    EXPECT_EQ(Sorted(AllExportNames()), Sorted(tables.exports));
}

TEST_F(StandinComponentTest, EachTestCopyLacksExactlyItsOneExport)
{
    for (int n = 1; n <= CFeedbackInformation::EXPORT_COUNT; ++n) {
        SCOPED_TRACE(n);
        const PeImageTables tables = ReadPeImageTables(
            StandinBuildFolder() + L"\\without-" + std::to_wstring(n) + L"\\TorvaneFeedbackInformation.dll");
        ASSERT_TRUE(tables.valid);
        std::vector<std::string> expected = AllExportNames();
        expected.erase(expected.begin() + (n - 1));
        EXPECT_EQ(Sorted(expected), Sorted(tables.exports));
    }
}

TEST_F(StandinComponentTest, LongTextsAreCutAndStayTerminated)
{
    const std::wstring longText(TOOL_INFO_TEXT_CHARS + 100, L'x');
    WriteSettings(L"", L"[ToolInfo]\r\nText4=" + longText + L"\r\nText5=after\r\n");
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(m_folder));
    ToolInfo info;
    ASSERT_NE(0, support.InitFreedbackDll(&info));
    EXPECT_EQ(static_cast<size_t>(TOOL_INFO_TEXT_CHARS - 1),
              wcsnlen(info.m_szMoreToolsUrl, TOOL_INFO_TEXT_CHARS));
    EXPECT_STREQ(L"after", info.m_szAgreementUrl);
}

TEST_F(StandinComponentTest, InitWithoutARecordFails)
{
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(m_folder));
    EXPECT_EQ(0, support.InitFreedbackDll(nullptr));
}

TEST_F(StandinComponentTest, NoSettingsFileMeansInitialisedAndNoNewerVersion)
{
    ASSERT_TRUE(DeleteFileW((m_folder + L"\\TorvaneFeedbackInformation.ini").c_str()));
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(m_folder));
    ToolInfo info;
    EXPECT_NE(0, support.InitFreedbackDll(&info));
    EXPECT_NE(NEW_VERSION_AVAILABLE, support.GetToolIsNewVersion(L"10009", L"0.0.0.1"));
}

namespace {

bool WaitForFile(const std::wstring& path)
{
    // The shell starts the script and returns; the script writes a little later.
    for (int i = 0; i < 200; ++i) {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(100);
    }
    return false;
}

void WriteScript(const std::wstring& path, const std::string& markerName)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    const std::string text = "@echo opened> \"%~dp0" + markerName + "\"\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

TEST_F(StandinComponentTest, PagesOpenThroughTheShellUnlessSwitchedOff)
{
    // A script stands in for a page: what the shell opens, it runs.
    const std::wstring offScript = m_folder + L"\\off.cmd";
    const std::wstring onScript = m_folder + L"\\on.cmd";
    WriteScript(offScript, "off.txt");
    WriteScript(onScript, "on.txt");
    CFeedbackInformation support;
    ASSERT_TRUE(support.Load(m_folder));

    WriteSettings(L"", L"[ToolInfo]\r\nText6=" + offScript + L"\r\n");
    EXPECT_NE(0, support.OpenToolDownUrl());

    // Settings file without OpenPages: the default is to open.
    const std::wstring settings = L"\xFEFF[ToolInfo]\r\nText5=" + onScript + L"\r\n";
    HANDLE file = CreateFileW((m_folder + L"\\TorvaneFeedbackInformation.ini").c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, settings.data(), static_cast<DWORD>(settings.size() * sizeof(wchar_t)), &written,
              nullptr);
    CloseHandle(file);
    EXPECT_NE(0, support.OpenUseAgreementUrl());

    EXPECT_TRUE(WaitForFile(m_folder + L"\\on.txt"));
    // Started earlier than the one that has run by now, had it been started at all.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((m_folder + L"\\off.txt").c_str()));
    EXPECT_EQ((std::vector<std::string>{"OpenToolDownUrl", "OpenUseAgreementUrl"}), JournalLines());
}
