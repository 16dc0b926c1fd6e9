// COptionsGroupEditDlg: reading, saving, renaming and deleting one group.
#include "pages/COptionsGroupEditDlg.h"

#include <cwchar>

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/ResourceString.h"
#include "pages/IPageOwner.h"
#include "pages/StoreReports.h"
#include "res/resource.h"
#include "store/records/NoteRecords.h"
#include "store/records/NoteRecord.h"

namespace {

CString IdText(int groupId)
{
    CString text;
    text.Format(L"%d", groupId);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(COptionsGroupEditDlg, COptionsDlg)
    ON_CBN_SELCHANGE(IDC_GROUP_NAME, OnGroupSelChange)
    ON_BN_CLICKED(IDC_GROUP_SAVE, OnSave)
    ON_BN_CLICKED(IDC_GROUP_RENAME, OnRename)
    ON_BN_CLICKED(IDC_GROUP_DELETE, OnDelete)
END_MESSAGE_MAP()

COptionsGroupEditDlg::COptionsGroupEditDlg() : COptionsDlg(IDD_PAGE_GROUP_EDIT) {}

void COptionsGroupEditDlg::DoDataExchange(CDataExchange* dx)
{
    COptionsDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_GROUP_NAME, m_groupCombo);
    DDX_Control(dx, IDC_GROUP_SAVE, m_saveButton);
    DDX_Control(dx, IDC_GROUP_RENAME, m_renameButton);
    DDX_Control(dx, IDC_GROUP_DELETE, m_deleteButton);
    // Typing stops where the group name's column ends; the box scrolls.
    m_groupCombo.LimitText(kTextColumnLimit);
}

// The name and the comments take what the page gains; the buttons stay at
// the bottom left.
void COptionsGroupEditDlg::AnchorControls(CResizeCtrl& resize)
{
    resize.Add(IDC_GROUP_NAME, 0, 0, 100, 0);
    resize.Add(IDC_GROUP_COMMENTS, 0, 0, 100, 100);
    for (int button : {IDC_GROUP_RENAME, IDC_GROUP_DELETE, IDC_GROUP_SAVE}) resize.Add(button, 0, 100, 0, 0);
}

void COptionsGroupEditDlg::ResetPage(bool databaseOpen)
{
    m_saveButton.EnableWindow(databaseOpen);
    m_renameButton.EnableWindow(databaseOpen);
    m_deleteButton.EnableWindow(databaseOpen);
    m_groupCombo.ResetContent();
    m_groupId = -1;
    m_storedName.Empty();
    m_storedDescription.Empty();
    m_shownName = PageName();
    m_shownDescription = PageDescription();
}

void COptionsGroupEditDlg::UpdateGroupList(int groupId, const CString& name, bool removed)
{
    if (removed || groupId > 0) m_groupCombo.UpdateGroup(groupId, name, removed);
}

CString COptionsGroupEditDlg::PageName() const
{
    CString name = m_groupCombo.GetWindowText();
    name.Trim();
    return name;
}

CString COptionsGroupEditDlg::PageDescription() const { return GetDlgItemText(IDC_GROUP_COMMENTS); }

void COptionsGroupEditDlg::Load(int groupId, const CString& name, const CString& description)
{
    m_groupCombo.SelectGroup(groupId);
    SetDlgItemText(IDC_GROUP_COMMENTS, description);
    m_groupId = groupId;
    m_storedName = name;
    m_storedDescription = description;
    m_shownName = PageName();
    m_shownDescription = PageDescription();
}

bool COptionsGroupEditDlg::HasUnsavedChanges() const
{
    return PageName() != m_shownName || PageDescription() != m_shownDescription;
}

CString COptionsGroupEditDlg::UnsavedSubject() const
{
    const CString name = PageName();
    return name.IsEmpty() ? CString(L"the new group") : L"the group " + Quoted(name);
}

// The texts stay where the command that follows does not replace them; they
// are no longer changes.
void COptionsGroupEditDlg::DiscardChanges()
{
    m_shownName = PageName();
    m_shownDescription = PageDescription();
}

void COptionsGroupEditDlg::OnGroupSelChange()
{
    const int chosen = m_groupCombo.GetCurSel();
    if (chosen < 0) return;
    const int chosenId = static_cast<int>(m_groupCombo.GetItemData(chosen));
    CString chosenName;
    m_groupCombo.GetLBText(chosen, chosenName);
    // The page goes back to what it held before the pick while the user is
    // asked about it; the box may already show the picked name.
    CString typed = m_groupCombo.GetWindowText();
    if (typed == chosenName && chosenId != m_groupId) typed = m_shownName;
    if (m_groupId < 0 || !m_groupCombo.SelectGroup(m_groupId)) m_groupCombo.SetCurSel(-1);
    m_groupCombo.SetWindowText(typed);
    if (!ConfirmLeave()) return;

    CString name, description;
    if (!ReportStoreOutcome(ReadGroup(GetDatabase(), chosenId, name, description), MB_ICONHAND, m_hWnd, IDS_GROUP_NOT_FOUND)) return;
    Load(chosenId, name, description);
}

void COptionsGroupEditDlg::ReloadItem()
{
    if (m_groupId < 0) return;
    CString name, description;
    const StoreOutcome read = ReadGroup(GetDatabase(), m_groupId, name, description);
    if (read.result == StoreResult::NoRow) {
        AfxMessageBox(L"The group " + Quoted(m_storedName) + L" is no longer in the note database.", MB_ICONINFORMATION);
        m_groupId = -1;
        m_storedName.Empty();
        m_storedDescription.Empty();
        m_shownName = PageName();
        m_shownDescription = PageDescription();
        return;
    }
    if (!ReportStoreOutcome(read, MB_ICONEXCLAMATION)) return;
    if (name != m_storedName || description != m_storedDescription || m_groupCombo.SelectedGroupId(-1) != m_groupId)
        Load(m_groupId, name, description);
}

void COptionsGroupEditDlg::OnSave() { Save(false); }

bool COptionsGroupEditDlg::MayOverwrite(int groupId, const CString& name)
{
    CString storedName, storedDescription;
    const StoreOutcome read = ReadGroup(GetDatabase(), groupId, storedName, storedDescription);
    if (!ReportStoreOutcome(read, MB_ICONHAND, m_hWnd, IDS_GROUP_NOT_FOUND)) return false;
    if (storedName == m_storedName && storedDescription == m_storedDescription) return true;
    const int answer = AskAboutNewerVersion(L"The group " + Quoted(name));
    if (answer == IDNO) Load(groupId, storedName, storedDescription);
    return answer == IDYES;
}

bool COptionsGroupEditDlg::Save(bool confirmed)
{
    const CString name = PageName();
    const CString description = PageDescription();
    if (name.IsEmpty()) {
        AfxMessageBox(LoadResourceString(IDS_REQUIRED_GROUP_NAME), MB_ICONEXCLAMATION);
        return false;
    }
    const int existing = m_groupCombo.FindStringExact(-1, name);
    if (existing >= 0) {
        const int groupId = static_cast<int>(m_groupCombo.GetItemData(existing));
        const bool loaded = groupId == m_groupId;
        if ((!confirmed || !loaded) &&
            AfxMessageBox(LoadResourceString(IDS_UPDATE_GROUP_QUESTION), MB_YESNO | MB_ICONQUESTION) == IDNO)
            return false;
        if (loaded && !MayOverwrite(groupId, name)) return false;
        if (!ReportStoreOutcome(UpdateGroup(GetDatabase(), IdText(groupId), name, description), MB_ICONHAND, m_hWnd, IDS_GROUP_NOT_FOUND))
            return false;
        m_groupId = groupId;
    } else {
        CString idText;
        if (!ReportStoreOutcome(NextGroupId(GetDatabase(), idText), MB_ICONHAND, m_hWnd, IDS_NO_MAX_ID)) return false;
        if (!ReportStoreOutcome(InsertGroup(GetDatabase(), idText, name, description), MB_ICONHAND)) return false;
        m_groupId = static_cast<int>(std::wcstol(idText, nullptr, 10));
        Owner()->NotifyGroupChanged(m_groupId, name, false);
    }
    m_storedName = name;
    m_storedDescription = description;
    m_shownName = PageName();
    m_shownDescription = PageDescription();
    return true;
}

void COptionsGroupEditDlg::OnRename()
{
    if (m_groupId < 0) {
        AfxMessageBox(L"Choose the group to rename from the list, type its new name, then press Rename.", MB_ICONINFORMATION);
        return;
    }
    const CString name = PageName();
    if (name.IsEmpty()) {
        AfxMessageBox(LoadResourceString(IDS_REQUIRED_GROUP_NAME), MB_ICONEXCLAMATION);
        return;
    }
    const int other = m_groupCombo.FindStringExact(-1, name);
    if (other >= 0 && static_cast<int>(m_groupCombo.GetItemData(other)) != m_groupId) {
        AfxMessageBox(L"A group named " + Quoted(name) + L" exists already. Choose another name.", MB_ICONEXCLAMATION);
        return;
    }
    if (!ReportStoreOutcome(RenameGroup(GetDatabase(), m_groupId, name), MB_ICONHAND, m_hWnd, IDS_GROUP_NOT_FOUND)) return;
    Owner()->NotifyGroupRenamed(m_groupId, name);
    m_groupCombo.SelectGroup(m_groupId);
    m_storedName = name;
    m_shownName = PageName();
}

bool COptionsGroupEditDlg::SaveDescription(int groupId, const CString& seen, const CString& description, CString& shown)
{
    shown = seen;
    CString name, stored;
    if (!ReportStoreOutcome(ReadGroup(GetDatabase(), groupId, name, stored), MB_ICONHAND, m_hWnd, IDS_GROUP_NOT_FOUND)) return false;
    if (stored != seen) {
        const int answer = AfxMessageBox(L"The description of the group " + Quoted(name) +
                                             L" was changed in the note database after the list showed it (by a "
                                             L"synchronization, an import or another user).\n\nYes: save yours over it.\nNo: "
                                             L"show the newer one (yours is dropped).",
                                         MB_YESNO | MB_ICONQUESTION);
        if (answer != IDYES) {
            shown = stored;
            return false;
        }
    }
    if (stored == description) {
        shown = description;
        return true;
    }
    if (!ReportStoreOutcome(UpdateGroup(GetDatabase(), IdText(groupId), name, description), MB_ICONHAND, m_hWnd, IDS_GROUP_NOT_FOUND))
        return false;
    shown = description;
    // The page shows the group: it follows unless the user is changing it,
    // whose Save then finds the newer description and asks.
    if (m_groupId == groupId && !HasUnsavedChanges()) Load(groupId, name, description);
    return true;
}

void COptionsGroupEditDlg::OnDelete()
{
    if (m_groupCombo.GetCurSel() < 0) return;
    const int groupId = m_groupCombo.SelectedGroupId(0);
    if (!ReportStoreOutcome(DeleteGroup(GetDatabase(), groupId), MB_ICONHAND)) return;
    Owner()->NotifyGroupChanged(groupId, CString(), true);
    SetDlgItemText(IDC_GROUP_COMMENTS, L"");
    if (groupId == m_groupId) {
        m_groupId = -1;
        m_storedName.Empty();
        m_storedDescription.Empty();
    }
    m_shownName = PageName();
    m_shownDescription = PageDescription();
}
