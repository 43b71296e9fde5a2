// The extended dialog base; it adds nothing that this program needs beyond CDialog.
#pragma once

#include "framework/CDialog.h"

class CDialogEx : public CDialog
{
public:
    explicit CDialogEx(UINT templateId = 0, CWnd* parent = nullptr) : CDialog(templateId, parent) {}
};
