// COptionsEditDlg: the Edit page: writes a new note or changes the one last
// double-clicked, files it under a group, deletes it.
#pragma once

#include "framework/CButton.h"
#include "framework/CEdit.h"
#include "pages/CGroupCombo.h"
#include "pages/COptionsDlg.h"

class COptionsEditDlg : public COptionsDlg {
public:
    COptionsEditDlg();
    // The note the page holds; -1 for a new, unsaved one.
    int LoadedNoteId() const { return m_noteId; }

    void ResetPage(bool databaseOpen) override;
    void ShowItem(int noteId, int reserved) override;
    void UpdateGroupList(int groupId, const CString& name, bool removed);
    // The group list's drawing, off while many groups change at once.
    void SetGroupListDrawing(bool on) { m_groupCombo.SetDrawing(on); }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void AnchorControls(CResizeCtrl& resize) override;
    void OnSave();
    void OnNew();
    void OnDelete();
    DECLARE_MESSAGE_MAP()

private:
    // Sets m_noteId and shows New and enables Delete exactly when it is 0 or more.
    void SetNoteId(int noteId);

    int m_noteId = -1;  // the note on the page; -1 for a new, unsaved note
    // The page's boxes, kept at hand: Save reads all three for every note.
    CEdit m_titleEdit;
    CEdit m_commentsEdit;
    CEdit m_queryEdit;
    CGroupCombo m_groupCombo;
    CButton m_saveButton;
    CButton m_deleteButton;
    CButton m_newButton;
};
