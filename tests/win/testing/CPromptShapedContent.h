// A content window with the prompt's template and background, for test
// programs that need a real pair without the prompt's own behaviour.
#pragma once

#include "res/resource.h"
#include "ui/toolkit/CSkinContentDlg.h"

class CPromptShapedContent : public CSkinContentDlg
{
public:
    CPromptShapedContent() : CSkinContentDlg(IDD_PROMPT_CHILD) { m_nBackgroundPng = IDB_PROMPT_BACKGROUND; }
};
