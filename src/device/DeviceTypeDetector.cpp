#include "device/DeviceTypeDetector.h"

#include "device/CAesCipher.h"
#include "device/DeviceFileSearch.h"
#include "device/DeviceTypeValue.h"

#include <windows.h>

#include <io.h>

namespace {

const DWORD kIniBufferChars = 255;

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    if (bytes <= 0)
        return std::string();
    std::string narrow(static_cast<size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &narrow[0], bytes,
                            nullptr, nullptr) != bytes)
        return std::string();
    return narrow;
}

} // namespace

bool DevicePathExists(const std::wstring& path)
{
    return _waccess(path.c_str(), 0) == 0;
}

bool ReadIniString(const std::wstring& section, const std::wstring& key, const std::wstring& file,
                   std::wstring* value)
{
    wchar_t buffer[kIniBufferChars] = {};
    const DWORD length =
        GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, kIniBufferChars, file.c_str());
    if (length == 0)
        return false;
    if (value != nullptr)
        value->assign(buffer, length);
    return true;
}

int ReadDeviceTypeFile(const std::wstring& file, CAesCipher& aes)
{
    std::wstring value;
    ReadIniString(DEVICE_FILE_SECTION, DEVICE_FILE_KEY, file, &value);
    return DeviceTypeFromValue(aes, ToAnsi(value));
}

void DetectDeviceTypeOnRoots(const std::vector<std::wstring>& roots, CAesCipher& aes, int& deviceType)
{
    std::wstring file;
    if (!FindDeviceFile(roots, DevicePathExists, file))
        return;
    deviceType = ReadDeviceTypeFile(file, aes);
}
