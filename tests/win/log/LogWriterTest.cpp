// The log writer and service on a real file system under Wine.
#include "log/CLogSave.h"
#include "log/CLogSaveCloseFile.h"

#include "../repair/WinTestSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace wintest;

constexpr size_t kPrefixLength = 30; // "[YYYY-MM-DD hh:mm:ss mmmms]   "

class LogWriter : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = MakeTempFolder(L"stellwick-logtest");
        for (const wchar_t* name : {L"a.txt", L"a.txtbak", L"b.txt"}) {
            DeleteFileW((m_dir + name).c_str());
        }
    }

    std::wstring m_dir;
};

TEST_F(LogWriter, EntryBytesAndAppending)
{
    CLogSaveCloseFile writer(m_dir);
    writer.WriteText("first", "a.txt");
    writer.WriteText("", "a.txt");
    writer.WriteText("x\ny", "a.txt");
    std::string bytes = ReadBytes(m_dir + L"a.txt");
    std::regex entry(R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} \d{3}ms\]   )");
    ASSERT_EQ(bytes.size(), 3 * kPrefixLength + 5 + 3 + 0 + 3 + 4 + 3);
    EXPECT_TRUE(std::regex_match(bytes.substr(0, kPrefixLength), entry));
    EXPECT_EQ(bytes.substr(kPrefixLength, 8), "first\r\r\n");
    EXPECT_EQ(bytes.substr(2 * kPrefixLength + 8, 3), "\r\r\n");
    EXPECT_EQ(bytes.substr(3 * kPrefixLength + 11), "x\r\ny\r\r\n");
}

TEST_F(LogWriter, GbkBytesPassUnchangedAndLocaleIsKept)
{
    // 修复注测表 in GBK, on whatever code page this prefix has.
    const std::string gbk = "\xD0\xDE\xB8\xB4\xD7\xA2\xB2\xE2\xB1\xED";
    std::setlocale(LC_CTYPE, "C");
    std::string before = std::setlocale(LC_CTYPE, nullptr);
    CLogSaveCloseFile writer(m_dir);
    writer.WriteText(gbk, "a.txt");
    EXPECT_EQ(std::string(std::setlocale(LC_CTYPE, nullptr)), before);
    writer.WriteText("dropped", "no-such-folder\\a.txt");
    EXPECT_EQ(std::string(std::setlocale(LC_CTYPE, nullptr)), before);
    EXPECT_EQ(ReadBytes(m_dir + L"a.txt").substr(kPrefixLength), gbk + "\r\r\n");
}

TEST_F(LogWriter, HexEntryHasASpaceAfterEachByte)
{
    CLogSaveCloseFile writer(m_dir);
    const unsigned char bytes[] = {0x00, 0xAB, 0x10};
    writer.WriteHex(bytes, 3, "a.txt");
    writer.WriteHex(bytes, 0, "a.txt");
    std::string file = ReadBytes(m_dir + L"a.txt");
    ASSERT_EQ(file.size(), 2 * kPrefixLength + 9 + 3 + 3);
    EXPECT_EQ(file.substr(kPrefixLength, 12), "00 AB 10 \r\r\n");
    EXPECT_EQ(file.substr(2 * kPrefixLength + 12), "\r\r\n");
}

TEST_F(LogWriter, MissingFolderDropsOneEntryOnly)
{
    CLogSaveCloseFile writer(m_dir);
    writer.WriteText("lost", "no-such-folder\\b.txt");
    writer.WriteText("kept", "b.txt");
    EXPECT_FALSE(FileExists(m_dir + L"no-such-folder"));
    EXPECT_EQ(ReadBytes(m_dir + L"b.txt").substr(kPrefixLength), "kept\r\r\n");
}

TEST_F(LogWriter, FileOfExactlyThresholdStaysOneByteMoreRotates)
{
    const size_t entrySize = kPrefixLength + 1 + 3; // text "x"
    CLogSaveCloseFile writer(m_dir);

    ASSERT_TRUE(WriteBytes(m_dir + L"a.txt", std::string(6020000 - entrySize, '.')));
    ASSERT_TRUE(WriteBytes(m_dir + L"a.txtbak", "older backup"));
    writer.WriteText("x", "a.txt");
    EXPECT_EQ(ReadBytes(m_dir + L"a.txt").size(), 6020000u);
    EXPECT_EQ(ReadBytes(m_dir + L"a.txtbak"), "older backup");

    ASSERT_TRUE(WriteBytes(m_dir + L"a.txt", std::string(6020001 - entrySize, '.')));
    writer.WriteText("x", "a.txt");
    EXPECT_FALSE(FileExists(m_dir + L"a.txt"));
    std::string backup = ReadBytes(m_dir + L"a.txtbak");
    ASSERT_EQ(backup.size(), 6020001u);
    EXPECT_EQ(backup.substr(backup.size() - 4), "x\r\r\n");

    writer.WriteText("fresh", "a.txt");
    EXPECT_EQ(ReadBytes(m_dir + L"a.txt").size(), kPrefixLength + 5 + 3);
}

