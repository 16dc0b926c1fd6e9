// CQuillboxDlg: the plug-in's main dialog: menu, Find row, note list and the
// tab pages. It owns the note database connection; the pages reach it, the
// host link, the group lists and the note list through IPageOwner. Every way
// out of a note or group the pages hold asks them first (ConfirmLeavingPages).
#pragma once

#include "controls/CFooButton.h"
#include "controls/CResizeCtrl.h"
#include "controls/CTabCtrlSSL.h"
#include "framework/CDatabase.h"
#include "framework/CDialog.h"
#include "framework/CImageList.h"
#include "framework/CMenu.h"
#include "pages/COptionsEditDlg.h"
#include "pages/COptionsGroupEditDlg.h"
#include "pages/COptionsResultDlg.h"
#include "pages/COptionsViewDlg.h"
#include "pages/IPageOwner.h"
#include "window/CNoteListCtrl.h"
#include "window/DoubleClickPage.h"
#include "window/ListedGroups.h"
#include "window/RecentNoteFiles.h"

class IHostLink;

class CQuillboxDlg : public CDialog, public IPageOwner, public CNoteListCtrl::IOwner {
public:
    explicit CQuillboxDlg(IHostLink* hostLink);
    ~CQuillboxDlg() override;

    CDatabase& GetDatabase() override { return m_database; }
    IHostLink* GetHostLink() const override { return m_hostLink; }
    void NotifyGroupChanged(int groupId, const CString& name, bool removed) override;
    void NotifyGroupRenamed(int groupId, const CString& name) override;
    void NotifyNoteDeleted(int noteId) override;
    CString DatabasePath() const override { return m_databasePath; }
    bool RunQuery(const CString& text) override;
    void CancelQuery() override;
    bool IsQueryRunning() const override;
    void RunStateChanged(bool running) override;
    void ShowResultsPage() override;
    CString LoadRunSource() override;
    void SaveRunSource(const CString& choice) override;
    bool BeginDescriptionEdit(CSuperGridCtrl::CTreeItem* node, CString& text) override;
    void EndDescriptionEdit(CSuperGridCtrl::CTreeItem* node, const CString& seen, const CString& text, CString& shown) override;

    // Asks the Edit and then the Group Edit page whether their note and
    // group may be left (File commands, Exit, Escape, the close box); false
    // when the user chose to stay.
    bool ConfirmLeavingPages();

    // Closes an open connection, connects to `path` and resets the pages.
    void OpenNoteDatabase(const CString& path);
    // Refills the pages' group lists and the list with the whole catalogue.
    bool LoadCatalogue();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Enter (where no control takes it), Escape and the close box end the
    // dialog only after the pages allow it.
    void OnOK() override;
    void OnCancel() override;
    // The close box: a run is cancelled and the dialog closes.
    void OnClose();

    void OnFind();
    void OnFileNew();
    void OnFileOpen();
    void OnExit();
    void OnOptions();
    void OnFileExport();
    void OnFileImport();
    void OnFileSynchronize();
    void OnHelpAbout();
    void OnOpenRecentFile(UINT id);
    LRESULT OnShowNote(WPARAM wParam, LPARAM lParam);
    // The note list's menu (window/NoteListMenu.cpp).
    void OnContextMenu(CWnd* window, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    void AttachMenuKeepingClientSize();
    void AddPage(COptionsDlg& page, UINT templateId, UINT titleId, int pageId);
    void ResetPages(bool databaseOpen);
    // After a synchronization or an import changed the database.
    void ReloadPages();
    // "Quillbox - notes.mdb" while a note database is open.
    void ShowDatabaseInTitle();
    // Closes the open note database and resets the pages for none.
    void CloseNoteDatabase();
    // New onto an existing file: made beside it, then put in its place.
    bool ReplaceWithNewNoteDatabase(const CString& path);
    // Shows the selected note on the pages, as a double-click or Enter asks;
    // Enter on a group row expands or collapses it, as the double-click has.
    void OpenSelectedNote(bool fromKey);
    // The list's node of the note or group `id`; null when it is not listed.
    CSuperGridCtrl::CTreeItem* FindListedNode(int id, bool group) const;
    // Opens `path` as File, Open does and remembers it when its notes are listed.
    void OpenAndListNoteDatabase(const CString& path);
    // Puts `path` first among the recent files, stored and on the File menu.
    void RememberRecentFile(const CString& path);
    void ShowRecentFiles();
    void BringDoubleClickPageToFront();
    CString ExchangeStartFolder() const;
    void ChooseSearchScope();
    // The dialog's own keys (window/DialogKeys.cpp); true when `msg` was one.
    bool HandleDialogKey(const MSG& msg);
    bool MoveFocusAlongTabOrder(const MSG& msg, bool backward);
    bool HandleAccelerator(UINT key);
    void ClickNewNote();
    void StepPage(int step);
    void ShowPageOf(COptionsDlg& page);
    void DeleteSelectedRow();
    void DeleteGroupOfRow(int groupId);
    void Search(const CString& text);
    // The note of the selected row; -1 when a group or nothing is selected.
    int SelectedNoteId() const;
    // The selected note's query onto the clipboard, its blanks filled in
    // first (asked for) unless it is to be copied as written.
    void CopySelectedQuery(bool fillPlaceholders);

    CDatabase m_database;
    IHostLink* m_hostLink = nullptr;  // the host's link, valid while Execute runs
    CTabCtrlSSL m_tabCtrl;
    COptionsViewDlg m_viewPage;
    COptionsEditDlg m_editPage;
    COptionsGroupEditDlg m_groupEditPage;
    COptionsResultDlg m_resultPage;
    CMenu m_menu;
    CFooButton m_findButton;
    CResizeCtrl m_resize;
    bool m_resultsAllowed = false;  // the host link allows running notes
    bool m_findInName = false;
    bool m_findInDescription = false;
    bool m_findInSequel = false;
    CImageList m_imageList;
    CNoteListCtrl m_list;
    CString m_databasePath;  // the open note database's path, for the title bar and the About box
    CListedGroups m_listedGroups;  // what the pages' group lists hold since they were last emptied
    DoubleClickPage m_doubleClickPage = DoubleClickPage::None;  // as the user chose it in Options
    CRecentNoteFiles m_recentFiles;  // as the File menu shows them
};
