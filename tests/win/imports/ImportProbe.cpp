// A program linked like the tool itself: the whole Win32 layer, the
// resources, GDI+ and the common controls. It is never run; its import table
// is what the check reads until the tool's own executable exists.
#include <windows.h>

#include <commctrl.h>
#include <objidl.h>

#include <gdiplus.h>

#include "framework/CWinApp.h"
#include "res/resource.h"
#include "ui/toolkit/CSkinContentDlg.h"
#include "ui/toolkit/CSkinFrameDlg.h"

namespace {

class CProbeContent : public CSkinContentDlg
{
public:
    CProbeContent() : CSkinContentDlg(IDD_PROMPT_CHILD) { m_nBackgroundPng = IDB_PROMPT_BACKGROUND; }
};

class CProbeFrame : public CSkinFrameDlg
{
public:
    CProbeFrame() : CSkinFrameDlg(IDD_PROMPT, nullptr)
    {
        m_nSkinPng = IDB_PROMPT_SKIN;
        m_nContentTemplate = IDD_PROMPT_CHILD;
        m_fBaseWidth = 336;
        m_fBaseHeight = 156;
        m_bOwnScale = TRUE;
    }

protected:
    CSkinContentDlg* NewContent() override { return new CProbeContent; }
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
