// COptionsGroupEditDlg: reading, saving and deleting one group.
#include "pages/COptionsGroupEditDlg.h"

#include <cwchar>

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/ResourceString.h"
#include "pages/IPageOwner.h"
#include "pages/StoreReports.h"
#include "res/resource.h"
#include "store/records/NoteRecords.h"

BEGIN_MESSAGE_MAP(COptionsGroupEditDlg, COptionsDlg)
    ON_CBN_SELCHANGE(IDC_GROUP_NAME, OnGroupSelChange)
    ON_BN_CLICKED(IDC_GROUP_SAVE, OnSave)
    ON_BN_CLICKED(IDC_GROUP_DELETE, OnDelete)
END_MESSAGE_MAP()

COptionsGroupEditDlg::COptionsGroupEditDlg() : COptionsDlg(IDD_PAGE_GROUP_EDIT) {}

void COptionsGroupEditDlg::DoDataExchange(CDataExchange* dx)
{
    COptionsDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_GROUP_NAME, m_groupCombo);
    DDX_Control(dx, IDC_GROUP_SAVE, m_saveButton);
    DDX_Control(dx, IDC_GROUP_DELETE, m_deleteButton);
    // Typing stops where the group name's column ends.
    m_groupCombo.LimitText(kTextColumnLimit);
}

// The name and the comments take what the page gains; the buttons stay at
// the bottom left.
void COptionsGroupEditDlg::AnchorControls(CResizeCtrl& resize)
{
    resize.Add(IDC_GROUP_NAME, 0, 0, 100, 0);
    resize.Add(IDC_GROUP_COMMENTS, 0, 0, 100, 100);
    resize.Add(IDC_GROUP_SAVE, 0, 100, 0, 0);
    resize.Add(IDC_GROUP_DELETE, 0, 100, 0, 0);
}

void COptionsGroupEditDlg::ResetPage(bool databaseOpen)
{
    m_saveButton.EnableWindow(databaseOpen);
    m_deleteButton.EnableWindow(databaseOpen);
    m_groupCombo.ResetContent();
}

void COptionsGroupEditDlg::UpdateGroupList(int groupId, const CString& name, bool removed)
{
    if (removed || groupId > 0) m_groupCombo.UpdateGroup(groupId, name, removed);
}

void COptionsGroupEditDlg::OnGroupSelChange()
{
    if (m_groupCombo.GetCurSel() < 0) return;
    CString description;
    const StoreOutcome read = ReadGroupDescription(GetDatabase(), m_groupCombo.SelectedGroupId(0), description);
    if (ReportStoreOutcome(read, MB_ICONHAND, m_hWnd, IDS_GROUP_NOT_FOUND)) SetDlgItemText(IDC_GROUP_COMMENTS, description);
}

void COptionsGroupEditDlg::OnSave()
{
    CString name = m_groupCombo.GetWindowText();
    const CString description = GetDlgItemText(IDC_GROUP_COMMENTS);
    name.Trim();
    if (name.IsEmpty()) {
        AfxMessageBox(LoadResourceString(IDS_REQUIRED_GROUP_NAME), MB_ICONEXCLAMATION);
        return;
    }
    const int existing = m_groupCombo.FindStringExact(-1, name);
    CString idText;
    if (existing >= 0) {
        if (AfxMessageBox(LoadResourceString(IDS_UPDATE_GROUP_QUESTION), MB_YESNO | MB_ICONQUESTION) == IDNO) return;
        idText.Format(L"%d", static_cast<int>(m_groupCombo.GetItemData(existing)));
        ReportStoreOutcome(UpdateGroup(GetDatabase(), idText, name, description), MB_ICONHAND, m_hWnd, IDS_GROUP_NOT_FOUND);
        return;
    }
    if (!ReportStoreOutcome(NextGroupId(GetDatabase(), idText), MB_ICONHAND, m_hWnd, IDS_NO_MAX_ID)) return;
    if (!ReportStoreOutcome(InsertGroup(GetDatabase(), idText, name, description), MB_ICONHAND)) return;
    Owner()->NotifyGroupChanged(static_cast<int>(std::wcstol(idText, nullptr, 10)), name, false);
}

void COptionsGroupEditDlg::OnDelete()
{
    if (m_groupCombo.GetCurSel() < 0) return;
    const int groupId = m_groupCombo.SelectedGroupId(0);
    if (!ReportStoreOutcome(DeleteGroup(GetDatabase(), groupId), MB_ICONHAND)) return;
    Owner()->NotifyGroupChanged(groupId, CString(), true);
    SetDlgItemText(IDC_GROUP_COMMENTS, L"");
}
