// The command runner against the real cmd and reg under Wine.
#include "repair/RunCommand.h"

#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

using wintest::ExeDir;
using wintest::FileExists;
using wintest::MakeTempFolder;
using wintest::TempDir;

std::wstring Helper(const std::wstring& args)
{
    return L"\"" + ExeDir() + L"repair_output_helper.exe\" " + args;
}

ULONGLONG ElapsedMs(ULONGLONG start)
{
    return GetTickCount64() - start;
}

TEST(RunCommand, CommandWithoutOutputLeavesAccumulatorAlone)
{
    std::wstring output = L"kept";
    EXPECT_TRUE(RunCommand(L"type nul", output));
    EXPECT_EQ(output, L"kept");
}

TEST(RunCommand, RegSuccessTextArrivesWide)
{
    std::wstring output;
    ASSERT_TRUE(RunCommand(
        L"reg add \"HKEY_CURRENT_USER\\Software\\StellwickRunnerTest\" /v V /d x /t REG_SZ /f", output));
    EXPECT_NE(output.find(L"操作成功完成"), std::wstring::npos) << "got: " << output.size() << " chars";
}

TEST(RunCommand, ExistingTextStaysInFront)
{
    std::wstring output = L"前文|";
    ASSERT_TRUE(RunCommand(L"echo second", output));
    EXPECT_EQ(output.rfind(L"前文|second", 0), 0u);
}

TEST(RunCommand, LongOutputArrivesWholeInChunksWithPauses)
{
    std::wstring output;
    ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(RunCommand(Helper(L"big 10000"), output));
    ULONGLONG elapsed = ElapsedMs(start);

    std::wstring expected;
    for (int line = 0; expected.size() < 10000; ++line) {
        wchar_t text[32];
        swprintf(text, 32, L"line %05d\r\n", line);
        expected += text;
    }
    expected.resize(10000);
    EXPECT_EQ(output, expected);
    // At least three reads of at most 4,095 bytes, each followed by its pause.
    EXPECT_GE(elapsed, 3u * 500u - 50u);
}

TEST(RunCommand, CharacterSplitAcrossReadsIsStillFound)
{
    std::wstring output;
    ASSERT_TRUE(RunCommand(Helper(L"split"), output));
    EXPECT_EQ(output, std::wstring(4094, L'a') + L"操作成功完成\r\n");
}

TEST(RunCommand, ZeroByteEndsTheTextOfItsChunk)
{
    std::wstring output;
    ASSERT_TRUE(RunCommand(Helper(L"zero"), output));
    EXPECT_EQ(output, L"abcghi");
}

TEST(RunCommand, StandardErrorIsCapturedInOrder)
{
    std::wstring output;
    ASSERT_TRUE(RunCommand(Helper(L"order"), output));
    EXPECT_EQ(output, L"out1\r\nerr1\r\nout2\r\n");

    std::wstring regError;
    ASSERT_TRUE(RunCommand(
        L"reg delete \"HKEY_CURRENT_USER\\Software\\StellwickRunnerTest\" /v NoSuchValue /f", regError));
    EXPECT_NE(regError.find(L"reg: "), std::wstring::npos);
    EXPECT_EQ(regError.find(L"操作成功完成"), std::wstring::npos);
}

TEST(RunCommand, ReportsTheInterpretersExitCode)
{
    std::wstring output;
    unsigned long code = 12345;
    ASSERT_TRUE(RunCommand(L"exit /b 7", output, &code));
    EXPECT_EQ(code, 7u);

    ASSERT_TRUE(RunCommand(
        L"reg delete \"HKEY_CURRENT_USER\\Software\\StellwickRunnerTest\" /v NoSuchValue /f", output, &code));
    EXPECT_NE(code, 0u);
    EXPECT_NE(code, kCommandTimedOutExitCode);
}

