// The stand-in support component: the eleven exports the tool loads, with an
// observable journal and a settings file instead of a server behind them.
//
// Built with STANDIN_WITHOUT=n (1..11) it lacks the n-th export, so the
// tool's loader can be tested against a library that misses exactly one.
#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "StandinJournal.h"
#include "StandinSettings.h"
#include "ToolVersion.h"
#include "common/ToolIdentity.h"
#include "support/ToolInfo.h"

#ifndef STANDIN_WITHOUT
#define STANDIN_WITHOUT 0
#endif

#define STANDIN_EXPORT extern "C" __declspec(dllexport)

namespace {

std::wstring Arg(const wchar_t* text)
{
    return text ? std::wstring(text) : std::wstring(L"<null>");
}

void Journal(const wchar_t* name, std::initializer_list<std::wstring> args = {})
{
    std::wstring line = name;
    for (const std::wstring& arg : args)
        line += L" " + arg;
    AppendJournalLine(line);
}

// Bounded copy: the record's arrays are fixed, a long text is cut, never overrun.
[[maybe_unused]] void CopyText(wchar_t* target, const std::wstring& text)
{
    const std::size_t count = text.size() < TOOL_INFO_TEXT_CHARS - 1 ? text.size() : TOOL_INFO_TEXT_CHARS - 1;
    text.copy(target, count);
    target[count] = L'\0';
}

std::wstring ComponentText(int number)
{
    static const wchar_t* const defaults[TOOL_INFO_TEXT_COUNT] = {
        L"TorvaneFeedback",
        L"1.0.0.1",
        L"https://support.torvane.example/feedback",
        L"https://support.torvane.example/tools",
        L"https://support.torvane.example/agreement",
        L"https://support.torvane.example/download",
    };
    return SettingsToolInfoText(number, defaults[number - 1]);
}

void OpenPage(const std::wstring& address)
{
    if (address.empty() || !SettingsOpenPages())
        return;
    ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

int NewVersionAnswer(const wchar_t* toolId, const wchar_t* toolVersion)
{
    if (!toolId || !toolVersion)
        return 0;
    return IsNewerToolVersion(SettingsCataloguedVersion(toolId), toolVersion) ? NEW_VERSION_AVAILABLE : 0;
}

[[maybe_unused]] std::wstring Address(const void* pointer)
{
    wchar_t text[32] = {};
    std::swprintf(text, 32, L"0x%08lX", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(pointer)));
    return text;
}

} // namespace

#if STANDIN_WITHOUT != 1
STANDIN_EXPORT int __cdecl InitFreedbackDll(ToolInfo* info)
{
    Journal(L"InitFreedbackDll", {Address(info)});
    if (!info || SettingsInitResult() == 0)
        return 0;
    CopyText(info->m_szComponentName, ComponentText(1));
    CopyText(info->m_szComponentVersion, ComponentText(2));
    CopyText(info->m_szFeedbackUrl, ComponentText(3));
    CopyText(info->m_szMoreToolsUrl, ComponentText(4));
    CopyText(info->m_szAgreementUrl, ComponentText(5));
    CopyText(info->m_szDownloadUrl, ComponentText(6));
    return 1;
}
#endif

#if STANDIN_WITHOUT != 2
STANDIN_EXPORT int __cdecl FeedbackQuestion(const wchar_t* toolId, const wchar_t* toolVersion)
{
    Journal(L"FeedbackQuestion", {Arg(toolId), Arg(toolVersion)});
    OpenPage(ComponentText(3) + L"?tool=" + Arg(toolId) + L"&version=" + Arg(toolVersion));
    return 1;
}
#endif

#if STANDIN_WITHOUT != 3
// Takes the system string over and frees it: the caller does not.
STANDIN_EXPORT int __cdecl OpenUrl(wchar_t* url)
{
    const std::wstring address = Arg(url);
    if (url)
        SysFreeString(url);
    Journal(L"OpenUrl", {address});
    OpenPage(url ? address : std::wstring());
    return 1;
}
#endif

#if STANDIN_WITHOUT != 4
STANDIN_EXPORT int __cdecl GetInterNetState()
{
    Journal(L"GetInterNetState");
    return 1;
}
#endif

#if STANDIN_WITHOUT != 5
STANDIN_EXPORT int __cdecl CustomerFeedback(const wchar_t* toolId, const wchar_t* toolVersion, int kind)
{
    Journal(L"CustomerFeedback", {Arg(toolId), Arg(toolVersion), std::to_wstring(kind)});
    return 1;
}
#endif

#if STANDIN_WITHOUT != 6
STANDIN_EXPORT int __cdecl CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* toolVersion, int kind,
                                              const wchar_t* timeText, const wchar_t* deviceText)
{
    Journal(L"CustomerFeedbackEx",
            {Arg(toolId), Arg(toolVersion), std::to_wstring(kind), Arg(timeText), Arg(deviceText)});
    return 1;
}
#endif

#if STANDIN_WITHOUT != 7
STANDIN_EXPORT int __cdecl WriteCustomerFeedbackInfoFile(const wchar_t* toolId, const wchar_t* toolVersion,
                                                         int kind, const wchar_t* timeText,
                                                         const wchar_t* deviceText)
{
    Journal(L"WriteCustomerFeedbackInfoFile",
            {Arg(toolId), Arg(toolVersion), std::to_wstring(kind), Arg(timeText), Arg(deviceText)});
    return 1;
}
#endif

#if STANDIN_WITHOUT != 8
STANDIN_EXPORT int __cdecl GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* toolVersion)
{
    Journal(L"GetToolIsNewVersion", {Arg(toolId), Arg(toolVersion)});
    return NewVersionAnswer(toolId, toolVersion);
}
#endif

#if STANDIN_WITHOUT != 9
STANDIN_EXPORT int __cdecl GetToolIsNewVersionDown(const wchar_t* toolId, const wchar_t* toolVersion)
{
    Journal(L"GetToolIsNewVersionDown", {Arg(toolId), Arg(toolVersion)});
    return NewVersionAnswer(toolId, toolVersion);
}
#endif

#if STANDIN_WITHOUT != 10
STANDIN_EXPORT int __cdecl OpenToolDownUrl()
{
    Journal(L"OpenToolDownUrl");
    OpenPage(ComponentText(6));
    return 1;
}
#endif

#if STANDIN_WITHOUT != 11
STANDIN_EXPORT int __cdecl OpenUseAgreementUrl()
{
    Journal(L"OpenUseAgreementUrl");
    OpenPage(ComponentText(5));
    return 1;
}
#endif
