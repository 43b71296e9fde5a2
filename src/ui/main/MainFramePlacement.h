// The main window's first placement: a frame rectangle centred on the primary
// screen and the panel rectangle inside it. Platform-neutral.
#pragma once

#include "ui/toolkit/SkinGeometry.h"

struct MainFramePlacement
{
    SkinRect frame; // centred, trunc(410·s) x trunc(611·s)
    int panelX = 0;
    int panelY = 0;
    int panelWidth = 0;
    int panelHeight = 0;
};

MainFramePlacement ComputeMainFramePlacement(int screenWidth, int screenHeight, float scale);
