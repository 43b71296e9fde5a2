#include "StandinSettings.h"

#include <windows.h>

#include <vector>

#include "support/ModuleFileName.h"

namespace {

const wchar_t SETTINGS_FILE[] = L"TorvaneFeedbackInformation.ini";

std::wstring ComponentPath()
{
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&ComponentPath), &self))
        return std::wstring();
    return ModuleFileName(self);
}

std::wstring ReadText(const wchar_t* section, const wchar_t* key, const wchar_t* fallback)
{
    const std::wstring path = SettingsPath();
    if (path.empty())
        return fallback;
    std::vector<wchar_t> buffer(1024);
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(section, key, fallback, buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), path.c_str());
        // A value that filled the buffer may have been cut: read it again larger.
        if (length + 1 < buffer.size() || buffer.size() >= 65536)
            return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

std::wstring SettingsPath()
{
    const std::wstring component = ComponentPath();
    const std::wstring::size_type slash = component.rfind(L'\\');
    if (slash == std::wstring::npos)
        return std::wstring();
    return component.substr(0, slash + 1) + SETTINGS_FILE;
}

int SettingsInitResult()
{
    const std::wstring path = SettingsPath();
    return path.empty()
               ? 1
               : static_cast<int>(GetPrivateProfileIntW(L"Component", L"InitResult", 1, path.c_str()));
}

bool SettingsOpenPages()
{
    const std::wstring path = SettingsPath();
    return path.empty() || GetPrivateProfileIntW(L"Component", L"OpenPages", 1, path.c_str()) != 0;
}

std::wstring SettingsCataloguedVersion(const std::wstring& toolId)
{
    if (toolId.empty())
        return std::wstring();
    return ReadText(L"Catalogue", toolId.c_str(), L"");
}

std::wstring SettingsToolInfoText(int number, const std::wstring& fallback)
{
    const std::wstring key = L"Text" + std::to_wstring(number);
    return ReadText(L"ToolInfo", key.c_str(), fallback.c_str());
}