// The process named by a "pid N" line of the output has ended (or is gone).
bool ProcessOfLineHasEnded(const std::wstring& output)
{
    size_t at = output.find(L"pid ");
    if (at == std::wstring::npos) {
        ADD_FAILURE() << "no pid line in the output";
        return false;
    }
    DWORD pid = std::wcstoul(output.c_str() + at + 4, nullptr, 10);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process == nullptr) {
        return true;
    }
    bool ended = WaitForSingleObject(process, 2000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

TEST(RunCommand, CommandThatNeverEndsIsEndedWithEverythingItStarted)
{
    struct LimitRestorer
    {
        ~LimitRestorer() { SetCommandTimeLimit(kDefaultCommandTimeLimitMs); }
    } restorer;
    constexpr unsigned long kLimitMs = 2000;
    SetCommandTimeLimit(kLimitMs);

    // hang: the interpreter waits for its child for ever. orphan: the
    // interpreter ends, but a grandchild keeps the pipe open for ever.
    for (const wchar_t* mode : {L"hang", L"orphan"}) {
        std::wstring output = L"kept|";
        unsigned long code = 0;
        ULONGLONG start = GetTickCount64();
        EXPECT_FALSE(RunCommand(Helper(mode), output, &code)) << mode;
        ULONGLONG elapsed = ElapsedMs(start);
        EXPECT_EQ(code, kCommandTimedOutExitCode) << mode;
        EXPECT_GE(elapsed, kLimitMs - 50) << mode;
        EXPECT_LT(elapsed, kLimitMs + 3000) << mode;
        // What arrived before the end is still handed over.
        EXPECT_EQ(output.rfind(L"kept|pid ", 0), 0u) << mode;
        EXPECT_TRUE(ProcessOfLineHasEnded(output)) << mode;
    }
}

TEST(RunCommand, OverlongCommandIsRefusedNotCut)
{
    std::wstring output = L"x";
    EXPECT_FALSE(RunCommand(L"echo " + std::wstring(2100, L'y'), output));
    EXPECT_EQ(output, L"x");
}

TEST(RunCommand, CallersInheritableHandlesStayOutOfTheCommand)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE event = CreateEventW(&inherit, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    std::wstring args = L"setevent " + std::to_wstring(reinterpret_cast<UINT_PTR>(event));

    // The helper does reach an event it inherits.
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION direct = {};
    std::wstring line = Helper(args);
    ASSERT_TRUE(CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &direct));
    WaitForSingleObject(direct.hProcess, 10000);
    CloseHandle(direct.hThread);
    CloseHandle(direct.hProcess);
    ASSERT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0) << "the helper cannot tell";
    ResetEvent(event);

    std::wstring output;
    ASSERT_TRUE(RunCommand(Helper(args), output));
    EXPECT_EQ(output, L"unusable");
    EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(event);
}

TEST(RunCommand, CommandThatCannotBeInItsJobNeverRuns)
{
    struct JobsRestorer
    {
        ~JobsRestorer() { FailCommandJobsForTest(false); }
    } restorer;
    FailCommandJobsForTest(true);
    std::wstring marker = TempDir() + L"stellwick-unjobbed.txt";
    DeleteFileW(marker.c_str());
    std::wstring output = L"kept";
    unsigned long code = 12345;
    EXPECT_FALSE(RunCommand(L"echo ran> \"" + marker + L"\"", output, &code));
    EXPECT_EQ(output, L"kept");
    EXPECT_EQ(code, 12345u);
    Sleep(500);
    EXPECT_FALSE(FileExists(marker));
    DeleteFileW(marker.c_str());
}

class PlantedPrograms : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_currentDir = MakeTempFolder(L"stellwick-planted");
        m_marker = TempDir() + L"stellwick-planted-marker.txt";
        DeleteFileW(m_marker.c_str());
        SetEnvironmentVariableW(L"STELLWICK_PLANT_MARKER", m_marker.c_str());

        wchar_t previous[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, previous);
        m_previousDir = previous;

        std::wstring marker = ExeDir() + L"repair_planted_marker.exe";
        ASSERT_TRUE(FileExists(marker));
        for (const std::wstring& dir : {ExeDir(), m_currentDir}) {
            for (const wchar_t* name : {L"cmd.exe", L"reg.exe", L"reg.com"}) {
                std::wstring target = dir + name;
                ASSERT_TRUE(CopyFileW(marker.c_str(), target.c_str(), FALSE));
                m_planted.push_back(target);
            }
            std::wstring bat = dir + L"reg.bat";
            ASSERT_TRUE(wintest::WriteBytes(bat, "@echo planted> \"%STELLWICK_PLANT_MARKER%\"\r\n"));
            m_planted.push_back(bat);
        }
        ASSERT_TRUE(SetCurrentDirectoryW(m_currentDir.c_str()));
    }

    void TearDown() override
    {
        SetCurrentDirectoryW(m_previousDir.c_str());
        for (const std::wstring& path : m_planted) {
            DeleteFileW(path.c_str());
        }
        RemoveDirectoryW(m_currentDir.c_str());
        DeleteFileW(m_marker.c_str());
    }

    std::wstring m_currentDir;
    std::wstring m_previousDir;
    std::wstring m_marker;
    std::vector<std::wstring> m_planted;
};

TEST_F(PlantedPrograms, PlantedMarkerReallyWritesWhenStarted)
{
    // Proves the marker would show up if a planted program ever ran.
    EXPECT_EQ(wintest::RunAndWait(L"\"" + m_currentDir + L"cmd.exe\""), 0);
    EXPECT_TRUE(FileExists(m_marker));
}

TEST_F(PlantedPrograms, NeverRunFromProgramFolderOrCurrentDirectory)
{
    std::wstring output;
    ASSERT_TRUE(RunCommand(
        L"reg add \"HKEY_CURRENT_USER\\Software\\StellwickRunnerTest\" /v Planted /d x /t REG_SZ /f",
        output));
    EXPECT_NE(output.find(L"操作成功完成"), std::wstring::npos);
    EXPECT_FALSE(FileExists(m_marker));
}

} // namespace
