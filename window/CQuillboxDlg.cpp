// CQuillboxDlg: initialisation, the File commands, the ways the dialog ends
// (each asking the pages first) and the paths from the pages to the group
// lists and the note list.
#include "window/CQuillboxDlg.h"

#include <algorithm>
#include <vector>

#include "framework/CFileDialog.h"
#include "framework/CPropertySheet.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/ResourceString.h"
#include "pages/StoreReports.h"
#include "plugin/HostContract.h"
#include "res/resource.h"
#include "store/records/NoteDatabaseFile.h"
#include "store/exchange/NoteFolderFiles.h"
#include "store/records/OutcomeOf.h"
#include "window/CAboutDlg.h"
#include "window/COptionsF1.h"
#include "window/NoteListColumns.h"
#include "window/ExchangeCommands.h"
#include "window/ListIcons.h"
#include "window/SyncCommand.h"
#include "window/QuillboxSettings.h"

namespace {

const wchar_t kDatabaseFilter[] = L"Microsoft Access Driver (*.mdb)|*.mdb||";
constexpr int kSplitPushButton = 5;

CString FolderOf(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    return slash > 0 ? path.Left(slash) : CString();
}

CString FileNameOf(const CString& path)
{
    const int slash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return path.Mid(slash + 1);
}

bool IsExistingFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CQuillboxDlg, CDialog)
    ON_BN_CLICKED(IDC_FIND, OnFind)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_FILE_EXIT, OnExit)
    ON_COMMAND(ID_FILE_OPTIONS, OnOptions)
    ON_COMMAND(ID_FILE_EXPORT, OnFileExport)
    ON_COMMAND(ID_FILE_IMPORT, OnFileImport)
    ON_COMMAND(ID_FILE_SYNCHRONIZE, OnFileSynchronize)
    ON_COMMAND(ID_HELP_ABOUT, OnHelpAbout)
    ON_COMMAND_RANGE(ID_FILE_RECENT_1, ID_FILE_RECENT_4, OnOpenRecentFile)
    ON_MESSAGE(CSuperGridCtrl::WM_GRID_DOUBLECLICK, OnShowNote)
    ON_WM_CLOSE()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CQuillboxDlg::CQuillboxDlg(IHostLink* hostLink) : CDialog(IDD_QUILLBOX, nullptr)
{
    m_hostLink = hostLink;
}

CQuillboxDlg::~CQuillboxDlg() = default;

void CQuillboxDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_TAB, m_tabCtrl);
    DDX_Control(dx, IDC_FIND, m_findButton);
    DDX_Control(dx, IDC_NOTE_LIST, m_list);
}

BOOL CQuillboxDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AttachMenuKeepingClientSize();
    // The stored settings; nothing is opened until the user asks.
    m_doubleClickPage = LoadDoubleClickPage();
    m_recentFiles = LoadRecentFiles();
    ShowRecentFiles();
    m_findButton.SetType(kSplitPushButton);
    m_findButton.SetFocusStyle(1);
    m_findButton.SetDpi(ScreenDpi());
    // The strip is a stop of Tab of its own, between the list and the page.
    m_tabCtrl.SetStripKeepsFocus(true);

    AddPage(m_viewPage, IDD_PAGE_VIEW, IDS_TAB_VIEW, 0);
    AddPage(m_editPage, IDD_PAGE_EDIT, IDS_TAB_EDIT, 1);
    AddPage(m_groupEditPage, IDD_PAGE_GROUP_EDIT, IDS_TAB_GROUP_EDIT, 2);
    m_resultsAllowed = HostLinkAllowsResults(m_hostLink);
    if (m_resultsAllowed) {
        m_viewPage.EnableExecute();
        AddPage(m_resultPage, IDD_PAGE_RESULTS, IDS_TAB_RESULTS, 3);
    }
    m_tabCtrl.SendMessage(TCM_SETCURFOCUS, 0);

    if (!CreateListIcons(m_imageList, ScreenDpi())) return -1;
    // Shared with the list, so that only m_imageList destroys it.
    m_list.SetImageList(&m_imageList, LVSIL_SMALL);
    InsertNoteListColumns(m_list.GetSafeHwnd());
    m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES);
    m_list.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    m_list.m_editEnabled = FALSE;
    m_list.m_dragEnabled = FALSE;
    m_list.SetOwner(this);

    m_resize.Create(this);
    m_resize.Add(IDC_NOTE_LIST, 0, 0, 100, 50);
    m_resize.Add(IDC_TAB, 0, 50, 100, 50);
    m_resize.Add(IDC_FIND_FRAME, 0, 0, 100, 0);
    m_resize.Add(IDC_FIND_TEXT, 0, 0, 100, 0);
    m_resize.Add(IDC_FIND, 100, 0, 0, 0);
    m_resize.SetMinimumTrackingSize();
    return TRUE;
}

