#include "ui/toolkit/ButtonFaces.h"

#include "ui/toolkit/PngResource.h"

void LoadButtonFaces(ButtonFaces& faces, UINT normal, UINT hover, UINT pressed, UINT disabled)
{
    const UINT ids[4] = {normal, hover, pressed, disabled};
    for (int i = 0; i < 4; ++i) {
        faces[i].Reset();
        LoadPngResource(ids[i], faces[i]);
    }
}

void FreeButtonFaces(ButtonFaces& faces)
{
    for (CImagePtr& image : faces)
        image.Reset();
}

BOOL AllButtonFacesLoaded(const ButtonFaces& faces)
{
    for (const CImagePtr& image : faces)
        if (!image)
            return FALSE;
    return TRUE;
}
