// CVectorRowList: the array-backed row list of the native tests.
#include "controls/CVectorRowList.h"

int CVectorRowList::InsertRow(int index, const CString& text, CGridTreeItem* node, int indent, int image)
{
    if (index < 0) return -1;
    if (index > GetRowCount()) index = GetRowCount();
    Row row;
    row.text = text;
    row.node = node;
    row.indent = indent;
    row.image = image;
    m_rows.insert(m_rows.begin() + index, row);
    return index;
}

void CVectorRowList::SetRowText(int row, int column, const CString& text)
{
    if (row < 0 || row >= GetRowCount() || column < 0) return;
    Row& r = m_rows[static_cast<size_t>(row)];
    if (column == 0) {
        r.text = text;
        return;
    }
    if (r.cells.size() < static_cast<size_t>(column)) r.cells.resize(static_cast<size_t>(column));
    r.cells[static_cast<size_t>(column - 1)] = text;
}

void CVectorRowList::SetRowIndent(int row, int indent)
{
    if (row >= 0 && row < GetRowCount()) m_rows[static_cast<size_t>(row)].indent = indent;
}

void CVectorRowList::SetRowCheck(int row, bool checked)
{
    if (row >= 0 && row < GetRowCount()) m_rows[static_cast<size_t>(row)].checked = checked;
}

void CVectorRowList::DeleteRows(int first, int count)
{
    if (first < 0 || count <= 0 || first + count > GetRowCount()) return;
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
    m_rowsDeleted += count;
}

void CVectorRowList::DeleteAllRows()
{
    m_rows.clear();
    ++m_deleteAllCalls;
}

CGridTreeItem* CVectorRowList::GetRowNode(int row) const
{
    return row >= 0 && row < GetRowCount() ? m_rows[static_cast<size_t>(row)].node : nullptr;
}

int CVectorRowList::GetSelectedRow() const
{
    for (int i = 0; i < GetRowCount(); ++i) {
        if (m_rows[static_cast<size_t>(i)].selected) return i;
    }
    return -1;
}

bool CVectorRowList::SelectRow(int row)
{
    if (row < 0 || row >= GetRowCount()) return false;
    for (Row& r : m_rows) r.selected = r.focused = false;
    m_rows[static_cast<size_t>(row)].selected = true;
    m_rows[static_cast<size_t>(row)].focused = true;
    return true;
}

void CVectorRowList::SetRedraw(bool redraw)
{
    if (!redraw) ++m_redrawDepth;
    else if (m_redrawDepth > 0) --m_redrawDepth;
    m_redraw = m_redrawDepth == 0;
}

CString CVectorRowList::CellText(int row, int column) const
{
    const Row& r = At(row);
    if (column == 0) return r.text;
    return static_cast<size_t>(column) <= r.cells.size() ? r.cells[static_cast<size_t>(column - 1)] : CString();
}
