// The main window's frame: the modal top-level dialog the application runs.
// Works out its scale, shows its skin, creates the main panel and lays it
// over itself; owns the system menu and the closing of the program, and
// removes the program's folder when its window is destroyed.
#pragma once

#include "support/FileIdentity.h"
#include "ui/toolkit/CSkinFrameDlg.h"

#include <string>

class CStellwickDlg;

class CPellmarStellwickDlg : public CSkinFrameDlg
{
public:
    explicit CPellmarStellwickDlg(CWnd* parent = nullptr);
    ~CPellmarStellwickDlg() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    CStellwickDlg* GetPanel() const { return m_pPanel; }

    // The pictures of the window's first paint, in the order it needs them.
    static const UINT* FirstPaintPictures(int* count);

protected:
    BOOL OnInitDialog() override;
    CSkinContentDlg* NewContent() override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnPaint() override;
    HCURSOR OnQueryDragIcon() override;
    void OnClose() override;
    void OnDestroy() override;

    // Starts the hidden command that removes what the program left in its
    // folder once the process has gone.
    virtual void RemoveProgramFolder();

    HICON m_hIcon = nullptr;
    // The support library the panel had loaded, kept past the panel for the removal.
    std::wstring m_strSupportLibrary;
    FileIdentity m_supportLibraryIdentity;
    CStellwickDlg* m_pPanel = nullptr; // the content, owned through m_pContent
};
