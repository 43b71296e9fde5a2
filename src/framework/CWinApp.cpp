#include "framework/CWinApp.h"

namespace {

CWinApp* g_app = nullptr;

using RegisterApplicationRestartFn = HRESULT(WINAPI*)(PCWSTR, DWORD);

} // namespace

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* CWinApp::GetApp()
{
    return g_app;
}

BOOL CWinApp::InitInstance()
{
    if (m_dwRestartManagerSupportFlags & AFX_RESTART_MANAGER_SUPPORT_RESTART) {
        // Looked up at run time: the import table stays at what every
        // supported system has, and a system without it simply skips this.
        HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
        auto registerRestart = kernel ? reinterpret_cast<RegisterApplicationRestartFn>(reinterpret_cast<void*>(
                                            ::GetProcAddress(kernel, "RegisterApplicationRestart")))
                                      : nullptr;
        if (registerRestart && SUCCEEDED(registerRestart(L"", 0)))
            m_bRestartRegistered = true;
    }
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::SetRegistryKey(const wchar_t* company)
{
    m_strRegistryKey = company ? company : L"";
}

HINSTANCE AfxGetResourceHandle()
{
    if (g_app && g_app->m_hInstance)
        return g_app->m_hInstance;
    return ::GetModuleHandleW(nullptr);
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}