void CQuillboxDlg::AttachMenuKeepingClientSize()
{
    // The menu bar takes its height from the client area; grow the window by
    // as much so that the template's controls stay fully visible.
    CRect before;
    GetClientRect(&before);
    m_menu.LoadMenu(IDR_MAIN_MENU);
    SetMenu(&m_menu);
    CRect after, window;
    GetClientRect(&after);
    GetWindowRect(&window);
    const int lost = before.Height() - after.Height();
    if (lost > 0) SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + lost, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CQuillboxDlg::AddPage(COptionsDlg& page, UINT templateId, UINT titleId, int pageId)
{
    page.Create(templateId, this);
    m_tabCtrl.AddPage(LoadResourceString(titleId), pageId, &page);
    // Placed in the tab control: the page's layout at this size is where its controls start from.
    page.FollowPageSize();
}

void CQuillboxDlg::NotifyGroupChanged(int groupId, const CString& name, bool removed)
{
    if (removed) m_listedGroups.Remove(groupId);
    else m_listedGroups.Add(groupId, name);
    m_editPage.UpdateGroupList(groupId, name, removed);
    m_groupEditPage.UpdateGroupList(groupId, name, removed);
    if (!removed) return;
    if (CSuperGridCtrl::CTreeItem* node = FindListedNode(groupId, true)) m_list.RemoveNode(node, m_list.RowOfNode(node));
}

void CQuillboxDlg::NotifyGroupRenamed(int groupId, const CString& name)
{
    m_listedGroups.Remove(groupId);
    m_listedGroups.Add(groupId, name);
    m_editPage.RenameGroupInList(groupId, name);
    m_groupEditPage.RenameGroupInList(groupId, name);
    CSuperGridCtrl::CTreeItem* node = FindListedNode(groupId, true);
    const int row = node ? m_list.RowOfNode(node) : -1;
    if (row >= 0) m_list.StoreCellText(node, row, 0, name);
}

void CQuillboxDlg::NotifyNoteDeleted(int noteId)
{
    CSuperGridCtrl::CTreeItem* node = FindListedNode(noteId, false);
    if (!node) return;
    CSuperGridCtrl::CTreeItem* group = m_list.GetParentItem(node);
    m_list.RemoveNode(node, m_list.RowOfNode(node));
    // A group without notes is not listed.
    if (group && m_list.GetChildCount(group) == 0) m_list.RemoveNode(group, m_list.RowOfNode(group));
}

bool CQuillboxDlg::ConfirmLeavingPages() { return m_editPage.ConfirmLeave() && m_groupEditPage.ConfirmLeave(); }

void CQuillboxDlg::ReloadPages()
{
    m_viewPage.ReloadItem();
    m_editPage.ReloadItem();
    m_groupEditPage.ReloadItem();
}

void CQuillboxDlg::ShowDatabaseInTitle()
{
    SetWindowText(m_databasePath.IsEmpty() ? CString(L"Quillbox") : L"Quillbox - " + FileNameOf(m_databasePath));
}

void CQuillboxDlg::ResetPages(bool databaseOpen)
{
    if (!databaseOpen) m_list.DeleteAllNodes();
    m_listedGroups.Clear();  // every page empties its group list
    for (int index = 0; index < m_tabCtrl.GetPageCount(); ++index) {
        if (auto* page = dynamic_cast<COptionsDlg*>(m_tabCtrl.GetPage(index))) page->ResetPage(databaseOpen);
    }
}

void CQuillboxDlg::OpenNoteDatabase(const CString& path)
{
    const bool wasOpen = m_database.IsOpen() != FALSE;
    if (wasOpen) m_database.Close();
    m_databasePath.Empty();
    try {
        ConnectNoteDatabase(m_database, path);
    } catch (...) {
        // A refused connection leaves as an exception that the message
        // dispatch reports, with the pages showing no database.
        if (wasOpen) ResetPages(false);
        ShowDatabaseInTitle();
        throw;
    }
    if (m_database.IsOpen()) m_databasePath = path;
    ShowDatabaseInTitle();
    // The pages are reset once, for the outcome; the list is emptied with
    // them when no database is open, else by the catalogue's load.
    ResetPages(m_database.IsOpen() != FALSE);
}

void CQuillboxDlg::CloseNoteDatabase()
{
    if (!m_database.IsOpen()) return;
    m_database.Close();
    m_databasePath.Empty();
    ShowDatabaseInTitle();
    ResetPages(false);
}

void CQuillboxDlg::OnFileOpen()
{
    if (!ConfirmLeavingPages()) return;
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_EXPLORER, kDatabaseFilter, this);
    if (dialog.DoModal() != IDOK) return;
    OpenAndListNoteDatabase(dialog.GetPathName());
}

