// A button control bound from a template; keeps the platform button's behaviour.
#pragma once

#include "framework/CWnd.h"

class CButton : public CWnd
{
public:
    int GetCheck() const;
    void SetCheck(int check);
};
