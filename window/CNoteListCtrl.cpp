// CNoteListCtrl: F2 and the end of an in-place edit.
#include "window/CNoteListCtrl.h"

BOOL CNoteListCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F2 && msg->hwnd == m_hWnd) {
        EditSelectedDescription();
        return TRUE;
    }
    return CSuperGridCtrl::PreTranslateMessage(msg);
}

void CNoteListCtrl::ToggleGroup(CTreeItem* node, int row)
{
    if (IsCollapsed(node)) EnsureVisible(ExpandNode(node, row), TRUE);
    else CollapseNode(node);
    RedrawItems(row, row);
}

void CNoteListCtrl::EditSelectedDescription()
{
    const int row = GetSelectedRow();
    CTreeItem* node = row >= 0 ? NodeAtRow(row) : nullptr;
    if (!node || !m_owner) return;
    CString text;
    if (!m_owner->BeginDescriptionEdit(node, text)) return;
    // The cell shows what the edit starts from (a group's description is
    // listed only while it is edited).
    StoreCellText(node, row, kDescriptionColumn, text);
    m_editStart = text;
    EditCell(kDescriptionColumn, row);
}

void CNoteListCtrl::CommitCellText(CTreeItem* node, LVITEMW* item)
{
    if (item->iSubItem != kDescriptionColumn || !m_owner) return;
    CString shown;
    m_owner->EndDescriptionEdit(node, m_editStart, item->pszText ? item->pszText : L"", shown);
    const int row = RowOfNode(node);
    if (row >= 0) StoreCellText(node, row, kDescriptionColumn, shown);
}
