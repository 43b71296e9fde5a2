#include "framework/CButton.h"

int CButton::GetCheck() const
{
    return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0));
}

void CButton::SetCheck(int check)
{
    ::SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(check), 0);
}
