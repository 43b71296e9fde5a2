// Rectangles the image buttons and the check box paint into. Platform-neutral.
#pragma once

#include "ui/toolkit/SkinGeometry.h"

struct HitInsets
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The active area of a button: its rectangle shrunk by the insets.
SkinRect ShrinkByInsets(const SkinRect& r, const HitInsets& insets);

// Where a face goes: the whole client rectangle when stretched, otherwise the
// face's own size at the client's top-left corner.
SkinRect FaceDestination(const SkinRect& client, bool stretch, int faceWidth, int faceHeight);

// The part of a plain image button's face that is drawn: all but the last
// column and row (the face is scaled from that onto its destination).
SkinRect PngButtonFaceSource(int faceWidth, int faceHeight);

// The check box square: at the client's left edge, centred on half the
// client height, 16·s wide and high.
SkinRect CheckBoxBoxRect(const SkinRect& client, float s);

// How far right of the client's left edge the check box label starts: 16·s + 2.
int CheckBoxLabelOffset(float s);

// The sprite cell for a check state: ticked (1) is the second cell, anything
// else (cleared, indeterminate) the first. Cells are 16 x 16.
SkinRect CheckBoxSpriteCell(int checkState);
