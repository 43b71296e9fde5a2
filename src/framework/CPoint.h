// A POINT with the constructors the window code likes to use.
#pragma once

#include <windows.h>

class CPoint : public POINT
{
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int px, int py) { x = px; y = py; }
    CPoint(POINT p) { x = p.x; y = p.y; }
    // From the packed coordinates of a mouse message's lParam.
    static CPoint FromLParam(LPARAM lp)
    {
        return CPoint(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
    }
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};
