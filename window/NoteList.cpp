// CQuillboxDlg's note list: loading the catalogue, searching with the Find
// button (or Enter in the Find box) and its scope menu, passing a note
// double-clicked (or Enter on its row) to the pages, editing a row's
// description in place, and dropping what the pages deleted.
#include "window/CQuillboxDlg.h"

#include "pages/StoreReports.h"
#include "res/resource.h"
#include "store/records/CatalogueRows.h"
#include "store/records/NoteRecords.h"

#include <utility>
#include <vector>

namespace {

constexpr int kGroupImage = 1;
constexpr int kNoteImage = 2;

// The row's texts are taken, not copied: a catalogue of 30,000 notes would
// otherwise allocate and free each text once more.
CItemInfo* NewNoteInfo(int id, CString& name, CString& comments)
{
    auto* info = new CItemInfo;
    info->m_text = std::move(name);
    info->m_subTexts.Add(std::move(comments));
    info->m_image = kNoteImage;
    info->m_itemData = id;
    return info;
}

// Keeps the list from drawing while rows arrive and redraws it once at the
// end, also when a fetch fails half-way.
class CSuspendedDrawing {
public:
    explicit CSuspendedDrawing(CWnd& list) : m_list(list) {}
    ~CSuspendedDrawing() { Resume(); }
    CSuspendedDrawing(const CSuspendedDrawing&) = delete;
    CSuspendedDrawing& operator=(const CSuspendedDrawing&) = delete;

