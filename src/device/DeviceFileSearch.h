// Where the support clients leave their device file on a drive, and which
// file of a list of drives is the one to read.
#pragma once

#include <functional>
#include <string>
#include <vector>

#define AMBERCREST_CLIENT_PROGRAM L"AC\\Ambercrest\\AmbercrestClient.exe"
#define AMBERCREST_DEVICE_FILE L"AC\\Ambercrest\\DeviceInfo.ini"
#define RVX_CLIENT_PROGRAM L"RVX\\RVXKey\\RVXClient.exe"
#define RVX_DEVICE_FILE L"RVX\\RVXKey\\DeviceInfo.ini"

#define DEVICE_FILE_SECTION L"DeviceType"
#define DEVICE_FILE_KEY L"Type"

typedef std::function<bool(const std::wstring& path)> PathExistsFn;

// Walks the drive roots ("E:\") in order. On each root the Ambercrest client
// is looked at first; when its program is there the root is decided by its
// device file alone and the RVX client of that root is not tried. A device
// file counts only beside its client program. Returns true with the first
// device file found in deviceFile; false leaves deviceFile untouched.
bool FindDeviceFile(const std::vector<std::wstring>& roots, const PathExistsFn& pathExists,
                    std::wstring& deviceFile);
