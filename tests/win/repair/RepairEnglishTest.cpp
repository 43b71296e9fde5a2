// On a Windows whose reg prints its success in English, every repair fails at
// the first step; the failure line reaches the repair log as GBK bytes, and
// only after both messages were handled.
#include "repair/CRegistryRepair.h"
#include "repair/RepairCommands.h"
#include "repair/RepairProcedure.h"

#include "RecordingRunner.h"
#include "RepairRegistryState.h"
#include "RepairWindow.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

using namespace wintest;

// 修复注测表失败添加 BranchName, in GBK, as it must appear in the file.
const std::string kExpectedLine =
    "\xD0\xDE\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED\xCA\xA7\xB0\xDC\xCC\xED\xBC\xD3 BranchName";

std::wstring RepairLogPath()
{
    return CommonAppData() + L"ToolLog\\Stellwick.txt";
}

size_t CountOccurrences(const std::string& haystack, const std::string& needle)
{
    size_t count = 0;
    for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

class EnglishRepair : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(GetACP(), 936u) << "this test needs a non-Chinese ANSI code page";
        DeleteRepairKey();
        ASSERT_TRUE(PlantViewProbe());
        DeleteFileW(RepairLogPath().c_str());
    }
    void TearDown() override { DeleteRepairKey(); }
};

TEST_F(EnglishRepair, FailsAtFirstStepAndRestoresRedirection)
{
    RecordingRunner runner;
    bool result = true;
    bool sawNativeAfter = true;
    std::thread worker([&] {
        result = RunRepairProcedure(nullptr, runner);
        sawNativeAfter = SeesNativeSystemFolder();
    });
    worker.join();
    EXPECT_FALSE(result);
    EXPECT_EQ(runner.m_commands, (std::vector<std::wstring>{kCommandAddBranchName}));
    ASSERT_EQ(runner.m_sawNativeFolder.size(), 1u);
    EXPECT_TRUE(runner.m_sawNativeFolder[0]);
    EXPECT_EQ(sawNativeAfter, k64BitBuild) << "redirection must be back on after a failed run too";
    // The first step did change the value; nothing is undone.
    std::wstring data;
    EXPECT_TRUE(GetRepairValue(L"BranchName", &data));
    EXPECT_EQ(data, L"fbl_release");
}

TEST_F(EnglishRepair, LogLineFollowsBothHandledMessages)
{
    std::string logAtResult = "unset";
    RepairWindow window([&] { logAtResult = ReadBytes(RepairLogPath()); });
    CRegistryRepair repair;
    ASSERT_TRUE(repair.SetNotifyWindow(window.Window()));
    ASSERT_TRUE(repair.StartRepair());
    window.WaitForResult();

    ASSERT_EQ(window.m_received.size(), 2u);
    EXPECT_EQ(window.m_received[0].first, WM_REPAIR_CLOSE_PROMPT);
    EXPECT_EQ(window.m_received[1].first, WM_REPAIR_RESULT);
    EXPECT_EQ(window.m_received[1].second, REPAIR_RESULT_FAILURE);
    EXPECT_EQ(CountOccurrences(logAtResult, kExpectedLine), 0u) << "written before the result was handled";

    // The worker writes the line once the send has returned.
    std::string log;
    for (int i = 0; i < 200 && CountOccurrences(log, kExpectedLine) == 0; ++i) {
        Sleep(50);
        log = ReadBytes(RepairLogPath());
    }
    ASSERT_EQ(CountOccurrences(log, kExpectedLine), 1u);
    // One whole entry: stamp, three spaces, the GBK bytes, CR CR LF.
    ASSERT_EQ(log.size(), 30u + kExpectedLine.size() + 3u);
    EXPECT_EQ(log.front(), '[');
    EXPECT_EQ(log.substr(24, 6), "ms]   ");
    EXPECT_EQ(log.substr(30), kExpectedLine + "\r\r\n");
}

} // namespace
