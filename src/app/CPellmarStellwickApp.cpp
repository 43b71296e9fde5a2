#include "app/CPellmarStellwickApp.h"

#include <windows.h>

#include <commctrl.h>
#include <objidl.h>

#include <gdiplus.h>

#include "app/UnattendedArguments.h"
#include "app/UnattendedMode.h"
#include "framework/StartupPhases.h"
#include "framework/WineHost.h"
#include "ui/main/CPellmarStellwickDlg.h"
#include "ui/toolkit/CPngDecodeAhead.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {

ULONG_PTR g_gdiplusToken = 0;
// Version 1, no debug callback, background thread and external codecs not suppressed.
Gdiplus::GdiplusStartupInput g_gdiplusStartupInput;

// Runs before every other static object of the program, before anything can
// load a library.
struct LibrarySearchRestriction
{
    LibrarySearchRestriction() { RestrictLibrarySearchToSystem(); }
};
LibrarySearchRestriction g_librarySearchRestriction __attribute__((init_priority(101)));

} // namespace

void RestrictLibrarySearchToSystem()
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    if (!kernel)
        return;
    FARPROC proc = ::GetProcAddress(kernel, "SetDefaultDllDirectories");
    if (!proc)
        return;
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(proc));
    setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Loads that name their own search order (COM loads its servers by full
    // path with the altered search order) still look in the current
    // directory, which is the program's folder when it is started from
    // there: an empty directory takes it out of that order.
    ::SetDllDirectoryW(L"");
}

CPellmarStellwickApp theApp;

CPellmarStellwickApp::CPellmarStellwickApp()
{
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

CPellmarStellwickApp::~CPellmarStellwickApp() = default;

BOOL CPellmarStellwickApp::InitInstance()
{
    // Switches mean a deployment system started the program: it answers with
    // an exit code before anything of the window (GDI+, restart registration,
    // the support component) is touched. Words without a switch (a file
    // dropped on the program) leave the window to open as usual.
    std::vector<std::wstring> arguments = CommandLineArguments();
    if (HasUnattendedSwitch(arguments)) {
        m_nExitCode = RunUnattended(arguments);
        return FALSE;
    }

    STARTUP_PHASE_MARK("init_instance");
    // Before GDI+ can reach for them on a thread of its own.
    WineHost::LoadLateLibrariesFromSystem();
    Gdiplus::GdiplusStartup(&g_gdiplusToken, &g_gdiplusStartupInput, nullptr);
    STARTUP_PHASE_MARK("gdiplus_started");
    int pictures = 0;
    const UINT* ids = CPellmarStellwickDlg::FirstPaintPictures(&pictures);
    CPngDecodeAhead::Start(ids, pictures);

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);
    STARTUP_PHASE_MARK("common_controls");

    CWinApp::InitInstance();
    SetRegistryKey(L"应用程序向导生成的本地应用程序");

    {
        CPellmarStellwickDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        // The frame's window is gone and with it every image it owned, so
        // the object may outlive nothing that needs GDI+.
    }
    CPngDecodeAhead::Stop();
    Gdiplus::GdiplusShutdown(g_gdiplusToken);
    return FALSE;
}

int CPellmarStellwickApp::ExitInstance()
{
    return m_nExitCode;
}
