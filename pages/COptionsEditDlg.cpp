// COptionsEditDlg: loading, saving and deleting one note.
#include "pages/COptionsEditDlg.h"

#include "framework/CDatabase.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/ResourceString.h"
#include "pages/StoreReports.h"
#include "res/resource.h"
#include "store/records/NoteRecords.h"

BEGIN_MESSAGE_MAP(COptionsEditDlg, COptionsDlg)
    ON_BN_CLICKED(IDC_EDIT_SAVE, OnSave)
    ON_BN_CLICKED(IDC_EDIT_NEW, OnNew)
    ON_BN_CLICKED(IDC_EDIT_DELETE, OnDelete)
END_MESSAGE_MAP()

COptionsEditDlg::COptionsEditDlg() : COptionsDlg(IDD_PAGE_EDIT) {}

void COptionsEditDlg::DoDataExchange(CDataExchange* dx)
{
    COptionsDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_EDIT_TITLE, m_titleEdit);
    DDX_Control(dx, IDC_EDIT_COMMENTS, m_commentsEdit);
    DDX_Control(dx, IDC_EDIT_QUERY, m_queryEdit);
    DDX_Control(dx, IDC_EDIT_GROUP, m_groupCombo);
    DDX_Control(dx, IDC_EDIT_SAVE, m_saveButton);
    DDX_Control(dx, IDC_EDIT_DELETE, m_deleteButton);
    DDX_Control(dx, IDC_EDIT_NEW, m_newButton);
    // Typing stops where the title's and the comments' columns end.
    m_titleEdit.SetLimitText(kTextColumnLimit);
    m_commentsEdit.SetLimitText(kTextColumnLimit);
}

// The title and the group share the width; the comments take a third of
// the height and the query the rest; the buttons stay at the bottom left.
void COptionsEditDlg::AnchorControls(CResizeCtrl& resize)
{
    AnchorWithLabel(resize, IDC_EDIT_TITLE, 0, 0, 50, 0);
    AnchorWithLabel(resize, IDC_EDIT_GROUP, 50, 0, 50, 0);
    AnchorWithLabel(resize, IDC_EDIT_COMMENTS, 0, 0, 100, 30);
    AnchorWithLabel(resize, IDC_EDIT_QUERY, 0, 30, 100, 70);
    for (int button : {IDC_EDIT_NEW, IDC_EDIT_DELETE, IDC_EDIT_SAVE}) resize.Add(button, 0, 100, 0, 0);
}

void COptionsEditDlg::SetNoteId(int noteId)
{
    m_noteId = noteId;
    m_newButton.ShowWindow(noteId >= 0 ? SW_SHOW : SW_HIDE);
    m_deleteButton.EnableWindow(noteId >= 0);
}

void COptionsEditDlg::ResetPage(bool databaseOpen)
{
    m_saveButton.EnableWindow(databaseOpen);
    SetNoteId(-1);
    m_groupCombo.ResetContent();
}

void COptionsEditDlg::UpdateGroupList(int groupId, const CString& name, bool removed)
{
    m_groupCombo.UpdateGroup(groupId, name, removed);
}

void COptionsEditDlg::ShowItem(int noteId, int)
{
    NoteRecord note;
    if (!ReportStoreOutcome(ReadNote(GetDatabase(), noteId, note), MB_ICONEXCLAMATION)) return;
    SetNoteId(noteId);
    m_groupCombo.SelectGroup(note.groupId);
    m_titleEdit.SetWindowText(note.name);
    m_commentsEdit.SetWindowText(note.comments);
    m_queryEdit.SetWindowText(note.query);
}

void COptionsEditDlg::OnNew()
{
    SetNoteId(-1);
    m_titleEdit.SetWindowText(L"");
    m_commentsEdit.SetWindowText(L"");
    m_queryEdit.SetWindowText(L"");
    m_groupCombo.SetCurSel(-1);
}

void COptionsEditDlg::OnSave()
{
    NoteRecord note;
    note.name = m_titleEdit.GetWindowText();
    note.comments = m_commentsEdit.GetWindowText();
    note.query = m_queryEdit.GetWindowText();
    note.groupId = m_groupCombo.SelectedGroupId(0);
    note.name.Trim();
    note.query.Trim();
    if (note.name.IsEmpty() || note.query.IsEmpty()) {
        AfxMessageBox(LoadResourceString(IDS_REQUIRED_NOTE_FIELDS), MB_ICONEXCLAMATION);
        return;
    }
    const bool isNew = m_noteId == -1;
    note.id = m_noteId;
    const StoreOutcome saved = isNew ? InsertNewNote(GetDatabase(), note) : UpdateNote(GetDatabase(), note);
    if (!ReportStoreOutcome(saved, MB_ICONHAND, m_hWnd, isNew ? IDS_NO_MAX_ID : IDS_NOTE_NOT_FOUND)) {
        // The note was deleted meanwhile: the page keeps the texts as a new
        // note, so the next Save stores them again instead of losing them.
        if (!isNew && saved.result == StoreResult::NoRow) SetNoteId(-1);
        return;
    }
    SetNoteId(note.id);
}

void COptionsEditDlg::OnDelete()
{
    if (AfxMessageBox(LoadResourceString(IDS_REMOVE_NODE_QUESTION), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (!ReportStoreOutcome(DeleteNote(GetDatabase(), m_noteId), MB_ICONEXCLAMATION)) return;
    OnNew();
}
