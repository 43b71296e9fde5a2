#include "log/LogEntryFormat.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LogTime MakeTime(int year, int month, int day, int hour, int minute, int second, int milliseconds)
{
    LogTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    time.milliseconds = milliseconds;
    return time;
}

LogTime SampleTime()
{
    return MakeTime(2023, 1, 2, 9, 5, 3, 7);
}

TEST(LogEntryFormat, PrefixIsZeroPaddedStampAndThreeSpaces)
{
    EXPECT_EQ(FormatLogPrefix(SampleTime()), "[2023-01-02 09:05:03 007ms]   ");
    EXPECT_EQ(FormatLogPrefix(MakeTime(2099, 12, 31, 23, 59, 59, 999)), "[2099-12-31 23:59:59 999ms]   ");
}

TEST(LogEntryFormat, EntryEndsInCrCrLf)
{
    EXPECT_EQ(FormatLogEntry(SampleTime(), "abc"), "[2023-01-02 09:05:03 007ms]   abc\r\r\n");
    EXPECT_EQ(FormatLogEntry(SampleTime(), ""), "[2023-01-02 09:05:03 007ms]   \r\r\n");
}

TEST(LogEntryFormat, TextBytesPassUnchangedExceptLineFeeds)
{
    // GBK of 修复 and a lone CR stay as they are; every LF becomes CR LF.
    const std::string gbk = "\xD0\xDE\xB8\xB4";
    EXPECT_EQ(FormatLogEntry(SampleTime(), gbk), "[2023-01-02 09:05:03 007ms]   " + gbk + "\r\r\n");
    EXPECT_EQ(FormatLogEntry(SampleTime(), "a\nb\r\nc\rd"),
              "[2023-01-02 09:05:03 007ms]   a\r\nb\r\r\nc\rd\r\r\n");
}

TEST(LogEntryFormat, TextEndsAtFirstZeroByte)
{
    std::string text("ab\0cd", 5);
    EXPECT_EQ(FormatLogEntry(SampleTime(), text), "[2023-01-02 09:05:03 007ms]   ab\r\r\n");
}

TEST(LogEntryFormat, RotationOnlyAboveThreshold)
{
    EXPECT_FALSE(IsOverRotationSize(0));
    EXPECT_FALSE(IsOverRotationSize(6000000));
    EXPECT_FALSE(IsOverRotationSize(6020000));
    EXPECT_TRUE(IsOverRotationSize(6020001));
    EXPECT_TRUE(IsOverRotationSize(6291456));
    // Compared as an unsigned 32-bit length.
    EXPECT_FALSE(IsOverRotationSize((std::uint64_t{1} << 32) + 5));
    EXPECT_TRUE(IsOverRotationSize(0xFFFFFFFFu));
}

TEST(LogEntryFormat, PrintSwitchReadsLikeWcstol)
{
    for (const wchar_t* on : {L"1", L"01", L"+1", L"1abc", L"  1", L"\t1 ", L"0001"}) {
        EXPECT_TRUE(ParsePrintSwitch(on)) << '"' << std::string(on, on + std::wcslen(on)) << '"';
    }
    for (const wchar_t* off :
         {L"2", L"-1", L"", L"yes", L"on", L"x1", L"10", L"0", L"- 1", L"99999999999999999999"}) {
        EXPECT_FALSE(ParsePrintSwitch(off)) << '"' << std::string(off, off + std::wcslen(off)) << '"';
    }
}

TEST(LogEntryFormat, HexTextHasASpaceAfterEveryByte)
{
    const unsigned char bytes[] = {0x00, 0xAB, 0x10};
    EXPECT_EQ(FormatHexText(bytes, 3), L"00 AB 10 ");
    const unsigned char all[] = {0xFF, 0x0F, 0xF0};
    EXPECT_EQ(FormatHexText(all, 1), L"FF ");
    EXPECT_EQ(FormatHexText(all, 3), L"FF 0F F0 ");
    EXPECT_EQ(FormatHexText(bytes, 0), L"");
    EXPECT_EQ(FormatHexText(bytes, -4), L"");
}

} // namespace
