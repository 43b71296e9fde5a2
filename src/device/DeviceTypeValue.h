// From the narrow "Type" text of a device file to the device type number.
#pragma once

#include <string>

class CAesCipher;

// Size of the buffer the value is decrypted into.
#define DEVICE_VALUE_BUFFER_SIZE 1024

// Base-10 number at the start of text, read the way wcstol reads it: leading
// white space, an optional sign, then digits up to the first other character.
// No digits give 0; values beyond the 32-bit range give the nearest limit.
int ParseDeviceNumber(const wchar_t* text);

// Decrypts the Base64 value with the device key into a zeroed 1024-byte
// buffer, widens the plain text with the C runtime's multibyte conversion and
// parses its leading number.
int DeviceTypeFromValue(CAesCipher& aes, const std::string& value);