TEST_F(LogWriter, HardLinkAtTheLogNameIsNeitherWrittenNorRotated)
{
    // Another user's hard link at the log's name would have the elevated
    // writer append to, or rename, a file of that user's choosing.
    const std::wstring target = m_dir + L"target.txt";
    ASSERT_TRUE(WriteBytes(target, "precious"));
    ASSERT_TRUE(CreateHardLinkW((m_dir + L"a.txt").c_str(), target.c_str(), nullptr));
    CLogSaveCloseFile writer(m_dir);
    writer.WriteText("entry", "a.txt");
    EXPECT_EQ(ReadBytes(target), "precious");

    ASSERT_TRUE(WriteBytes(target, std::string(6020001, '.')));
    writer.WriteText("entry", "a.txt");
    EXPECT_TRUE(FileExists(m_dir + L"a.txt"));
    EXPECT_FALSE(FileExists(m_dir + L"a.txtbak"));
    EXPECT_EQ(ReadBytes(target).size(), 6020001u);
    DeleteFileW((m_dir + L"a.txt").c_str());
    DeleteFileW(target.c_str());
}

TEST(LogService, TwoProcessesAppendingAtOnceKeepEveryEntry)
{
    const std::wstring path = CommonAppData() + L"ToolLog\\stellwick-processes.txt";
    DeleteFileW(path.c_str());
    constexpr int kEntries = 3000;
    std::vector<PROCESS_INFORMATION> children;
    for (const char* tag : {"first", "second"}) {
        std::wstring line = L"\"" + ExeDir() + L"log_print_helper.exe\" stellwick-processes.txt " +
                            std::to_wstring(kEntries) + L" " + std::wstring(tag, tag + std::strlen(tag));
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        children.push_back(process);
    }
    for (PROCESS_INFORMATION& process : children) {
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 300000), WAIT_OBJECT_0);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    const std::string bytes = ReadBytes(path);
    std::regex line(R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} \d{3}ms\]   (first|second) (\d+)\r\r)");
    int next[2] = {0, 0};
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "unterminated entry at " << start;
        std::smatch match;
        const std::string text = bytes.substr(start, end - start);
        ASSERT_TRUE(std::regex_match(text, match, line)) << "mangled entry: " << text;
        const int who = match[1] == "first" ? 0 : 1;
        EXPECT_EQ(std::stoi(match[2]), next[who]) << match[1];
        next[who] = std::stoi(match[2]) + 1;
        start = end + 1;
    }
    EXPECT_EQ(next[0], kEntries);
    EXPECT_EQ(next[1], kEntries);
    DeleteFileW(path.c_str());
}

TEST(LogService, EightThreadsLoseAndInterleaveNothing)
{
    const std::wstring path = CommonAppData() + L"ToolLog\\stellwick-threads.txt";
    DeleteFileW(path.c_str());
    constexpr int kThreads = 8;
    constexpr int kEntries = 2000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            for (int n = 0; n < kEntries; ++n) {
                CLogSave::GetInstance()->WriteLog("thread " + std::to_string(t) + " entry " +
                                                      std::to_string(n),
                                                  "stellwick-threads.txt", true);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }

    std::string bytes = ReadBytes(path);
    std::regex line(R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} \d{3}ms\]   thread (\d) entry (\d+)\r\r)");
    std::vector<int> next(kThreads, 0);
    size_t lines = 0;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "unterminated entry at " << start;
        std::smatch match;
        std::string text = bytes.substr(start, end - start);
        ASSERT_TRUE(std::regex_match(text, match, line)) << "mangled entry: " << text;
        int t = std::stoi(match[1]);
        int n = std::stoi(match[2]);
        ASSERT_LT(t, kThreads);
        // Each thread's entries arrive whole and in its own order.
        EXPECT_EQ(n, next[t]) << "thread " << t;
        next[t] = n + 1;
        ++lines;
        start = end + 1;
    }
    EXPECT_EQ(lines, static_cast<size_t>(kThreads * kEntries));
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(next[t], kEntries);
    }
    DeleteFileW(path.c_str());
}

