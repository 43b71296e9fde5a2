// Decoder for the Base64 values of the device files.
#pragma once

// Decodes groups of four characters of the standard alphabet ("=" padding)
// into out. A leading "+ " is skipped. Decoding stops at the terminating zero,
// at a CR that begins a group, or after a group that ends in "=". Returns the
// number of bytes written, or -1 for a character outside the alphabet, a
// group cut short (a line feed included) or a byte beyond maxBytes; bytes
// written before the error stay in out. maxBytes 0 means no limit, so out
// must then hold three bytes for every four characters of text.
int Base64Decode(const char* text, unsigned char* out, unsigned maxBytes);
