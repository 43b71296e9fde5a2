#include "ui/toolkit/CButtonFaces.h"

#include "framework/CWinApp.h"
#include "ui/toolkit/PngResource.h"

namespace {

bool PngResourceExists(UINT id)
{
    return id != 0 && ::FindResourceW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), L"PNG") != nullptr;
}

} // namespace

void CButtonFaces::Load(UINT normal, UINT hover, UINT pressed, UINT disabled)
{
    Free();
    const UINT ids[4] = {normal, hover, pressed, disabled};
    m_bAllPresent = TRUE;
    for (int i = 0; i < 4; ++i) {
        m_ids[i] = ids[i];
        if (!PngResourceExists(ids[i]))
            m_bAllPresent = FALSE;
    }
    if (m_bAllPresent && !Face(0))
        m_bAllPresent = FALSE;
}

void CButtonFaces::Free()
{
    for (int i = 0; i < 4; ++i) {
        m_faces[i].Reset();
        m_ids[i] = 0;
    }
    m_bAllPresent = FALSE;
}

Gdiplus::Image* CButtonFaces::Face(int index)
{
    if (index < 0 || index > 3 || !m_ids[index])
        return nullptr;
    if (!m_faces[index])
        LoadPngResource(m_ids[index], m_faces[index]);
    return m_faces[index].Get();
}
