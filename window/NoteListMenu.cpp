// The note list's right-click menu on a note (also Shift+F10 and the menu
// key) and Ctrl+C on a selected note: show, edit, copy, delete, execute.
// Each goes the way its button goes, so the pages' questions apply.
#include "window/CQuillboxDlg.h"

#include "framework/Clipboard.h"
#include "pages/CPlaceholderDlg.h"
#include "pages/StoreReports.h"
#include "plugin/HostContract.h"
#include "res/resource.h"
#include "run/Placeholders.h"
#include "store/records/NoteRecords.h"
#include "store/records/StoreOutcome.h"

namespace {

enum NoteMenuCommand : UINT { kShowOnView = 1, kEdit, kCopyQuery, kCopyQueryAsWritten, kDelete, kExecute };

} // namespace

int CQuillboxDlg::SelectedNoteId() const
{
    const int row = m_list.GetSelectedRow();
    CSuperGridCtrl::CTreeItem* node = row >= 0 ? m_list.NodeAtRow(row) : nullptr;
    if (!node || m_list.HasChildren(node)) return -1;
    const CItemInfo* info = m_list.GetData(node);
    return info ? info->m_itemData : -1;
}

void CQuillboxDlg::OnContextMenu(CWnd* window, CPoint point)
{
    if (!window || window->m_hWnd != m_list.m_hWnd || SelectedNoteId() < 0) return;
    // From the keyboard the point is (-1, -1): the menu opens at the selected row.
    if (point.x == -1 && point.y == -1) {
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        m_list.SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(m_list.GetSelectedRow()), reinterpret_cast<LPARAM>(&row));
        POINT corner{row.left + 16, row.bottom};
        ::ClientToScreen(m_list.m_hWnd, &corner);
        point = CPoint(corner.x, corner.y);
    }
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, kShowOnView, L"Show on &View");
    menu.AppendMenu(MF_STRING, kEdit, L"&Edit");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, kCopyQuery, L"&Copy query\tCtrl+C");
    menu.AppendMenu(MF_STRING, kCopyQueryAsWritten, L"Copy query as &written");
    if (HostLinkAllowsResults(m_hostLink)) {
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, kExecute, L"E&xecute");
    }
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, kDelete, L"&Delete...\tDel");
    menu.SetDefaultItem(kShowOnView);
    const UINT command = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, this));
    switch (command) {
    case kShowOnView:
    case kEdit:
    case kExecute:
        OpenSelectedNote(false);
        ShowPageOf(command == kEdit ? static_cast<COptionsDlg&>(m_editPage) : m_viewPage);
        if (command == kExecute && m_viewPage.LoadedNoteId() == SelectedNoteId()) m_viewPage.Execute();
        break;
    case kCopyQuery:
    case kCopyQueryAsWritten:
        CopySelectedQuery(command == kCopyQuery);
        break;
    case kDelete:
        DeleteSelectedRow();
        break;
    default:
        break;
    }
}

void CQuillboxDlg::CopySelectedQuery(bool fillPlaceholders)
{
    const int noteId = SelectedNoteId();
    if (noteId < 0) return;
    CString query;
    if (!ReportStoreOutcome(ReadNoteQuery(m_database, noteId, query), MB_ICONEXCLAMATION, m_hWnd, IDS_NOTE_NOT_FOUND)) return;
    std::wstring text = query.GetString();
    if (fillPlaceholders) {
        PlaceholderValues values;
        if (!AskForPlaceholders(this, m_databasePath, text, L"Copy", values)) return;
        text = FillPlaceholders(text, values);
    }
    PutTextOnClipboard(m_hWnd, WithWindowsLineEnds(text));
}
