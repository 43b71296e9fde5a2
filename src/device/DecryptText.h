// Turns one Base64 value of a device file back into its plain text.
#pragma once

class CAesCipher;

// Sets an AES-128 key from the first 16 bytes of key and the device counter
// block on aes, decodes text and decrypts it in counter mode into out (zeroed
// first). Returns the length of the plain text (the bytes before the first
// zero byte, never more than outSize). Returns 0 with out untouched when out
// cannot hold the text or the decrypted length; a text shorter than four
// characters decrypts nothing and leaves out all zeros.
int DecryptText(CAesCipher& aes, const char* text, char* out, unsigned outSize, const unsigned char* key);
