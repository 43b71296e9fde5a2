// The about box opened from the main window's system menu.
#pragma once

#include "framework/CDialogEx.h"

class CAboutDlg : public CDialogEx
{
public:
    CAboutDlg();
};
