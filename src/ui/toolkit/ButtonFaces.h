// The four faces of the image buttons, in the order of ButtonState (normal,
// hover, pressed, disabled); each button keeps them in its own m_pImages.
#pragma once

#include "framework/CImagePtr.h"

using ButtonFaces = CImagePtr[4];

// Each slot is emptied first, so a missing id really leaves it empty.
void LoadButtonFaces(ButtonFaces& faces, UINT normal, UINT hover, UINT pressed, UINT disabled);
void FreeButtonFaces(ButtonFaces& faces);
// Faces are drawn only when all four are there.
BOOL AllButtonFacesLoaded(const ButtonFaces& faces);
