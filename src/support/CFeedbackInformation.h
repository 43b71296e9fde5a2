// The loaded support component: its module and its eleven entry points.
//
// Loaded from the program file's folder by full path only, never through the
// library search path, so a same-named file elsewhere cannot be picked up.
// Every call wrapper does nothing and answers 0 while nothing is loaded.
#pragma once

#include <windows.h>

#include <string>

#include "support/FileIdentity.h"
#include "support/ToolInfo.h"

class CFeedbackInformation
{
public:
    // The export names, in the order they are resolved.
    static constexpr int EXPORT_COUNT = 11;
    static const char* const EXPORT_NAMES[EXPORT_COUNT];

    CFeedbackInformation() = default;
    ~CFeedbackInformation();
    CFeedbackInformation(const CFeedbackInformation&) = delete;
    CFeedbackInformation& operator=(const CFeedbackInformation&) = delete;

    // Loads the library beside the program file and resolves the exports in
    // order; false at the first missing one (the ones before it stay resolved
    // and the module stays loaded until Unload). A second Load unloads first.
    bool Load();
    // The same from a given folder (tests point it at a test library).
    bool Load(const std::wstring& folder);
    void Unload();

    bool IsLoaded() const { return m_hModule != nullptr; }
    // Whether the export at this index of EXPORT_NAMES was resolved.
    bool HasEntryPoint(int index) const;

    int InitFreedbackDll(ToolInfo* info) const;
    int FeedbackQuestion(const wchar_t* toolId, const wchar_t* toolVersion) const;
    // Hands a system-string copy of the more-tools address to the component,
    // which takes it over: it is not freed here.
    int OpenUrl(const ToolInfo& info) const;
    int CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* toolVersion, int kind,
                           const wchar_t* timeText, const wchar_t* deviceText) const;
    int GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* toolVersion) const;
    int OpenToolDownUrl() const;
    int OpenUseAgreementUrl() const;

    // The library file last loaded and which file it was while loaded; kept
    // after Unload, so that file, and no other put at its name, can be deleted.
    const std::wstring& LoadedPath() const { return m_strLoadedPath; }
    const FileIdentity& LoadedIdentity() const { return m_loadedIdentity; }

    // The folder of the running program file, without a trailing backslash.
    static std::wstring ProgramFolder();

private:
    bool LoadFile(const std::wstring& path);
    void ClearEntryPoints();

    HMODULE m_hModule = nullptr;
    std::wstring m_strLoadedPath;
    FileIdentity m_loadedIdentity;
    InitFreedbackDllFn m_pfnInitFreedbackDll = nullptr;
    FeedbackQuestionFn m_pfnFeedbackQuestion = nullptr;
    OpenUrlFn m_pfnOpenUrl = nullptr;
    GetInterNetStateFn m_pfnGetInterNetState = nullptr;
    CustomerFeedbackFn m_pfnCustomerFeedback = nullptr;
    CustomerFeedbackExFn m_pfnCustomerFeedbackEx = nullptr;
    WriteCustomerFeedbackInfoFileFn m_pfnWriteCustomerFeedbackInfoFile = nullptr;
    GetToolIsNewVersionFn m_pfnGetToolIsNewVersion = nullptr;
    GetToolIsNewVersionDownFn m_pfnGetToolIsNewVersionDown = nullptr;
    OpenToolDownUrlFn m_pfnOpenToolDownUrl = nullptr;
    OpenUseAgreementUrlFn m_pfnOpenUseAgreementUrl = nullptr;
};
