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
    Row* r = Find(row);
    if (!r || column < 0) return;
    if (column == 0) {
        r->text = text;
        return;
    }
    if (r->cells.size() < static_cast<size_t>(column)) r->cells.resize(static_cast<size_t>(column));
    r->cells[static_cast<size_t>(column - 1)] = text;
}

void CVectorRowList::DeleteRows(int first, int count)
{
    if (first < 0 || count <= 0 || first + count > GetRowCount()) return;
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
    m_rowsDeleted += count;
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
    Row* chosen = Find(row);
    if (!chosen) return false;
    for (Row& r : m_rows) r.selected = r.focused = false;
    chosen->selected = chosen->focused = true;
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
