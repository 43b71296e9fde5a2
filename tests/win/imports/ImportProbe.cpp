// A program linked like the tool itself: the whole Win32 layer, the
// resources, GDI+ and the common controls. It is never run; its import table
// is what the check reads until the tool's own executable exists.
#include <windows.h>

#include <commctrl.h>
#include <objidl.h>

#include <gdiplus.h>

#include "CPromptShapedFrame.h"
#include "framework/CWinApp.h"

namespace {

class CProbeFrame : public CPromptShapedFrame
{
public:
    CProbeFrame() { m_bOwnScale = TRUE; }
};

class CProbeApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controls);
        CWinApp::InitInstance();
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
            return FALSE;
        {
            CProbeFrame frame;
            frame.DoModal();
        }
        Gdiplus::GdiplusShutdown(token);
        return FALSE;
    }
};

CProbeApp g_probeApp;

} // namespace
