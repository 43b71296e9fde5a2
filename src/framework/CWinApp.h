// The one application object. The entry point (framework/WinMain.cpp) calls
// InitInstance on it; the process ends when InitInstance returns, with the
// exit code given by ExitInstance (0).
#pragma once

#include <windows.h>

#include <string>

class CWnd;

// Restart support flag: register with the restart manager, restart only.
constexpr DWORD AFX_RESTART_MANAGER_SUPPORT_RESTART = 0x01;

class CWinApp
{
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Base: registers the process for restart when m_dwRestartManagerSupportFlags asks for it.
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // The settings key name is kept; nothing is ever written under it.
    void SetRegistryKey(const wchar_t* company);
    const std::wstring& GetRegistryKey() const { return m_strRegistryKey; }
    // True when InitInstance registered the process with the restart manager.
    bool IsRestartRegistered() const { return m_bRestartRegistered; }

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    DWORD m_dwRestartManagerSupportFlags = 0;

    static CWinApp* GetApp();

private:
    std::wstring m_strRegistryKey;
    bool m_bRestartRegistered = false;
};

// The module whose resources the dialogs and images are loaded from.
HINSTANCE AfxGetResourceHandle();
CWnd* AfxGetMainWnd();
