// CQuillboxDlg's keyboard: Tab through the Find row, the list, the tab strip
// and the current page; Ctrl+Tab and Ctrl+PageDown/PageUp between pages;
// the scope menu from the Find button; Enter on the Find button and on the
// strip; the accelerators and Delete on a list row. Every command goes
// through the same message a click sends, so the pages' own checks and
// questions apply, and a failure is reported by the window procedure.
#include "window/CQuillboxDlg.h"

#include "controls/DialogTabOrder.h"
#include "res/resource.h"

namespace {

bool IsDown(int key) { return ::GetKeyState(key) < 0; }

// What a click of the page's button `id` sends; a disabled button takes none.
void ClickPageButton(CWnd& page, int id)
{
    HWND button = ::GetDlgItem(page.m_hWnd, id);
    if (!button || !::IsWindowEnabled(button)) return;
    page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

} // namespace

bool CQuillboxDlg::HandleDialogKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const UINT key = static_cast<UINT>(msg.wParam);
    const bool alt = msg.message == WM_SYSKEYDOWN;
    const bool ctrl = !alt && IsDown(VK_CONTROL);
    const bool shift = IsDown(VK_SHIFT);
    if (key == VK_TAB && !alt) {
        if (ctrl) {
            StepPage(shift ? -1 : 1);
            return true;
        }
        return MoveFocusAlongTabOrder(msg, shift);
    }
    if (ctrl && (key == VK_NEXT || key == VK_PRIOR)) {
        StepPage(key == VK_NEXT ? 1 : -1);
        return true;
    }
    // Alt+Down, F4 and Shift+F10 (which arrives as a system key) on the Find button.
    const bool menuKey = (alt && key == VK_DOWN) || (!alt && !ctrl && key == VK_F4) || (shift && key == VK_F10);
    if (msg.hwnd == m_findButton.m_hWnd && menuKey) {
        ChooseSearchScope();
        return true;
    }
    // The menu key and Shift+F10 (a system key) on the list: its menu at the selected row.
    if (msg.hwnd == m_list.m_hWnd && (key == VK_APPS || (shift && key == VK_F10))) {
        OnContextMenu(&m_list, CPoint(-1, -1));
        return true;
    }
    if (ctrl && !shift && key == 'C' && msg.hwnd == m_list.m_hWnd) {
        CopySelectedQuery(true);
        return true;
    }
    if (ctrl && !shift) return HandleAccelerator(key);
    if (alt || ctrl || shift) return false;
    if (key == VK_RETURN && msg.hwnd == m_findButton.m_hWnd) {
        // A press of the focused button, not the dialog's OK (which would end it).
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FIND, BN_CLICKED), reinterpret_cast<LPARAM>(m_findButton.m_hWnd));
        return true;
    }
    if (key == VK_RETURN && msg.hwnd == m_tabCtrl.m_hWnd) {
        // Enter on the strip leads into the page in front.
        FocusTabStop(NextTabStop(m_hWnd, m_tabCtrl.m_hWnd, false));
        return true;
    }
    if (key == VK_DELETE && msg.hwnd == m_list.m_hWnd) {
        DeleteSelectedRow();
        return true;
    }
    return false;
}

bool CQuillboxDlg::MoveFocusAlongTabOrder(const MSG& msg, bool backward)
{
    HWND focus = ::GetFocus();
    // A control that takes Tab as input keeps it.
    if (focus && (::SendMessageW(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB)) return false;
    FocusTabStop(NextTabStop(m_hWnd, focus, backward));
    // From now on the controls draw their focus marks, as after Tab in any dialog.
    SendMessage(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
    return true;
}

bool CQuillboxDlg::HandleAccelerator(UINT key)
{
    switch (key) {
    case 'N':
        // A new note: the Edit page's New, in front, with the title to type.
        ShowPageOf(m_editPage);
        ClickNewNote();
        return true;
    case 'O':
        SendMessage(WM_COMMAND, ID_FILE_OPEN);
        return true;
    case 'F':
        FocusTabStop(::GetDlgItem(m_hWnd, IDC_FIND_TEXT));
        return true;
    case 'S': {
        CTabPageSSL* current = m_tabCtrl.GetPage(static_cast<int>(m_tabCtrl.SendMessage(TCM_GETCURSEL)));
        if (current == &m_editPage) ClickPageButton(m_editPage, IDC_EDIT_SAVE);
        else if (current == &m_groupEditPage) ClickPageButton(m_groupEditPage, IDC_GROUP_SAVE);
        return true;
    }
    default:
        return false;
    }
}

void CQuillboxDlg::ClickNewNote()
{
    HWND button = ::GetDlgItem(m_editPage.m_hWnd, IDC_EDIT_NEW);
    m_editPage.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EDIT_NEW, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    FocusTabStop(::GetDlgItem(m_editPage.m_hWnd, IDC_EDIT_TITLE));
}

void CQuillboxDlg::StepPage(int step)
{
    const int count = m_tabCtrl.GetPageCount();
    const int current = static_cast<int>(m_tabCtrl.SendMessage(TCM_GETCURSEL));
    if (count < 2 || current < 0) return;
    m_tabCtrl.SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>((current + step + count) % count));
}

void CQuillboxDlg::ShowPageOf(COptionsDlg& page)
{
    for (int index = 0; index < m_tabCtrl.GetPageCount(); ++index) {
        if (m_tabCtrl.GetPage(index) != &page) continue;
        if (m_tabCtrl.SendMessage(TCM_GETCURSEL) != index) m_tabCtrl.SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(index));
        return;
    }
}

// Delete on a list row: a note goes through the Edit page's Delete, a group
// through the Group Edit page's, each with its question and its reports.
void CQuillboxDlg::DeleteSelectedRow()
{
    const int row = m_list.GetSelectedRow();
    CSuperGridCtrl::CTreeItem* node = row >= 0 ? m_list.NodeAtRow(row) : nullptr;
    CItemInfo* info = node ? m_list.GetData(node) : nullptr;
    if (!info) return;
    const int id = info->m_itemData;
    if (m_list.HasChildren(node)) {
        DeleteGroupOfRow(id);
        return;
    }
    // The note is loaded as a double-click loads it (with whatever that
    // asks first), unless the Edit page holds it already; only once the
    // page holds it is it deleted.
    if (m_editPage.LoadedNoteId() != id) SendMessage(CSuperGridCtrl::WM_GRID_DOUBLECLICK);
    if (m_editPage.LoadedNoteId() != id) return;
    // The page's Delete tells the dialog, which drops the row (NotifyNoteDeleted).
    ClickPageButton(m_editPage, IDC_EDIT_DELETE);
}

void CQuillboxDlg::DeleteGroupOfRow(int groupId)
{
    HWND combo = ::GetDlgItem(m_groupEditPage.m_hWnd, IDC_GROUP_NAME);
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        if (static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, index, 0)) != groupId) continue;
        ShowPageOf(m_groupEditPage);
        ::SendMessageW(combo, CB_SETCURSEL, index, 0);
        m_groupEditPage.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GROUP_NAME, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        ClickPageButton(m_groupEditPage, IDC_GROUP_DELETE);
        return;
    }
}
