// The application object: starts GDI+ and the common controls, runs the main
// window modally and shuts GDI+ down again. Its InitInstance answers FALSE so
// the process ends as soon as the main window is gone.
#pragma once

#include "framework/CWinApp.h"

class CPellmarStellwickApp : public CWinApp
{
public:
    CPellmarStellwickApp();
    ~CPellmarStellwickApp() override;

    BOOL InitInstance() override;
    // The unattended mode's exit code; 0 after the window.
    int ExitInstance() override;

private:
    int m_nExitCode = 0;
};

// Limits where libraries loaded later may come from to the system folder, so
// nothing placed beside the program file is ever picked up. Does nothing on
// a system without SetDefaultDllDirectories.
void RestrictLibrarySearchToSystem();

extern CPellmarStellwickApp theApp;
