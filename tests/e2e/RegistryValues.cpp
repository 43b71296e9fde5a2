#include "RegistryValues.h"

namespace {

const wchar_t REPAIR_KEY[] = L"SOFTWARE\\Microsoft\\WindowsSelfHost\\Applicability";

} // namespace

bool ReadRepairValue(REGSAM view, const wchar_t* name, std::wstring* value)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, REPAIR_KEY, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return false;
    wchar_t buffer[512] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    LONG rc = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return false;
    if (value)
        *value = type == REG_SZ ? std::wstring(buffer) : std::wstring(L"<not a string>");
    return true;
}

bool WriteRepairValue(REGSAM view, const wchar_t* name, const std::wstring& value)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, REPAIR_KEY, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

void DeleteRepairValue(REGSAM view, const wchar_t* name)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, REPAIR_KEY, 0, KEY_SET_VALUE | view, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueW(key, name);
    RegCloseKey(key);
}

void ClearRepairValues()
{
    for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
        for (const wchar_t* name : {L"BranchName", L"ThresholdRiskLevel", L"ThresholdInternal", L"ThresholdOptedIn"})
            DeleteRepairValue(view, name);
    }
}
