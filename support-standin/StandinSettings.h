// The stand-in's settings file "TorvaneFeedbackInformation.ini" beside the
// component. It is read on every call, so a test may change it between calls.
// With no file: initialisation succeeds, no newer version, pages open.
#pragma once

#include <string>

// Full path of the settings file beside the loaded component.
std::wstring SettingsPath();

// [Component] InitResult: what InitFreedbackDll answers (default 1; 0 fails it).
int SettingsInitResult();

// [Component] OpenPages: 0 switches page opening off (default on).
bool SettingsOpenPages();

// [Catalogue] <tool id>: the newest version known for the tool, or empty.
std::wstring SettingsCataloguedVersion(const std::wstring& toolId);

// [ToolInfo] Text1 .. Text6: overrides for the six texts, or the fallback.
std::wstring SettingsToolInfoText(int number, const std::wstring& fallback);
