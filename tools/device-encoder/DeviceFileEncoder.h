// Writing device files: the same key and counter block the tool reads them
// with. Used by technicians (the device-encoder program) and by the tests.
#pragma once

#include <string>

// Standard alphabet, "=" padding, no line breaks.
std::string Base64Encode(const std::string& bytes);

// Encrypts plain bytes (zeros allowed) in counter mode with the device key and
// counter block, zero-padded to whole 16-byte blocks, and returns the Base64
// text of the cipher bytes.
std::string EncryptDeviceText(const std::string& plain);

// The Base64 value for a device type: its decimal text followed by at least
// one zero byte.
std::string EncodeDeviceType(int deviceType);

// Complete contents of a "DeviceInfo.ini" holding that value.
std::string DeviceInfoIniText(const std::string& base64Value);
