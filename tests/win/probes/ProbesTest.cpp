// The system probes under Wine: the version from the environment block in
// prefixes set to several Windows versions, and the USB drive listing on a
// system that has no USB drive.
#include "repair/CRegistryRepair.h"
#include "repair/UsbDrives.h"

#include "../repair/WinTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Probes, SupportedOnlyOnWindows10)
{
    // Each registration of this test names the answer its prefix must give.
    const std::string expected = wintest::EnvA("STELLWICK_EXPECT_SUPPORTED");
    ASSERT_TRUE(expected == "1" || expected == "0");
    CRegistryRepair repair;
    EXPECT_EQ(repair.IsSupportedSystem(), expected == "1");
}

TEST(Probes, NoUsbDriveLeavesTheListAsItWas)
{
    std::vector<std::wstring> drives;
    EXPECT_FALSE(GetUsbDrives(drives));
    EXPECT_TRUE(drives.empty());

    std::vector<std::wstring> held = {L"Q:\\"};
    EXPECT_TRUE(GetUsbDrives(held));
    EXPECT_EQ(held, (std::vector<std::wstring>{L"Q:\\"}));
}

TEST(Probes, DrivesThatAreNotUsb)
{
    // C: answers with another bus type, Z: cannot be opened as a volume, and
    // a letter without a drive does not exist.
    EXPECT_FALSE(IsUsbVolume(L"C:\\"));
    EXPECT_FALSE(IsUsbVolume(L"Z:\\"));
    EXPECT_FALSE(IsUsbVolume(L"R:\\"));
    EXPECT_FALSE(IsUsbVolume(L""));
}

} // namespace
