// The DrawText formats of the painted text controls' placement codes.
// The flag values are the platform's (DT_LEFT 0, DT_CENTER 1, DT_RIGHT 2,
// DT_VCENTER 4, DT_WORDBREAK 0x10, DT_SINGLELINE 0x20); kept here so the
// mapping builds and is tested without the window headers.
#pragma once

constexpr unsigned TEXT_DT_LEFT = 0x00;
constexpr unsigned TEXT_DT_CENTER = 0x01;
constexpr unsigned TEXT_DT_RIGHT = 0x02;
constexpr unsigned TEXT_DT_VCENTER = 0x04;
constexpr unsigned TEXT_DT_WORDBREAK = 0x10;
constexpr unsigned TEXT_DT_SINGLELINE = 0x20;

// The label control: false when the code draws no text (5, 6 and unknown codes).
bool DrawTextStaticFormat(int code, unsigned* format);

// The animated status line: every code draws; unknown codes are one line, left.
unsigned StateInfoStaticFormat(int code);

// The ellipsis after the status text for a dot count of 0 to 3.
const wchar_t* EllipsisDots(int dotCount);
