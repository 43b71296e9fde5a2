#include "device/DeviceFileSearch.h"

bool FindDeviceFile(const std::vector<std::wstring>& roots, const PathExistsFn& pathExists,
                    std::wstring& deviceFile)
{
    if (!pathExists)
        return false;
    for (const std::wstring& root : roots) {
        if (pathExists(root + AMBERCREST_CLIENT_PROGRAM)) {
            const std::wstring file = root + AMBERCREST_DEVICE_FILE;
            if (pathExists(file)) {
                deviceFile = file;
                return true;
            }
            continue;
        }
        if (pathExists(root + RVX_CLIENT_PROGRAM)) {
            const std::wstring file = root + RVX_DEVICE_FILE;
            if (pathExists(file)) {
                deviceFile = file;
                return true;
            }
        }
    }
    return false;
}
