// Reading the support clients' device file from the drives handed in.
#pragma once

#include <string>
#include <vector>

class CAesCipher;

// True when the path names an existing file or folder (_waccess, mode 0).
bool DevicePathExists(const std::wstring& path);

// Reads key of section from an INI file into a 255-character buffer with
// default "". A non-empty text is stored in value and gives true; otherwise
// value is left as it was and the result is false.
bool ReadIniString(const std::wstring& section, const std::wstring& key, const std::wstring& file,
                   std::wstring* value);

// The device type written in one device file; an absent or unreadable value
// reads as empty text and gives 0.
int ReadDeviceTypeFile(const std::wstring& file, CAesCipher& aes);

// Looks for the first device file on the drive roots and sets deviceType from
// it, even when the number read is 0. Without a device file deviceType keeps
// its value.
void DetectDeviceTypeOnRoots(const std::vector<std::wstring>& roots, CAesCipher& aes, int& deviceType);
