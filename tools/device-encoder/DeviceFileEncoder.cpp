#include "DeviceFileEncoder.h"

#include "device/CAesCipher.h"
#include "device/DeviceCipherKey.h"

#include <algorithm>
#include <vector>

std::string Base64Encode(const std::string& bytes)
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned v = (unsigned(static_cast<unsigned char>(bytes[i])) << 16) |
                           (unsigned(static_cast<unsigned char>(bytes[i + 1])) << 8) |
                           unsigned(static_cast<unsigned char>(bytes[i + 2]));
        text += kAlphabet[(v >> 18) & 63];
        text += kAlphabet[(v >> 12) & 63];
        text += kAlphabet[(v >> 6) & 63];
        text += kAlphabet[v & 63];
    }
    const size_t rest = bytes.size() - i;
    if (rest != 0) {
        unsigned v = unsigned(static_cast<unsigned char>(bytes[i])) << 16;
        if (rest == 2)
            v |= unsigned(static_cast<unsigned char>(bytes[i + 1])) << 8;
        text += kAlphabet[(v >> 18) & 63];
        text += kAlphabet[(v >> 12) & 63];
        text += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        text += '=';
    }
    return text;
}

std::string EncryptDeviceText(const std::string& plain)
{
    std::vector<unsigned char> block((plain.size() + 15) / 16 * 16, 0);
    std::copy(plain.begin(), plain.end(), block.begin());
    if (block.empty())
        return std::string();

    unsigned char counter[16];
    BuildDeviceCounterBlock(counter);
    CAesCipher aes;
    aes.MakeKey(reinterpret_cast<const unsigned char*>(DEVICE_KEY_TEXT), 16);
    aes.SetCounter(counter);
    // Counter mode is its own inverse: the keystream XOR works both ways.
    aes.Decrypt(block.data(), block.data(), static_cast<unsigned>(block.size()), AES_MODE_COUNTER);
    return Base64Encode(std::string(block.begin(), block.end()));
}

std::string EncodeDeviceType(int deviceType)
{
    std::string plain = std::to_string(deviceType);
    plain.push_back('\0');
    return EncryptDeviceText(plain);
}

std::string DeviceInfoIniText(const std::string& base64Value)
{
    return "[DeviceType]\r\nType=" + base64Value + "\r\n";
}
