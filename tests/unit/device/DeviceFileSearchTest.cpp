#include "device/DeviceFileSearch.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// A fake file system that remembers every path it was asked about.
class FakeDrives
{
public:
    explicit FakeDrives(std::set<std::wstring> existing) : m_existing(std::move(existing)) {}

    PathExistsFn Probe()
    {
        return [this](const std::wstring& path) {
            m_asked.push_back(path);
            return m_existing.count(path) != 0;
        };
    }

    bool Asked(const std::wstring& prefix) const
    {
        for (const std::wstring& p : m_asked)
            if (p.compare(0, prefix.size(), prefix) == 0)
                return true;
        return false;
    }

private:
    std::set<std::wstring> m_existing;
    std::vector<std::wstring> m_asked;
};

const std::wstring kE = L"E:\\";
const std::wstring kF = L"F:\\";

} // namespace

TEST(DeviceFileSearch, FirstDriveWinsEvenWithTheLaterClient)
{
    FakeDrives drives({kE + RVX_CLIENT_PROGRAM, kE + RVX_DEVICE_FILE, kF + AMBERCREST_CLIENT_PROGRAM,
                       kF + AMBERCREST_DEVICE_FILE});
    std::wstring file;
    ASSERT_TRUE(FindDeviceFile({kE, kF}, drives.Probe(), file));
    EXPECT_EQ(L"E:\\RVX\\RVXKey\\DeviceInfo.ini", file);
    EXPECT_FALSE(drives.Asked(kF));
}

TEST(DeviceFileSearch, AmbercrestBeforeRvxOnOneDrive)
{
    FakeDrives drives({kE + RVX_CLIENT_PROGRAM, kE + RVX_DEVICE_FILE, kE + AMBERCREST_CLIENT_PROGRAM,
                       kE + AMBERCREST_DEVICE_FILE});
    std::wstring file;
    ASSERT_TRUE(FindDeviceFile({kE}, drives.Probe(), file));
    EXPECT_EQ(L"E:\\AC\\Ambercrest\\DeviceInfo.ini", file);
}

TEST(DeviceFileSearch, AmbercrestProgramWithoutItsFileSkipsTheDrive)
{
    FakeDrives drives({kE + AMBERCREST_CLIENT_PROGRAM, kE + RVX_CLIENT_PROGRAM, kE + RVX_DEVICE_FILE});
    std::wstring file = L"unchanged";
    EXPECT_FALSE(FindDeviceFile({kE}, drives.Probe(), file));
    EXPECT_EQ(L"unchanged", file);
    EXPECT_FALSE(drives.Asked(kE + L"RVX"));

    // The next drive is still searched.
    FakeDrives two({kE + AMBERCREST_CLIENT_PROGRAM, kE + RVX_CLIENT_PROGRAM, kE + RVX_DEVICE_FILE,
                    kF + RVX_CLIENT_PROGRAM, kF + RVX_DEVICE_FILE});
    ASSERT_TRUE(FindDeviceFile({kE, kF}, two.Probe(), file));
    EXPECT_EQ(kF + RVX_DEVICE_FILE, file);
}

TEST(DeviceFileSearch, DeviceFileWithoutItsProgramIsNotRead)
{
    FakeDrives drives({kE + AMBERCREST_DEVICE_FILE, kE + RVX_DEVICE_FILE, kF + RVX_CLIENT_PROGRAM});
    std::wstring file;
    EXPECT_FALSE(FindDeviceFile({kE, kF}, drives.Probe(), file));
    EXPECT_TRUE(file.empty());
    EXPECT_FALSE(drives.Asked(kE + AMBERCREST_DEVICE_FILE));
    EXPECT_FALSE(drives.Asked(kE + RVX_DEVICE_FILE));
}

TEST(DeviceFileSearch, NoDrivesOrNoProbe)
{
    std::wstring file = L"unchanged";
    FakeDrives none({});
    EXPECT_FALSE(FindDeviceFile({}, none.Probe(), file));
    EXPECT_FALSE(FindDeviceFile({kE}, PathExistsFn(), file));
    EXPECT_EQ(L"unchanged", file);
}
