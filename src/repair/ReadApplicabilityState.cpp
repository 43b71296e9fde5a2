#include "repair/ReadApplicabilityState.h"

#include <windows.h>

#include <vector>

namespace {

// One value: absent, a string (an expandable one marked), or present with
// another type. false when it could not be read.
bool ReadValue(HKEY key, const wchar_t* name, std::optional<std::wstring>& value)
{
    value.reset();
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    if (result == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    // The value may change between the two calls: ask again while it grows.
    std::vector<wchar_t> buffer;
    for (int attempt = 0; attempt < 4 && (result == ERROR_SUCCESS || result == ERROR_MORE_DATA); ++attempt) {
        buffer.assign(size / sizeof(wchar_t) + 2, L'\0');
        DWORD capacity = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        size = capacity;
        result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result == ERROR_FILE_NOT_FOUND) {
            return true;
        }
        if (result == ERROR_SUCCESS) {
            if (type != REG_SZ && type != REG_EXPAND_SZ) {
                value = L"<type " + std::to_wstring(type) + L">";
                return true;
            }
            // The stored data need not end in a NUL; the buffer always does.
            std::wstring text(buffer.data(), size / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0') {
                text.pop_back();
            }
            // reg writes plain strings; one to be expanded is not what the
            // repair leaves, however it reads, and says so in its text.
            value = type == REG_EXPAND_SZ ? kExpandableStringMark + text : text;
            return true;
        }
    }
    return false;
}

} // namespace

StateReadResult ReadApplicabilityState(ApplicabilityState& state)
{
    state = ApplicabilityState();
    HKEY key = nullptr;
    LONG opened =
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, kApplicabilityKey, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key);
    if (opened == ERROR_FILE_NOT_FOUND) {
        return StateReadResult::Read;
    }
    if (opened != ERROR_SUCCESS) {
        return StateReadResult::Unreadable;
    }
    bool ok = ReadValue(key, kValueBranchName, state.branchName) &&
              ReadValue(key, kValueThresholdRiskLevel, state.thresholdRiskLevel) &&
              ReadValue(key, kValueThresholdInternal, state.thresholdInternal) &&
              ReadValue(key, kValueThresholdOptedIn, state.thresholdOptedIn);
    RegCloseKey(key);
    return ok ? StateReadResult::Read : StateReadResult::Unreadable;
}
