// The program's entry point. Only the executable references WinMain, so the
// test programs that link this library never pull this file in.
#include <windows.h>

#include "framework/CWinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    CWinApp* app = CWinApp::GetApp();
    if (!app)
        return 0;
    app->m_hInstance = instance;
    try {
        app->InitInstance();
        return app->ExitInstance();
    } catch (...) {
        return 0;
    }
}
