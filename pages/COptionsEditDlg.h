// COptionsEditDlg: the Edit page: writes a new note or changes the one last
// double-clicked, files it under a group, deletes it. It remembers the note
// as it was stored, so that Save never writes over a newer version, and as
// it was shown, so that leaving it with unsaved changes asks first.
#pragma once

#include "framework/CButton.h"
#include "framework/CEdit.h"
#include "pages/CGroupCombo.h"
#include "pages/COptionsDlg.h"
#include "store/records/NoteRecord.h"

class COptionsEditDlg : public COptionsDlg {
public:
    COptionsEditDlg();
    // The note the page holds; -1 for a new, unsaved one.
    int LoadedNoteId() const { return m_noteId; }

    void ResetPage(bool databaseOpen) override;
    void ShowItem(int noteId, int reserved) override;
    void ReloadItem() override;
    void UpdateGroupList(int groupId, const CString& name, bool removed);
    void RenameGroupInList(int groupId, const CString& name);
    // The group list's drawing, off while many groups change at once.
    void SetGroupListDrawing(bool on) { m_groupCombo.SetDrawing(on); }
    // Stores `comments` as note `noteId`'s comments, edited elsewhere (the
    // note list) from `seen`, with the checks of Save. False when nothing
    // was stored; `shown` then holds what the note's comments should show.
    bool SaveComments(int noteId, const CString& seen, const CString& comments, CString& shown);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void AnchorControls(CResizeCtrl& resize) override;
    void OnSave();
    void OnNew();
    void OnDelete();
    bool HasUnsavedChanges() const override;
    CString UnsavedSubject() const override;
    bool SaveChanges() override { return Save(); }
    void DiscardChanges() override;
    DECLARE_MESSAGE_MAP()

private:
    // Sets m_noteId and shows New and enables Delete exactly when it is 0 or more.
    void SetNoteId(int noteId);
    // Shows `note` as stored; the page then holds no unsaved change.
    void Load(const NoteRecord& note);
    void StartNewNote();
    // The note as the boxes hold it, trimmed as Save stores it.
    NoteRecord PageNote() const;
    bool Save();
    // Whether `note` may go over the stored note `stored` the page had read
    // as m_stored: asks when the database holds another version. `loadNewer`
    // is set when the user chose to see that version instead.
    bool MayOverwrite(const NoteRecord& note, const NoteRecord& stored, bool& loadNewer);
    // Asks before a second note of the same title enters a group.
    bool MayShareTitle(const NoteRecord& note);

    int m_noteId = -1;  // the note on the page; -1 for a new, unsaved note
    NoteRecord m_stored;  // the note as last read from or written to the database
    NoteRecord m_shown;   // PageNote() when the page last loaded, saved or was reset
    // The page's boxes, kept at hand: Save reads all three for every note.
    CEdit m_titleEdit;
    CEdit m_commentsEdit;
    CEdit m_queryEdit;
    CGroupCombo m_groupCombo;
    CButton m_saveButton;
    CButton m_deleteButton;
    CButton m_newButton;
};
