// COptionsViewDlg: the View page: the query of the note last double-clicked
// in the list, in a box that may be edited for a run (never saved), and the
// Execute button (also F5 and Ctrl+Enter in the box), which runs the
// selection or the whole box and reads "Cancel" while a run goes on; and
// Copy, which puts the same text on the clipboard with its blanks filled in.
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
    // While a run goes on the button cancels it.
    void ShowRunning(bool running);
    // The selected text, or the whole box when nothing is selected.
    CString TextToRun() const;
    // The note shown, -1 for none; Execute as the button does when it is enabled.
    int LoadedNoteId() const { return m_noteId; }
    void Execute();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void AnchorControls(CResizeCtrl& resize) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnExecute();
    // The selection or the whole box onto the clipboard, its blanks filled in.
    void OnCopy();
    DECLARE_MESSAGE_MAP()

private:
    CButton m_executeButton;
    int m_noteId = -1;  // the note whose query is shown; -1 for none
};
