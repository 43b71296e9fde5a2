// Device file detection through real drive letters, INI reading and file
// existence tests of the Win32 layer. E: to H: are test folders (see
// map-test-drives); every test starts with them empty.
#include "device/CAesCipher.h"
#include "device/DeviceFileSearch.h"
#include "device/DeviceTypeDetector.h"

#include "DeviceFileEncoder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const wchar_t* const kTestDrives[] = {L"E:\\", L"F:\\", L"G:\\", L"H:\\"};

const wchar_t* const kMarkerName = L".stellwick-test-drive";

// Stands for "nothing was read": detection must leave it as it is.
const int kUntouched = -777;

void WriteTextFile(const std::wstring& path, const std::string& contents)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << "cannot create file, error " << GetLastError();
    DWORD written = 0;
    const BOOL ok = WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok);
    ASSERT_EQ(contents.size(), written);
}

void WriteDeviceFile(const std::wstring& path, int deviceType)
{
    WriteTextFile(path, DeviceInfoIniText(EncodeDeviceType(deviceType)));
}

void WriteClientProgram(const std::wstring& path)
{
    WriteTextFile(path, "MZ");
}

class DeviceTypeDetection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const wchar_t* root : kTestDrives) {
            // Only folders that the setup step marked are ever emptied, never a
            // drive of a real machine.
            const std::filesystem::path marker = std::filesystem::path(root) / kMarkerName;
            ASSERT_TRUE(std::filesystem::exists(marker))
                << std::filesystem::path(root).string() << " is not a mapped test drive (see map-test-drives)";
            for (const auto& entry : std::filesystem::directory_iterator(root))
                if (entry.path().filename() != kMarkerName)
                    std::filesystem::remove_all(entry.path());
        }
    }

    int Detect(const std::vector<std::wstring>& roots)
    {
        int deviceType = kUntouched;
        DetectDeviceTypeOnRoots(roots, m_aes, deviceType);
        return deviceType;
    }

    CAesCipher m_aes;
};

} // namespace

TEST_F(DeviceTypeDetection, EarlierDriveWinsOverAnAmbercrestClientOnALaterOne)
{
    WriteClientProgram(L"E:\\" RVX_CLIENT_PROGRAM);
    WriteDeviceFile(L"E:\\" RVX_DEVICE_FILE, 2);
    WriteClientProgram(L"F:\\" AMBERCREST_CLIENT_PROGRAM);
    WriteDeviceFile(L"F:\\" AMBERCREST_DEVICE_FILE, 1);

    EXPECT_EQ(2, Detect({L"E:\\", L"F:\\"}));
    // F: on its own is readable: the result above is the order, not a bad file.
    EXPECT_EQ(1, Detect({L"F:\\"}));
    EXPECT_EQ(1, Detect({L"F:\\", L"E:\\"}));
}

TEST_F(DeviceTypeDetection, AmbercrestFilesBeforeRvxFilesOnOneDrive)
{
    WriteClientProgram(L"E:\\" RVX_CLIENT_PROGRAM);
    WriteDeviceFile(L"E:\\" RVX_DEVICE_FILE, 2);
    WriteClientProgram(L"E:\\" AMBERCREST_CLIENT_PROGRAM);
    WriteDeviceFile(L"E:\\" AMBERCREST_DEVICE_FILE, 1);
    EXPECT_EQ(1, Detect({L"E:\\"}));
}

TEST_F(DeviceTypeDetection, AmbercrestProgramWithoutItsDeviceFileSkipsTheDrive)
{
    WriteClientProgram(L"E:\\" AMBERCREST_CLIENT_PROGRAM);
    WriteClientProgram(L"E:\\" RVX_CLIENT_PROGRAM);
    WriteDeviceFile(L"E:\\" RVX_DEVICE_FILE, 2);
    EXPECT_EQ(kUntouched, Detect({L"E:\\"}));

    WriteClientProgram(L"G:\\" RVX_CLIENT_PROGRAM);
    WriteDeviceFile(L"G:\\" RVX_DEVICE_FILE, 5);
    EXPECT_EQ(5, Detect({L"E:\\", L"G:\\"}));
}

TEST_F(DeviceTypeDetection, DeviceFileWithoutItsClientProgramIsNotRead)
{
    WriteDeviceFile(L"E:\\" AMBERCREST_DEVICE_FILE, 1);
    WriteDeviceFile(L"E:\\" RVX_DEVICE_FILE, 2);
    // The other client's program does not make a file count.
    WriteClientProgram(L"F:\\" AMBERCREST_CLIENT_PROGRAM);
    WriteDeviceFile(L"F:\\" RVX_DEVICE_FILE, 2);
    EXPECT_EQ(kUntouched, Detect({L"E:\\", L"F:\\"}));
}

