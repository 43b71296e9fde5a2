// Where the main panel's controls go, from the client size, the scale factor
// and the two measured text widths. Platform-neutral so it is tested natively.
#pragma once

#include "ui/toolkit/SkinGeometry.h"

struct PanelLayout
{
    SkinRect close;
    SkinRect minimize;
    SkinRect version;
    SkinRect versionSource; // slice of the background behind the label, image pixels
    SkinRect repair;
    SkinRect repairSource;
    SkinRect repairInsets; // hit insets: left, top, right, bottom
    SkinRect moreTools;
    SkinRect moreToolsSource;
    SkinRect check;
    SkinRect agreement;
    SkinRect feedback;
};

// agreementTextWidth: pixel width of the check box label plus the agreement
// link text; feedbackTextWidth: pixel width of the feedback link text; both
// measured in the dialog font.
PanelLayout ComputePanelLayout(int clientWidth, int clientHeight, float scale, int agreementTextWidth,
                               int feedbackTextWidth);
