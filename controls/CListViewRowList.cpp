// CListViewRowList: list-view messages behind the tree model's row operations.
#include "controls/CListViewRowList.h"

#include "controls/CSuperGridCtrl.h"

LRESULT CListViewRowList::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_grid.SendToListView(message, wParam, lParam);
}

int CListViewRowList::InsertRow(int index, const CString& text, CGridTreeItem* node, int indent, int image)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_INDENT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<LPWSTR>(text.GetString());
    item.lParam = reinterpret_cast<LPARAM>(node);
    item.iIndent = indent;
    // -1 means no image; the list would take -1 as "ask the parent".
    item.iImage = image == -1 ? I_IMAGENONE : image;
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void CListViewRowList::SetRowText(int row, int column, const CString& text)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<LPWSTR>(text.GetString());
    Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void CListViewRowList::SetRowIndent(int row, int indent)
{
    LVITEMW item = {};
    item.mask = LVIF_INDENT;
    item.iItem = row;
    item.iIndent = indent;
    Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void CListViewRowList::SetRowCheck(int row, bool checked)
{
    LVITEMW item = {};
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    item.stateMask = LVIS_STATEIMAGEMASK;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void CListViewRowList::DeleteRows(int first, int count)
{
    for (int i = 0; i < count; ++i) Send(LVM_DELETEITEM, static_cast<WPARAM>(first));
}

void CListViewRowList::DeleteAllRows()
{
    Send(LVM_DELETEALLITEMS);
}

int CListViewRowList::GetRowCount() const
{
    return static_cast<int>(Send(LVM_GETITEMCOUNT));
}

CGridTreeItem* CListViewRowList::GetRowNode(int row) const
{
    if (row < 0) return nullptr;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<CGridTreeItem*>(item.lParam);
}

int CListViewRowList::GetSelectedRow() const
{
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

bool CListViewRowList::SelectRow(int row)
{
    RECT label = {};
    label.left = LVIR_LABEL;
    if (!Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label))) return false;
    LVITEMW item = {};
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return true;
}

void CListViewRowList::SetRedraw(bool redraw)
{
    if (!redraw) {
        if (m_redrawDepth++ == 0 && !m_grid.IsDrawingSuspended()) {
            m_grid.SetRedraw(FALSE);
            m_suspended = true;
        }
        return;
    }
    if (m_redrawDepth == 0 || --m_redrawDepth > 0) return;
    if (m_suspended) {
        m_suspended = false;
        m_grid.SetRedraw(TRUE);
    }
}

void CListViewRowList::Repaint()
{
    // While the list's owner keeps its drawing suspended, the owner's resume draws it.
    if (m_grid.IsDrawingSuspended()) return;
    m_grid.Invalidate();
    m_grid.UpdateWindow();
}