TEST_F(DeviceTypeDetection, FoldersCountAsExistingPaths)
{
    std::filesystem::create_directories(L"E:\\" RVX_CLIENT_PROGRAM);
    WriteDeviceFile(L"E:\\" RVX_DEVICE_FILE, 2);
    EXPECT_TRUE(DevicePathExists(L"E:\\" RVX_CLIENT_PROGRAM));
    EXPECT_TRUE(DevicePathExists(L"E:\\"));
    EXPECT_FALSE(DevicePathExists(L"E:\\" AMBERCREST_CLIENT_PROGRAM));
    EXPECT_EQ(2, Detect({L"E:\\"}));
}

TEST_F(DeviceTypeDetection, EmptySectionGivesZeroAndEndsTheSearch)
{
    WriteClientProgram(L"E:\\" RVX_CLIENT_PROGRAM);
    WriteTextFile(L"E:\\" RVX_DEVICE_FILE, "[DeviceType]\r\n");
    WriteClientProgram(L"F:\\" AMBERCREST_CLIENT_PROGRAM);
    WriteDeviceFile(L"F:\\" AMBERCREST_DEVICE_FILE, 1);
    EXPECT_EQ(0, Detect({L"E:\\", L"F:\\"}));

    // The same for a file that is not an INI file at all and for a value
    // that is not Base64.
    WriteTextFile(L"E:\\" RVX_DEVICE_FILE, "not an ini file");
    EXPECT_EQ(0, Detect({L"E:\\", L"F:\\"}));
    WriteTextFile(L"E:\\" RVX_DEVICE_FILE, "[DeviceType]\r\nType=\r\n");
    EXPECT_EQ(0, Detect({L"E:\\", L"F:\\"}));
}

TEST_F(DeviceTypeDetection, ValuesThroughRealFiles)
{
    WriteClientProgram(L"H:\\" AMBERCREST_CLIENT_PROGRAM);
    for (int type : {0, 1, 2, -5, INT_MAX}) {
        WriteDeviceFile(L"H:\\" AMBERCREST_DEVICE_FILE, type);
        EXPECT_EQ(type, Detect({L"H:\\"})) << type;
    }
    // Plain text "2" and then nothing but zero bytes.
    WriteTextFile(L"H:\\" AMBERCREST_DEVICE_FILE,
                  DeviceInfoIniText(EncryptDeviceText(std::string("2\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16))));
    EXPECT_EQ(2, Detect({L"H:\\"}));
    // Other sections and keys around the value do not matter.
    WriteTextFile(L"H:\\" AMBERCREST_DEVICE_FILE, "[Other]\r\nType=QUJD\r\n[DeviceType]\r\nName=x\r\nType=" +
                                                      EncodeDeviceType(9) + "\r\n");
    EXPECT_EQ(9, Detect({L"H:\\"}));
}

TEST_F(DeviceTypeDetection, NoDrivesLeaveTheTypeAlone)
{
    EXPECT_EQ(kUntouched, Detect({}));
    int deviceType = 0;
    DetectDeviceTypeOnRoots({}, m_aes, deviceType);
    EXPECT_EQ(0, deviceType);
    // Empty drives and a letter that is not mapped at all.
    EXPECT_EQ(kUntouched, Detect({L"E:\\", L"F:\\", L"G:\\", L"H:\\", L"Y:\\"}));
}

TEST_F(DeviceTypeDetection, ReadIniStringKeepsAtMost254Characters)
{
    const std::string longValue(300, 'k');
    WriteTextFile(L"G:\\values.ini", "[S]\r\nLong=" + longValue + "\r\nEmpty=\r\nShort=abc\r\n");

    std::wstring value = L"before";
    EXPECT_TRUE(ReadIniString(L"S", L"Long", L"G:\\values.ini", &value));
    EXPECT_EQ(std::wstring(254, L'k'), value);

    EXPECT_TRUE(ReadIniString(L"S", L"Short", L"G:\\values.ini", &value));
    EXPECT_EQ(L"abc", value);

    value = L"before";
    EXPECT_FALSE(ReadIniString(L"S", L"Empty", L"G:\\values.ini", &value));
    EXPECT_FALSE(ReadIniString(L"S", L"Missing", L"G:\\values.ini", &value));
    EXPECT_FALSE(ReadIniString(L"S", L"Short", L"G:\\missing.ini", &value));
    EXPECT_EQ(L"before", value);
}
