#include "app/CAboutDlg.h"

#include "res/resource.h"

// Everything it shows is in its template; "确定" closes it through the base.
CAboutDlg::CAboutDlg() : CDialogEx(IDD_ABOUTBOX) {}
