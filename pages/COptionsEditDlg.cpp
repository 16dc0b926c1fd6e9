// COptionsEditDlg: loading, saving and deleting one note.
#include "pages/COptionsEditDlg.h"

#include "framework/CDatabase.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/ResourceString.h"
#include "pages/IPageOwner.h"
#include "pages/StoreReports.h"
#include "res/resource.h"
#include "store/records/NoteRecords.h"

namespace {

bool SameNote(const NoteRecord& a, const NoteRecord& b)
{
    return a.groupId == b.groupId && a.name == b.name && a.comments == b.comments && a.query == b.query;
}

} // namespace

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
    // The texts stay, as a new note; the user was asked about them before
    // the database changed.
    m_stored = NoteRecord();
    m_shown = PageNote();
}

void COptionsEditDlg::UpdateGroupList(int groupId, const CString& name, bool removed)
{
    m_groupCombo.UpdateGroup(groupId, name, removed);
}

void COptionsEditDlg::RenameGroupInList(int groupId, const CString& name) { m_groupCombo.RenameGroup(groupId, name); }

NoteRecord COptionsEditDlg::PageNote() const
{
    NoteRecord note;
    note.id = m_noteId;
    note.name = m_titleEdit.GetWindowText();
    note.comments = m_commentsEdit.GetWindowText();
    note.query = m_queryEdit.GetWindowText();
    note.groupId = m_groupCombo.SelectedGroupId(0);
    note.name.Trim();
    note.query.Trim();
    return note;
}

void COptionsEditDlg::Load(const NoteRecord& note)
{
    SetNoteId(note.id);
    m_groupCombo.SelectGroup(note.groupId);
    m_titleEdit.SetWindowText(note.name);
    m_commentsEdit.SetWindowText(note.comments);
    m_queryEdit.SetWindowText(note.query);
    m_stored = note;
    m_shown = PageNote();
}

void COptionsEditDlg::StartNewNote()
{
    SetNoteId(-1);
    m_titleEdit.SetWindowText(L"");
    m_commentsEdit.SetWindowText(L"");
    m_queryEdit.SetWindowText(L"");
    m_groupCombo.SetCurSel(-1);
    m_stored = NoteRecord();
    m_shown = PageNote();
}

void COptionsEditDlg::ShowItem(int noteId, int)
{
    NoteRecord note;
    if (!ReportStoreOutcome(ReadNote(GetDatabase(), noteId, note), MB_ICONEXCLAMATION)) return;
    Load(note);
}

void COptionsEditDlg::ReloadItem()
{
    if (m_noteId < 0) return;
    NoteRecord note;
    const StoreOutcome read = ReadNote(GetDatabase(), m_noteId, note);
    if (read.result == StoreResult::NoRow) {
        AfxMessageBox(L"The note " + Quoted(m_stored.name) +
                          L" is no longer in the note database. The Edit page keeps its text as a new note.",
                      MB_ICONINFORMATION);
        SetNoteId(-1);
        m_stored = NoteRecord();
        m_shown = PageNote();
        return;
    }
    if (!ReportStoreOutcome(read, MB_ICONEXCLAMATION)) return;
    if (!SameNote(note, m_stored)) Load(note);
}

bool COptionsEditDlg::HasUnsavedChanges() const { return !SameNote(PageNote(), m_shown); }

CString COptionsEditDlg::UnsavedSubject() const
{
    // A stored note whose title was emptied is still named by its stored title.
    const CString title = PageNote().name.IsEmpty() ? m_stored.name : PageNote().name;
    return title.IsEmpty() ? CString(L"the new note") : L"the note " + Quoted(title);
}

// The texts stay where the command that follows does not replace them (a
// database opened keeps them as a new note); they are no longer changes.
void COptionsEditDlg::DiscardChanges() { m_shown = PageNote(); }

void COptionsEditDlg::OnNew()
{
    if (ConfirmLeave()) StartNewNote();
}

void COptionsEditDlg::OnSave() { Save(); }

bool COptionsEditDlg::MayOverwrite(const NoteRecord& note, const NoteRecord& stored, bool& loadNewer)
{
    loadNewer = false;
    if (SameNote(stored, m_stored)) return true;
    const int answer = AskAboutNewerVersion(L"The note " + Quoted(note.name));
    loadNewer = answer == IDNO;
    return answer == IDYES;
}