void CQuillboxDlg::OpenAndListNoteDatabase(const CString& path)
{
    OpenNoteDatabase(path);
    if (LoadCatalogue()) RememberRecentFile(path);
}

void CQuillboxDlg::OnFileNew()
{
    if (!ConfirmLeavingPages()) return;
    CFileDialog dialog(FALSE, nullptr, nullptr, OFN_EXPLORER, kDatabaseFilter, this);
    if (dialog.DoModal() != IDOK || dialog.m_ofn.nFilterIndex != 1) return;
    const CString path = dialog.GetPathName();
    if (IsExistingFile(path)) {
        if (AfxMessageBox(FileNameOf(path) + L" already exists.\nDo you want to replace it with an empty note database? "
                                              L"Everything it holds is lost.",
                          MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            return;
        if (ReplaceWithNewNoteDatabase(path)) OpenAndListNoteDatabase(path);
        return;
    }
    if (!RequestNoteDatabaseFile(path)) {
        AfxMessageBox(LoadResourceString(IDS_CREATE_FAILED), MB_ICONEXCLAMATION);
        return;
    }
    OpenNoteDatabase(path);
    if (!m_database.IsOpen()) return;
    if (!ReportStoreOutcome(CreateSchema(m_database), MB_ICONEXCLAMATION)) {
        // The file this command made could not become a note database (a
        // full disk, say): it goes, so that a second try can make it again.
        m_database.Close();
        m_databasePath.Empty();
        ShowDatabaseInTitle();
        ResetPages(false);
        ::DeleteFileW(path);
        return;
    }
    if (LoadCatalogue()) RememberRecentFile(path);
}

// The new note database is made whole (file and schema) beside the old one
// under a name of its own, and only then moved over it: the old file stays
// as it was until a complete new one takes its place.
bool CQuillboxDlg::ReplaceWithNewNoteDatabase(const CString& path)
{
    const CString fresh = path + L".new~";
    ::DeleteFileW(fresh);
    StoreOutcome made = StoreOutcome::Refused(LoadResourceString(IDS_CREATE_FAILED));
    if (RequestNoteDatabaseFile(fresh)) {
        CDatabase database;
        made = OutcomeOf([&] {
            ConnectNoteDatabase(database, fresh);
            return database.IsOpen() ? CreateSchema(database) : StoreOutcome::Refused(LoadResourceString(IDS_CREATE_FAILED));
        });
        if (database.IsOpen()) database.Close();
    }
    if (!made.IsDone()) {
        ::DeleteFileW(fresh);
        AfxMessageBox(made.error + L"\n\n" + FileNameOf(path) + L" was not changed.", MB_ICONEXCLAMATION);
        return false;
    }
    // The open file cannot be replaced while it is connected.
    const bool replacesOpenFile = m_databasePath.CompareNoCase(path) == 0;
    if (replacesOpenFile) CloseNoteDatabase();
    if (!::MoveFileExW(fresh, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const CString reason = DescribeFileError(path, ::GetLastError());
        ::DeleteFileW(fresh);
        AfxMessageBox(L"Could not replace " + reason + L"\n\nThe file was not changed.", MB_ICONEXCLAMATION);
        if (replacesOpenFile) OpenAndListNoteDatabase(path);
        return false;
    }
    return true;
}

void CQuillboxDlg::OnExit()
{
    if (ConfirmLeavingPages()) EndDialog(IDOK);
}

void CQuillboxDlg::OnOK()
{
    if (ConfirmLeavingPages()) EndDialog(IDOK);
}

// Escape while a run goes on cancels the run and leaves the dialog open.
void CQuillboxDlg::OnCancel()
{
    if (IsQueryRunning()) {
        CancelQuery();
        return;
    }
    if (ConfirmLeavingPages()) EndDialog(IDCANCEL);
}

void CQuillboxDlg::OnClose()
{
    CancelQuery();
    if (ConfirmLeavingPages()) EndDialog(IDCANCEL);
}

bool CQuillboxDlg::RunQuery(const CString& text) { return m_resultsAllowed && m_resultPage.Run(text); }

void CQuillboxDlg::CancelQuery()
{
    if (m_resultsAllowed) m_resultPage.CancelRun();
}

bool CQuillboxDlg::IsQueryRunning() const { return m_resultsAllowed && m_resultPage.IsRunning(); }

void CQuillboxDlg::RunStateChanged(bool running) { m_viewPage.ShowRunning(running); }

void CQuillboxDlg::ShowResultsPage()
{
    if (m_resultsAllowed) ShowPageOf(m_resultPage);
}

CString CQuillboxDlg::LoadRunSource() { return ::LoadRunSource(m_databasePath); }

void CQuillboxDlg::SaveRunSource(const CString& choice) { ::SaveRunSource(m_databasePath, choice); }

void CQuillboxDlg::OnOptions()
{
    CPropertySheet sheet(L"Options", nullptr, 0);
    COptionsF1 general;
    general.m_doubleClickPage = m_doubleClickPage;
    // OK and Apply store the choice and apply it at once; Cancel leaves both.
    general.m_onApply = [this](DoubleClickPage page) {
        m_doubleClickPage = page;
        SaveDoubleClickPage(page);
    };
    sheet.AddPage(&general);
    sheet.DoModal();
}

void CQuillboxDlg::OnFileExport()
{
    CString folder = ExchangeStartFolder();
    const CString start = folder;
    RunExport(*this, m_database, folder);
    if (folder != start) SaveExchangeFolder(m_databasePath, folder);
}

void CQuillboxDlg::OnFileImport()
{
    if (!ConfirmLeavingPages()) return;
    CString folder = ExchangeStartFolder();
    const CString start = folder;
    const bool changed = RunImport(*this, m_database, folder);
    if (folder != start) SaveExchangeFolder(m_databasePath, folder);
    if (!changed) return;
    LoadCatalogue();
    ReloadPages();
}

void CQuillboxDlg::OnFileSynchronize()
{
    if (!ConfirmLeavingPages()) return;
    CString folder = ExchangeStartFolder();
    const CString start = folder;
    const bool changed = RunSync(*this, m_database, m_databasePath, folder);
    if (folder != start) SaveExchangeFolder(m_databasePath, folder);
    if (!changed) return;
    LoadCatalogue();
    ReloadPages();
}

// Where the last export or import of this database went, while that folder
// is still there; else the database's own folder.
CString CQuillboxDlg::ExchangeStartFolder() const
{
    const CString kept = LoadExchangeFolder(m_databasePath);
    const DWORD attributes = kept.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(kept);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return kept;
    return FolderOf(m_databasePath);
}

void CQuillboxDlg::OnHelpAbout()
{
    CAboutDlg about(m_database, m_databasePath, this);
    about.DoModal();
}
