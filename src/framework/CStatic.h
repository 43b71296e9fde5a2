// A static control bound from a template.
#pragma once

#include "framework/CWnd.h"

class CStatic : public CWnd
{
};
