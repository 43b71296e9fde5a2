// Device detection through real drive letters: E: to H: are test folders
// mapped by map-test-drives, emptied before every test.
#include "device/CAesCipher.h"
#include "device/DeviceFileSearch.h"
#include "device/DeviceTypeDetector.h"

#include "DeviceFileEncoder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const wchar_t* const kMarker = L".stellwick-test-drive";
const int kUntouched = -777; // detection that reads nothing leaves this

void WriteTextFile(const std::wstring& path, const std::string& contents)
{
    fs::create_directories(fs::path(path).parent_path());
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << GetLastError();
    DWORD written = 0;
    WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(contents.size(), written);
}

// A client program and, unless the type is kUntouched, its device file.
void Client(const std::wstring& program, const std::wstring& deviceFile, int type)
{
    WriteTextFile(program, "MZ");
    if (type != kUntouched)
        WriteTextFile(deviceFile, DeviceInfoIniText(EncodeDeviceType(type)));
}

class DeviceTypeDetection : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const wchar_t* root : {L"E:\\", L"F:\\", L"G:\\", L"H:\\"}) {
            // Only folders that the setup step marked are emptied, never a real drive.
            ASSERT_TRUE(fs::exists(fs::path(root) / kMarker)) << "test drives are not mapped";
            for (const auto& entry : fs::directory_iterator(root))
                if (entry.path().filename() != kMarker)
                    fs::remove_all(entry.path());
        }
    }

    int Detect(const std::vector<std::wstring>& roots)
    {
        int type = kUntouched;
        DetectDeviceTypeOnRoots(roots, m_aes, type);
        return type;
    }

    CAesCipher m_aes;
};

} // namespace

TEST_F(DeviceTypeDetection, FirstDriveWithAPairWins)
{
    Client(L"E:\\" RVX_CLIENT_PROGRAM, L"E:\\" RVX_DEVICE_FILE, 2);
    Client(L"F:\\" AMBERCREST_CLIENT_PROGRAM, L"F:\\" AMBERCREST_DEVICE_FILE, 1);
    EXPECT_EQ(2, Detect({L"E:\\", L"F:\\"}));
    EXPECT_EQ(1, Detect({L"F:\\", L"E:\\"})); // F:'s file is readable: it is the order
    Client(L"E:\\" AMBERCREST_CLIENT_PROGRAM, L"E:\\" AMBERCREST_DEVICE_FILE, -5);
    EXPECT_EQ(-5, Detect({L"E:\\"})); // Ambercrest before RVX on one drive
}

TEST_F(DeviceTypeDetection, AmbercrestProgramWithoutItsFileSkipsTheDrive)
{
    Client(L"E:\\" AMBERCREST_CLIENT_PROGRAM, L"", kUntouched);
    Client(L"E:\\" RVX_CLIENT_PROGRAM, L"E:\\" RVX_DEVICE_FILE, 2);
    EXPECT_EQ(kUntouched, Detect({L"E:\\"}));
    Client(L"G:\\" RVX_CLIENT_PROGRAM, L"G:\\" RVX_DEVICE_FILE, 2147483647);
    EXPECT_EQ(2147483647, Detect({L"E:\\", L"G:\\"}));
}

TEST_F(DeviceTypeDetection, DeviceFileWithoutItsProgramIsNotRead)
{
    WriteTextFile(L"E:\\" AMBERCREST_DEVICE_FILE, DeviceInfoIniText(EncodeDeviceType(1)));
    WriteTextFile(L"E:\\" RVX_DEVICE_FILE, DeviceInfoIniText(EncodeDeviceType(2)));
    EXPECT_EQ(kUntouched, Detect({L"E:\\"}));
    // A folder named like the program counts as the program.
    fs::create_directories(L"E:\\" RVX_CLIENT_PROGRAM);
    EXPECT_EQ(2, Detect({L"E:\\"}));
}

TEST_F(DeviceTypeDetection, EmptySectionGivesZeroAndStopsTheSearch)
{
    Client(L"E:\\" RVX_CLIENT_PROGRAM, L"", kUntouched);
    Client(L"F:\\" AMBERCREST_CLIENT_PROGRAM, L"F:\\" AMBERCREST_DEVICE_FILE, 1);
    for (const char* contents :
         {"[DeviceType]\r\n", "[DeviceType]\r\nType=\r\n", "[DeviceType]\r\nType=!!!!\r\n"}) {
        WriteTextFile(L"E:\\" RVX_DEVICE_FILE, contents);
        EXPECT_EQ(0, Detect({L"E:\\", L"F:\\"})) << contents;
    }
    std::string twoThenZeros(16, '\0');
    twoThenZeros[0] = '2';
    WriteTextFile(L"E:\\" RVX_DEVICE_FILE,
                  "[Other]\r\nType=QUJD\r\n[DeviceType]\r\nType=" + EncryptDeviceText(twoThenZeros) + "\r\n");
    EXPECT_EQ(2, Detect({L"E:\\", L"F:\\"}));
}

TEST_F(DeviceTypeDetection, NoDriveOrEmptyDrivesLeaveTheType)
{
    int type = 0;
    DetectDeviceTypeOnRoots({}, m_aes, type);
    EXPECT_EQ(0, type);
    EXPECT_EQ(kUntouched, Detect({L"E:\\", L"F:\\", L"G:\\", L"H:\\", L"Y:\\"})); // Y: is not mapped
}

TEST_F(DeviceTypeDetection, ReadIniStringKeeps254CharactersAndSkipsEmptyValues)
{
    WriteTextFile(L"G:\\values.ini", "[S]\r\nLong=" + std::string(300, 'k') + "\r\nEmpty=\r\n");
    std::wstring value = L"before";
    EXPECT_TRUE(ReadIniString(L"S", L"Long", L"G:\\values.ini", &value));
    EXPECT_EQ(std::wstring(254, L'k'), value);
    value = L"before";
    EXPECT_FALSE(ReadIniString(L"S", L"Empty", L"G:\\values.ini", &value));
    EXPECT_FALSE(ReadIniString(L"S", L"Missing", L"G:\\values.ini", &value));
    EXPECT_FALSE(ReadIniString(L"S", L"Long", L"G:\\missing.ini", &value));
    EXPECT_EQ(L"before", value);
}
