#include "log/CLogBase.h"
#include "log/CPacketLog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(PacketLog, StartsEmptyAndCopiesBothStrings)
{
    CPacketLog packet;
    EXPECT_EQ(packet.GetFileName(), "");
    EXPECT_EQ(packet.GetText(), "");

    packet.SetFileName("Stellwick.txt");
    packet.SetText(std::string("a\0b", 3));
    CPacketLog copy = packet;
    packet.SetText("changed");
    EXPECT_EQ(copy.GetFileName(), "Stellwick.txt");
    EXPECT_EQ(copy.GetText(), std::string("a\0b", 3));
    EXPECT_EQ(packet.GetText(), "changed");
}

// A writer that keeps what it was given, to prove the base hands its folder
// down and is destroyed through its virtual destructor.
class RecordingWriter : public CLogBase
{
public:
    RecordingWriter(std::wstring dir, bool* destroyed) : CLogBase(std::move(dir)), m_destroyed(destroyed) {}
    ~RecordingWriter() override { *m_destroyed = true; }
    void WritePacket(CPacketLog* packet) override { m_packets.push_back(*packet); }
    void WriteHex(const unsigned char*, int, std::string) override {}
    void WriteText(std::string text, std::string fileName) override
    {
        CPacketLog packet;
        packet.SetFileName(fileName);
        packet.SetText(text);
        WritePacket(&packet);
    }
    const std::wstring& Dir() const { return m_strLogDir; }
    std::vector<CPacketLog> m_packets;

private:
    bool* m_destroyed;
};

TEST(PacketLog, WriterBaseKeepsFolderAndDestroysVirtually)
{
    bool destroyed = false;
    {
        std::unique_ptr<CLogBase> writer(new RecordingWriter(L"C:\\ProgramData\\ToolLog\\", &destroyed));
        writer->WriteText("text", "file.txt");
        auto* recording = static_cast<RecordingWriter*>(writer.get());
        EXPECT_EQ(recording->Dir(), L"C:\\ProgramData\\ToolLog\\");
        ASSERT_EQ(recording->m_packets.size(), 1u);
        EXPECT_EQ(recording->m_packets[0].GetFileName(), "file.txt");
        EXPECT_EQ(recording->m_packets[0].GetText(), "text");
    }
    EXPECT_TRUE(destroyed);
}

} // namespace
