#include "repair/UsbDrives.h"

#include <windows.h>
#include <winioctl.h>

namespace {

constexpr DWORD kDescriptorBytes = 40;
constexpr DWORD kDriveStringsSize = 1024;

} // namespace

bool IsUsbVolume(const std::wstring& root)
{
    if (root.empty()) {
        return false;
    }
    wchar_t device[16] = {};
    wsprintfW(device, L"\\\\?\\%c:", root[0]);
    HANDLE volume = CreateFileW(device, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (volume == INVALID_HANDLE_VALUE) {
        return false;
    }
    STORAGE_PROPERTY_QUERY query = {};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    union {
        STORAGE_DEVICE_DESCRIPTOR descriptor;
        BYTE bytes[kDescriptorBytes];
    } result = {};
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(volume, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), &result,
                              kDescriptorBytes, &returned, nullptr);
    CloseHandle(volume);
    return ok && result.descriptor.BusType == BusTypeUsb;
}

bool GetUsbDrives(std::vector<std::wstring>& drives)
{
    wchar_t buffer[kDriveStringsSize] = {};
    DWORD length = GetLogicalDriveStringsW(kDriveStringsSize - 1, buffer);
    // A result longer than the buffer is the size it would need, not
    // characters written.
    if (length >= kDriveStringsSize) {
        length = 0;
    }
    for (DWORD p = 0; p < length; p += 4) {
        std::wstring root(buffer + p, 3);
        if (IsUsbVolume(root)) {
            drives.push_back(root);
        }
    }
    return !drives.empty();
}
