// The repaired key as the 64-bit and the 32-bit registry views show it.
#pragma once

#include <windows.h>

#include <string>

// KEY_WOW64_64KEY or KEY_WOW64_32KEY.
bool ReadRepairValue(REGSAM view, const wchar_t* name, std::wstring* value);
bool WriteRepairValue(REGSAM view, const wchar_t* name, const std::wstring& value);
void DeleteRepairValue(REGSAM view, const wchar_t* name);
// Both views back to "nothing repaired yet": the four values gone.
void ClearRepairValues();
