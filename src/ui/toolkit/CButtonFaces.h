// The four faces of an image button (normal, hover, pressed, disabled, in
// the order of ButtonState). Only the normal face is decoded when the faces
// are set; the others are decoded the first time they are drawn, since most
// of them are never needed in a run and every decode costs start-up time.
#pragma once

#include "framework/CImagePtr.h"

class CButtonFaces
{
public:
    // Whatever was held before is freed first. The ids are checked against
    // the program's resources here, so a missing one turns face drawing off
    // at once rather than on the first hover.
    void Load(UINT normal, UINT hover, UINT pressed, UINT disabled);
    void Free();
    // Faces are drawn only when all four are there.
    BOOL AllPresent() const { return m_bAllPresent; }
    // The face for a state index 0..3, decoded on first use; nullptr when it
    // is missing or cannot be decoded.
    Gdiplus::Image* Face(int index);

private:
    UINT m_ids[4] = {};
    CImagePtr m_faces[4];
    BOOL m_bAllPresent = FALSE;
};