bool COptionsEditDlg::MayShareTitle(const NoteRecord& note)
{
    const StoreOutcome found = FindSameTitle(GetDatabase(), note.groupId, note.name, note.id);
    if (found.result == StoreResult::NoRow) return true;
    if (!ReportStoreOutcome(found, MB_ICONHAND)) return false;
    return AfxMessageBox(L"The group already holds a note titled " + Quoted(note.name) + L".\n\nSave a second note with this title?",
                         MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool COptionsEditDlg::Save()
{
    NoteRecord note = PageNote();
    if (note.name.IsEmpty() || note.query.IsEmpty()) {
        AfxMessageBox(LoadResourceString(IDS_REQUIRED_NOTE_FIELDS), MB_ICONEXCLAMATION);
        return false;
    }
    const bool isNew = m_noteId == -1;
    if (!isNew) {
        NoteRecord stored;
        const StoreOutcome read = ReadNote(GetDatabase(), m_noteId, stored);
        if (!ReportStoreOutcome(read, MB_ICONHAND, m_hWnd, IDS_NOTE_NOT_FOUND)) {
            // The note was deleted meanwhile: the page keeps the texts as a new
            // note, so the next Save stores them again instead of losing them.
            if (read.result == StoreResult::NoRow) {
                SetNoteId(-1);
                m_stored = NoteRecord();
            }
            return false;
        }
        bool loadNewer = false;
        if (!MayOverwrite(note, stored, loadNewer)) {
            if (loadNewer) Load(stored);
            return false;
        }
    }
    const bool placeChanged = isNew || note.name.CompareNoCase(m_stored.name) != 0 || note.groupId != m_stored.groupId;
    if (placeChanged && !MayShareTitle(note)) return false;
    const StoreOutcome saved = isNew ? InsertNewNote(GetDatabase(), note) : UpdateNote(GetDatabase(), note);
    if (!ReportStoreOutcome(saved, MB_ICONHAND, m_hWnd, isNew ? IDS_NO_MAX_ID : IDS_NOTE_NOT_FOUND)) {
        if (!isNew && saved.result == StoreResult::NoRow) {
            SetNoteId(-1);
            m_stored = NoteRecord();
        }
        return false;
    }
    SetNoteId(note.id);
    m_stored = note;
    m_shown = PageNote();
    return true;
}

bool COptionsEditDlg::SaveComments(int noteId, const CString& seen, const CString& comments, CString& shown)
{
    shown = seen;
    NoteRecord stored;
    if (!ReportStoreOutcome(ReadNote(GetDatabase(), noteId, stored), MB_ICONHAND, m_hWnd, IDS_NOTE_NOT_FOUND)) return false;
    if (stored.comments != seen) {
        const int answer = AfxMessageBox(L"The comments of the note " + Quoted(stored.name) +
                                             L" were changed in the note database after the list showed them (by a "
                                             L"synchronization, an import or another user).\n\nYes: save yours over them.\nNo: "
                                             L"show the newer ones (yours are dropped).",
                                         MB_YESNO | MB_ICONQUESTION);
        if (answer != IDYES) {
            shown = stored.comments;
            return false;
        }
    }
    if (stored.comments == comments) {
        shown = comments;
        return true;
    }
    NoteRecord changed = stored;
    changed.comments = comments;
    if (!ReportStoreOutcome(UpdateNote(GetDatabase(), changed), MB_ICONHAND, m_hWnd, IDS_NOTE_NOT_FOUND)) return false;
    shown = comments;
    // The page shows the note: it follows unless the user is changing it,
    // whose Save then finds the newer comments and asks.
    if (m_noteId == noteId && !HasUnsavedChanges()) Load(changed);
    return true;
}

void COptionsEditDlg::OnDelete()
{
    if (AfxMessageBox(LoadResourceString(IDS_REMOVE_NODE_QUESTION), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    const int noteId = m_noteId;
    if (!ReportStoreOutcome(DeleteNote(GetDatabase(), noteId), MB_ICONEXCLAMATION)) return;
    StartNewNote();
    Owner()->NotifyNoteDeleted(noteId);
}
