// The repair key's state in a chosen registry view, for the repair tests.
#pragma once

#include <windows.h>

#include <string>

namespace wintest {

constexpr wchar_t kRepairKey[] = L"SOFTWARE\\Microsoft\\WindowsSelfHost\\Applicability";

inline void DeleteRepairKey()
{
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kRepairKey, KEY_WOW64_64KEY, 0);
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kRepairKey, KEY_WOW64_32KEY, 0);
}

inline bool SetRepairValue(const wchar_t* name, const wchar_t* data, REGSAM view = KEY_WOW64_64KEY)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRepairKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                                 static_cast<DWORD>((wcslen(data) + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// true when the value exists; its text goes to data.
inline bool GetRepairValue(const wchar_t* name, std::wstring* data, REGSAM view = KEY_WOW64_64KEY)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRepairKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) {
        return false;
    }
    wchar_t buffer[256] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        return false;
    }
    if (data != nullptr) {
        *data = buffer;
    }
    return true;
}

inline bool RepairKeyExists(REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRepairKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

} // namespace wintest