    void Suspend()
    {
        if (m_suspended) return;
        m_list.SendMessage(WM_SETREDRAW, FALSE);
        m_suspended = true;
    }
    void Resume()
    {
        if (!m_suspended) return;
        m_suspended = false;
        m_list.SendMessage(WM_SETREDRAW, TRUE);
        ::RedrawWindow(m_list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

private:
    CWnd& m_list;
    bool m_suspended = false;
};

// Group rows are collected, to be reconciled with the pages' group lists
// once every row has arrived.
class CGroupListPlacement : public CRowReceiver<GroupRow> {
public:
    void OnRow(GroupRow&& row) override { m_groups.push_back({row.id, std::move(row.groupName)}); }
    const std::vector<CListedGroups::Entry>& Groups() const { return m_groups; }

private:
    std::vector<CListedGroups::Entry> m_groups;
};

// Catalogue rows become one collapsed row per group with its notes beneath,
// and top-level rows for notes without a group.
class CCataloguePlacement : public CRowReceiver<CatalogueRow> {
public:
    explicit CCataloguePlacement(CSuperGridCtrl& list) : m_list(list), m_drawing(list) {}
    // The old rows go with drawing off, so the emptied list is not painted on the way.
    void EmptyList()
    {
        m_drawing.Suspend();
        m_list.DeleteAllNodes();
    }
    // Drawing on again before a failure is reported over the list.
    void ResumeDrawing() { m_drawing.Resume(); }
    void OnRowsBegin() override { m_drawing.Suspend(); }
    void OnRowsEnd() override { m_drawing.Resume(); }
    void OnRow(CatalogueRow&& row) override
    {
        CItemInfo* note = NewNoteInfo(row.id, row.name, row.comments);
        if (row.groupId <= 0) {
            m_list.AddRootNode(note);
            return;
        }
        if (row.groupId != m_groupId || !m_groupNode) {
            auto* group = new CItemInfo;
            group->m_text = std::move(row.groupName);
            group->m_image = kGroupImage;
            group->m_itemData = row.groupId;
            m_groupNode = m_list.AddRootNode(group);
            m_groupId = row.groupId;
        }
        m_list.AddChildNode(m_groupNode, note, false);
    }

private:
    CSuperGridCtrl& m_list;
    CSuspendedDrawing m_drawing;
    int m_groupId = 0;
    CSuperGridCtrl::CTreeItem* m_groupNode = nullptr;
};

// Search rows become a flat list of notes, replacing the list once the
// statement is open.
class CSearchPlacement : public CRowReceiver<SearchRow> {
public:
    explicit CSearchPlacement(CSuperGridCtrl& list) : m_list(list), m_drawing(list) {}
    // Drawing stops before the old rows go, so the emptied list is not painted on the way.
    void OnRowsBegin() override
    {
        m_drawing.Suspend();
        m_list.DeleteAllNodes();
    }
    void OnRowsEnd() override { m_drawing.Resume(); }
    void OnRow(SearchRow&& row) override { m_list.AddRootNode(NewNoteInfo(row.id, row.name, row.comments)); }

private:
    CSuperGridCtrl& m_list;
    CSuspendedDrawing m_drawing;
};

} // namespace

bool CQuillboxDlg::LoadCatalogue()
{
    CCataloguePlacement catalogue(m_list);
    catalogue.EmptyList();
    CGroupListPlacement groups;
    const StoreOutcome groupsRead = ReadGroupList(m_database, groups);
    if (!groupsRead.IsDone()) {
        catalogue.ResumeDrawing();
        return ReportStoreOutcome(groupsRead, MB_ICONEXCLAMATION);
    }
    // The lists may still hold the groups of an earlier load (a Find with an
    // empty box): pass on only what differs, so each group is listed once.
    // A newly opened database changes every group at once: the group lists
    // are drawn once at the end rather than after every entry.
    m_editPage.SetGroupListDrawing(false);
    m_groupEditPage.SetGroupListDrawing(false);
    for (const CListedGroups::Change& change : m_listedGroups.Reconcile(groups.Groups()))
        NotifyGroupChanged(change.id, change.name, change.removed);
    m_editPage.SetGroupListDrawing(true);
    m_groupEditPage.SetGroupListDrawing(true);
    return ReportStoreOutcome(ReadCatalogue(m_database, catalogue), MB_ICONEXCLAMATION);
}

void CQuillboxDlg::OnFind()
{
    if (m_findButton.IsDropDownHit()) {
        ChooseSearchScope();
        return;
    }
    const CString text = GetDlgItemText(IDC_FIND_TEXT);
    if (text.IsEmpty()) {
        LoadCatalogue();
        return;
    }
    Search(text);
}

// Enter in the Find box presses Find, as in every search box, rather than
// reaching the dialog as its OK command (which would end it). The click goes
// through the window procedure, so a failure is reported as the button's is.
BOOL CQuillboxDlg::PreTranslateMessage(MSG* msg)
{
    if (HandleDialogKey(*msg)) return TRUE;
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && msg->hwnd == ::GetDlgItem(m_hWnd, IDC_FIND_TEXT)) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIND, BN_CLICKED), reinterpret_cast<LPARAM>(m_findButton.m_hWnd));
        return TRUE;
    }
    // Enter on a row of the list opens its note, as a double-click does
    // (the list leaves Enter to the dialog; F2 edits in place).
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && msg->hwnd == m_list.m_hWnd) {
        OpenSelectedNote(true);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CQuillboxDlg::ChooseSearchScope()
{
    CMenu menu;
    menu.LoadMenu(IDR_FIND_MENU);
    CMenu* popup = menu.GetSubMenu(0);
    if (popup) {
        if (!m_findInName && !m_findInDescription && !m_findInSequel) popup->SetDefaultItem(ID_FIND_NAME);
        popup->CheckMenuItem(ID_FIND_NAME, MF_BYCOMMAND | (m_findInName ? MF_CHECKED : MF_UNCHECKED));
        popup->CheckMenuItem(ID_FIND_DESCRIPTION, MF_BYCOMMAND | (m_findInDescription ? MF_CHECKED : MF_UNCHECKED));
        popup->CheckMenuItem(ID_FIND_SEQUEL, MF_BYCOMMAND | (m_findInSequel ? MF_CHECKED : MF_UNCHECKED));
        switch (m_findButton.ShowDropDownMenu(popup)) {
        case ID_FIND_NAME: m_findInName = !m_findInName; break;
        case ID_FIND_DESCRIPTION: m_findInDescription = !m_findInDescription; break;
        case ID_FIND_SEQUEL: m_findInSequel = !m_findInSequel; break;
        default: break;
        }
    }
    m_findButton.ClearDropDownState();
}

void CQuillboxDlg::Search(const CString& text)
{
    SearchScope scope;
    scope.inName = m_findInName;
    scope.inDescription = m_findInDescription;
    scope.inSequel = m_findInSequel;
    CSearchPlacement placement(m_list);
    ReportStoreOutcome(RunSearch(m_database, text, scope, placement), MB_ICONEXCLAMATION);
}

LRESULT CQuillboxDlg::OnShowNote(WPARAM, LPARAM)
{
    OpenSelectedNote(false);
    return 0;
}

void CQuillboxDlg::OpenSelectedNote(bool fromKey)
{
    const int row = static_cast<int>(m_list.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) return;
    CSuperGridCtrl::CTreeItem* node = m_list.NodeAtRow(row);
    if (!node) return;
    if (m_list.HasChildren(node)) {
        // A double-click has already expanded or collapsed the group; Enter does it here.
        if (fromKey) m_list.ToggleGroup(node, row);
        return;
    }
    CItemInfo* info = m_list.GetData(node);
    if (!info) return;
    const int noteId = info->m_itemData;
    // The note on the Edit page is left for this one.
    if (!m_editPage.ConfirmLeave()) return;
    for (int index = 0; index < m_tabCtrl.GetPageCount(); ++index) {
        if (auto* page = dynamic_cast<COptionsDlg*>(m_tabCtrl.GetPage(index))) page->ShowItem(noteId, -1);
    }
    BringDoubleClickPageToFront();
}

CSuperGridCtrl::CTreeItem* CQuillboxDlg::FindListedNode(int id, bool group) const
{
    // Group rows are the top-level rows with notes beneath; notes are the
    // other top-level rows and the groups' children.
    POSITION root = m_list.GetRootHeadPosition();
    while (root) {
        CSuperGridCtrl::CTreeItem* node = m_list.GetNextRoot(root);
        const CItemInfo* info = m_list.GetData(node);
        const bool isGroup = m_list.GetChildCount(node) > 0;
        if (info && isGroup == group && info->m_itemData == id) return node;
        if (!isGroup || group) continue;
        POSITION child = m_list.GetHeadPosition(node);
        while (child) {
            CSuperGridCtrl::CTreeItem* note = m_list.GetNextChild(node, child);
            const CItemInfo* noteInfo = m_list.GetData(note);
            if (noteInfo && noteInfo->m_itemData == id) return note;
        }
    }
    return nullptr;
}

bool CQuillboxDlg::BeginDescriptionEdit(CSuperGridCtrl::CTreeItem* node, CString& text)
{
    const CItemInfo* info = m_list.GetData(node);
    if (!info || !m_database.IsOpen()) return false;
    if (m_list.GetChildCount(node) == 0) {
        text = info->GetSubItemCount() > 0 ? info->GetSubItemText(0) : CString();
        return true;
    }
    // The list holds no group descriptions: the edit starts from the stored one.
    CString name;
    return ReportStoreOutcome(ReadGroup(m_database, info->m_itemData, name, text), MB_ICONHAND, m_hWnd, IDS_GROUP_NOT_FOUND);
}

void CQuillboxDlg::EndDescriptionEdit(CSuperGridCtrl::CTreeItem* node, const CString& seen, const CString& text, CString& shown)
{
    shown = seen;
    const CItemInfo* info = m_list.GetData(node);
    if (!info) return;
    const int id = info->m_itemData;
    if (m_list.GetChildCount(node) == 0) m_editPage.SaveComments(id, seen, text, shown);
    else m_groupEditPage.SaveDescription(id, seen, text, shown);
}

void CQuillboxDlg::BringDoubleClickPageToFront()
{
    COptionsDlg* chosen = nullptr;
    if (m_doubleClickPage == DoubleClickPage::View) chosen = &m_viewPage;
    else if (m_doubleClickPage == DoubleClickPage::Edit) chosen = &m_editPage;
    if (!chosen) return;
    for (int index = 0; index < m_tabCtrl.GetPageCount(); ++index) {
        if (m_tabCtrl.GetPage(index) != chosen) continue;
        if (m_tabCtrl.SendMessage(TCM_GETCURSEL) == index) return;
        // The tab control's own way of changing tabs, so the page is shown as a
        // click shows it; the focus stays where the user left it (the list).
        const HWND focus = ::GetFocus();
        m_tabCtrl.SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(index));
        if (focus && ::IsWindow(focus)) ::SetFocus(focus);
        return;
    }
}
