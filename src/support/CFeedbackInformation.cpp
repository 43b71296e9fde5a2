#include "support/CFeedbackInformation.h"

#include <oleauto.h>

#include "support/ModuleFileName.h"
#include "support/SupportLibraryPath.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

const char* const CFeedbackInformation::EXPORT_NAMES[CFeedbackInformation::EXPORT_COUNT] = {
    "InitFreedbackDll",
    "FeedbackQuestion",
    "OpenUrl",
    "GetInterNetState",
    "CustomerFeedback",
    "CustomerFeedbackEx",
    "WriteCustomerFeedbackInfoFile",
    "GetToolIsNewVersion",
    "GetToolIsNewVersionDown",
    "OpenToolDownUrl",
    "OpenUseAgreementUrl",
};

namespace {

template <typename Fn> bool Bind(HMODULE module, const char* name, Fn& slot)
{
    const FARPROC proc = GetProcAddress(module, name);
    if (!proc)
        return false;
    slot = reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
    return true;
}

// The running program file's full path, empty when it cannot be had.
std::wstring ProgramFile()
{
    return ModuleFileName(nullptr);
}

} // namespace

CFeedbackInformation::~CFeedbackInformation()
{
    Unload();
}

std::wstring CFeedbackInformation::ProgramFolder()
{
    const std::wstring path = ProgramFile();
    const std::wstring::size_type slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool CFeedbackInformation::Load()
{
    return LoadFile(SupportLibraryPath(ProgramFile()));
}

bool CFeedbackInformation::Load(const std::wstring& folder)
{
    return LoadFile(SupportLibraryPathInFolder(folder));
}

bool CFeedbackInformation::LoadFile(const std::wstring& path)
{
    Unload();
    m_strLoadedPath.clear();
    m_loadedIdentity = FileIdentity();
    // Only a full path is ever loaded; an empty one would mean a search.
    if (path.empty())
        return false;
    // The library itself comes from the full path; what it imports comes from
    // the system folder only, never from the folder it lies in, which is the
    // download folder the tool was started from. Every Windows 10 knows the
    // flag; an older system without it fails the load (the tool runs on
    // Windows 10 only).
    m_hModule = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!m_hModule)
        return false;
    // Taken while the library is mapped: that file cannot be overwritten or
    // deleted before it is unloaded.
    m_strLoadedPath = path;
    m_loadedIdentity = IdentityOfPath(path);

    // In table order; && stops at the first missing name.
    return Bind(m_hModule, EXPORT_NAMES[0], m_pfnInitFreedbackDll) &&
           Bind(m_hModule, EXPORT_NAMES[1], m_pfnFeedbackQuestion) &&
           Bind(m_hModule, EXPORT_NAMES[2], m_pfnOpenUrl) &&
           Bind(m_hModule, EXPORT_NAMES[3], m_pfnGetInterNetState) &&
           Bind(m_hModule, EXPORT_NAMES[4], m_pfnCustomerFeedback) &&
           Bind(m_hModule, EXPORT_NAMES[5], m_pfnCustomerFeedbackEx) &&
           Bind(m_hModule, EXPORT_NAMES[6], m_pfnWriteCustomerFeedbackInfoFile) &&
           Bind(m_hModule, EXPORT_NAMES[7], m_pfnGetToolIsNewVersion) &&
           Bind(m_hModule, EXPORT_NAMES[8], m_pfnGetToolIsNewVersionDown) &&
           Bind(m_hModule, EXPORT_NAMES[9], m_pfnOpenToolDownUrl) &&
           Bind(m_hModule, EXPORT_NAMES[10], m_pfnOpenUseAgreementUrl);
}

void CFeedbackInformation::ClearEntryPoints()
{
    m_pfnInitFreedbackDll = nullptr;
    m_pfnFeedbackQuestion = nullptr;
    m_pfnOpenUrl = nullptr;
    m_pfnGetInterNetState = nullptr;
    m_pfnCustomerFeedback = nullptr;
    m_pfnCustomerFeedbackEx = nullptr;
    m_pfnWriteCustomerFeedbackInfoFile = nullptr;
    m_pfnGetToolIsNewVersion = nullptr;
    m_pfnGetToolIsNewVersionDown = nullptr;
    m_pfnOpenToolDownUrl = nullptr;
    m_pfnOpenUseAgreementUrl = nullptr;
}

void CFeedbackInformation::Unload()
{
    // The entry points point into the module: they go with it.
    ClearEntryPoints();
    if (m_hModule) {
        FreeLibrary(m_hModule);
        m_hModule = nullptr;
    }
}

bool CFeedbackInformation::HasEntryPoint(int index) const
{
    switch (index) {
    case 0:
        return m_pfnInitFreedbackDll != nullptr;
    case 1:
        return m_pfnFeedbackQuestion != nullptr;
    case 2:
        return m_pfnOpenUrl != nullptr;
    case 3:
        return m_pfnGetInterNetState != nullptr;
    case 4:
        return m_pfnCustomerFeedback != nullptr;
    case 5:
        return m_pfnCustomerFeedbackEx != nullptr;
    case 6:
        return m_pfnWriteCustomerFeedbackInfoFile != nullptr;
    case 7:
        return m_pfnGetToolIsNewVersion != nullptr;
    case 8:
        return m_pfnGetToolIsNewVersionDown != nullptr;
    case 9:
        return m_pfnOpenToolDownUrl != nullptr;
    case 10:
        return m_pfnOpenUseAgreementUrl != nullptr;
    default:
        return false;
    }
}

int CFeedbackInformation::InitFreedbackDll(ToolInfo* info) const
{
    return m_pfnInitFreedbackDll ? m_pfnInitFreedbackDll(info) : 0;
}

int CFeedbackInformation::FeedbackQuestion(const wchar_t* toolId, const wchar_t* toolVersion) const
{
    return m_pfnFeedbackQuestion ? m_pfnFeedbackQuestion(toolId, toolVersion) : 0;
}

int CFeedbackInformation::OpenUrl(const ToolInfo& info) const
{
    if (!m_pfnOpenUrl)
        return 0;
    // The component owns the string from here on; freeing it here as well
    // would free it twice.
    BSTR url = SysAllocString(info.m_szMoreToolsUrl);
    if (!url)
        return 0;
    return m_pfnOpenUrl(url);
}

int CFeedbackInformation::CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* toolVersion, int kind,
                                             const wchar_t* timeText, const wchar_t* deviceText) const
{
    return m_pfnCustomerFeedbackEx ? m_pfnCustomerFeedbackEx(toolId, toolVersion, kind, timeText, deviceText)
                                   : 0;
}

int CFeedbackInformation::GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* toolVersion) const
{
    return m_pfnGetToolIsNewVersion ? m_pfnGetToolIsNewVersion(toolId, toolVersion) : 0;
}

int CFeedbackInformation::OpenToolDownUrl() const
{
    return m_pfnOpenToolDownUrl ? m_pfnOpenToolDownUrl() : 0;
}

int CFeedbackInformation::OpenUseAgreementUrl() const
{
    return m_pfnOpenUseAgreementUrl ? m_pfnOpenUseAgreementUrl() : 0;
}
