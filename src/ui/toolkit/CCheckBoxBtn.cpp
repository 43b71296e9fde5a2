#include "ui/toolkit/CCheckBoxBtn.h"

#include "res/resource.h"
#include "ui/toolkit/ButtonRepaint.h"
#include "ui/toolkit/ControlFont.h"
#include "ui/toolkit/ControlGeometry.h"
#include "ui/toolkit/ControlPainting.h"
#include "ui/toolkit/PngResource.h"
#include "ui/toolkit/SkinRectConversion.h"

CCheckBoxBtn::CCheckBoxBtn() : m_brushFill(::CreateSolidBrush(RGB(255, 255, 255))) {}

CCheckBoxBtn::~CCheckBoxBtn() = default;

void CCheckBoxBtn::CreateTextFont() { m_fontLabel.Reset(CreateControlFontCopy(GetParentHwnd())); }

LRESULT CCheckBoxBtn::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CButton::WindowProc(msg, wParam, lParam);
    RepaintAfterPlatformButtonDraw(m_hWnd, msg, FALSE);
    return result;
}

void CCheckBoxBtn::OnDestroy()
{
    m_pSprite.Reset();
    Default();
}

void CCheckBoxBtn::OnPaint()
{
    PaintOffscreen(*this, m_rcClient, &m_offscreen, [this](HDC mem) {
        ::FillRect(mem, &m_rcClient, m_brushFill.Get());
        ::SetBkMode(mem, TRANSPARENT);

        if (!m_pSprite)
            LoadPngResource(IDB_CHECK_SPRITE, m_pSprite);
        if (!m_pSprite)
            return;
        SkinRect client;
        client.right = m_rcClient.Width();
        client.bottom = m_rcClient.Height();
        const SkinRect box = CheckBoxBoxRect(client, m_fScale);
        const SkinRect cell = CheckBoxSpriteCell(GetCheck());
        DrawImageSlice(mem, m_pSprite.Get(), ToRect(box), cell.left, cell.top, cell.right, cell.bottom);

        RECT textRect = m_rcClient;
        textRect.left += CheckBoxLabelOffset(m_fScale);
        DrawTextInFont(mem, m_fontLabel.Get(), m_crText, GetWindowText(), textRect,
                       DT_SINGLELINE | DT_VCENTER);
    });
}