// Each case runs the service in a new process so logCfg.ini is read anew.
class PrintSwitch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_config = CommonAppData() + L"logCfg.ini";
        m_innerConfig = CommonAppData() + L"ToolLog\\logCfg.ini";
        m_log = CommonAppData() + L"ToolLog\\stellwick-print.txt";
        DeleteFileW(m_config.c_str());
        DeleteFileW(m_innerConfig.c_str());
    }
    void TearDown() override
    {
        DeleteFileW(m_config.c_str());
        DeleteFileW(m_innerConfig.c_str());
        DeleteFileW(m_log.c_str());
    }

    // Returns the texts the helper managed to write, in order, joined by '|'.
    std::string RunHelper()
    {
        DeleteFileW(m_log.c_str());
        int code = RunAndWait(L"\"" + ExeDir() + L"log_print_helper.exe\" stellwick-print.txt");
        EXPECT_EQ(code, 0);
        std::string bytes = ReadBytes(m_log);
        std::string texts;
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find("\r\r\n", start);
            if (end == std::string::npos) {
                ADD_FAILURE() << "unterminated entry";
                break;
            }
            if (!texts.empty()) {
                texts += '|';
            }
            texts += bytes.substr(start + kPrefixLength, end - start - kPrefixLength);
            start = end + 3;
        }
        return texts;
    }

    std::wstring m_config;
    std::wstring m_innerConfig;
    std::wstring m_log;
};

TEST_F(PrintSwitch, ValuesReadLikeAnInteger)
{
    struct Case
    {
        const char* ini;
        bool on;
    };
    const Case cases[] = {
        {"[Log]\r\nprint=1\r\n", true},  {"[Log]\r\nprint=01\r\n", true},
        {"[Log]\r\nprint=+1\r\n", true}, {"[Log]\r\nprint=1abc\r\n", true},
        {"[Log]\r\nprint=2\r\n", false}, {"[Log]\r\nprint=-1\r\n", false},
        {"[Log]\r\nprint=\r\n", false},  {"[Log]\r\nprint=yes\r\n", false},
        {"[Log]\r\nother=1\r\n", false}, {"[Other]\r\nprint=1\r\n", false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteBytes(m_config, c.ini));
        EXPECT_EQ(RunHelper(), c.on ? "unforced|forced" : "forced") << c.ini;
    }
}

TEST_F(PrintSwitch, NoConfigFileOnlyForcedEntries)
{
    EXPECT_EQ(RunHelper(), "forced");
}

TEST_F(PrintSwitch, ConfigInsideLogFolderIsNotRead)
{
    ASSERT_TRUE(WriteBytes(m_innerConfig, "[Log]\r\nprint=1\r\n"));
    EXPECT_EQ(RunHelper(), "forced");
}

TEST(LogFolder, CreatedOnFirstUseWhenMissing)
{
    const std::wstring folder = CommonAppData() + L"ToolLog";
    const std::wstring aside = CommonAppData() + L"ToolLog.stellwick-aside";
    RemoveDirectoryW(aside.c_str());
    // Move the shared folder out of the way, keeping whatever it holds.
    bool moved = MoveFileExW(folder.c_str(), aside.c_str(), 0) != FALSE;
    ASSERT_FALSE(FileExists(folder));

    int code = RunAndWait(L"\"" + ExeDir() + L"log_print_helper.exe\" stellwick-folder.txt");
    EXPECT_EQ(code, 0);
    std::string bytes = ReadBytes(folder + L"\\stellwick-folder.txt");
    EXPECT_EQ(bytes.size(), kPrefixLength + 6 + 3);
    EXPECT_TRUE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    DeleteFileW((folder + L"\\stellwick-folder.txt").c_str());
    RemoveDirectoryW(folder.c_str());
    if (moved) {
        MoveFileExW(aside.c_str(), folder.c_str(), 0);
    }
}

TEST(LogFolder, PlainFileInItsPlaceDropsEntries)
{
    const std::wstring folder = CommonAppData() + L"ToolLog";
    const std::wstring aside = CommonAppData() + L"ToolLog.stellwick-aside";
    bool moved = MoveFileExW(folder.c_str(), aside.c_str(), 0) != FALSE;
    ASSERT_TRUE(WriteBytes(folder, "not a folder"));

    EXPECT_EQ(RunAndWait(L"\"" + ExeDir() + L"log_print_helper.exe\" stellwick-folder.txt"), 0);
    EXPECT_EQ(ReadBytes(folder), "not a folder");

    DeleteFileW(folder.c_str());
    if (moved) {
        MoveFileExW(aside.c_str(), folder.c_str(), 0);
    }
}

} // namespace
