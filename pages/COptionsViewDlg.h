// COptionsViewDlg: the View page: the query of the note last double-clicked
// in the list, and an Execute button that only says it was pressed.
#pragma once

#include "framework/CButton.h"
#include "pages/COptionsDlg.h"

class COptionsViewDlg : public COptionsDlg {
public:
    COptionsViewDlg();

    void ResetPage(bool databaseOpen) override;
    void ShowItem(int noteId, int reserved) override;
    void ReloadItem() override;
    // Enabled once by the main dialog when the host allows results.
    void EnableExecute() { m_executeButton.EnableWindow(TRUE); }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void AnchorControls(CResizeCtrl& resize) override;
    void OnExecute();
    DECLARE_MESSAGE_MAP()

private:
    CButton m_executeButton;
    int m_noteId = -1;  // the note whose query is shown; -1 for none
};
