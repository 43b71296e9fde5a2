#include "device/DecryptText.h"

#include "device/Base64Decode.h"
#include "device/CAesCipher.h"
#include "device/DeviceCipherKey.h"

#include <cstring>
#include <vector>

int DecryptText(CAesCipher& aes, const char* text, char* out, unsigned outSize, const unsigned char* key)
{
    if (text == nullptr || out == nullptr || key == nullptr)
        return 0;

    unsigned char counter[16];
    BuildDeviceCounterBlock(counter);
    aes.MakeKey(key, 16);
    aes.SetCounter(counter);

    const size_t textLength = std::strlen(text);
    const size_t capacity = textLength / 4 * 3;
    const size_t cipherLength = (capacity + 15) / 16 * 16;
    // The decrypted blocks are written whole, so the buffer must hold the
    // rounded-up length, not only the text's length.
    if (outSize < textLength || outSize < cipherLength)
        return 0;

    // Bytes past what the decoder writes stay zero. A decoding error is not
    // fatal: whatever was decoded before it is decrypted all the same.
    std::vector<unsigned char> decoded(cipherLength, 0);
    if (cipherLength != 0)
        Base64Decode(text, decoded.data(), static_cast<unsigned>(capacity));

    std::memset(out, 0, outSize);
    if (cipherLength != 0)
        aes.Decrypt(decoded.data(), reinterpret_cast<unsigned char*>(out),
                    static_cast<unsigned>(cipherLength), AES_MODE_COUNTER);

    unsigned length = 0;
    while (length < outSize && out[length] != '\0')
        ++length;
    return static_cast<int>(length);
}
