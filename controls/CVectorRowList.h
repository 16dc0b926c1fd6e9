// CVectorRowList: an IGridRowList kept in a plain array, so the tree model
// runs and is tested without the platform. It records what a list-view would
// show (texts, indents, images, check boxes, the selection) and counts the
// drawing calls. Portable.
#pragma once

#include "controls/IGridRowList.h"

#include <vector>

class CVectorRowList : public IGridRowList {
public:
    struct Row {
        CString text;
        std::vector<CString> cells;  // cells[k] is column k + 1
        CGridTreeItem* node = nullptr;
        int indent = 0;
        int image = -1;
        bool checked = false;
        bool selected = false;
        bool focused = false;
    };

    int InsertRow(int index, const CString& text, CGridTreeItem* node, int indent, int image) override;
    void SetRowText(int row, int column, const CString& text) override;
    void SetRowIndent(int row, int indent) override
    {
        if (Row* r = Find(row)) r->indent = indent;
    }
    void SetRowCheck(int row, bool checked) override
    {
        if (Row* r = Find(row)) r->checked = checked;
    }
    void DeleteRows(int first, int count) override;
    void DeleteAllRows() override
    {
        m_rows.clear();
        ++m_deleteAllCalls;
    }
    int GetRowCount() const override { return static_cast<int>(m_rows.size()); }
    CGridTreeItem* GetRowNode(int row) const override
    {
        const Row* r = Find(row);
        return r ? r->node : nullptr;
    }
    int GetSelectedRow() const override;
    bool SelectRow(int row) override;
    void SetRedraw(bool redraw) override;
    void Repaint() override { ++m_repaints; }

    const Row& At(int row) const { return m_rows.at(static_cast<size_t>(row)); }
    // The text of column `column` of a row ("" when never set).
    CString CellText(int row, int column) const;

    bool m_redraw = true;        // drawing is on (no suspend outstanding)
    int m_redrawDepth = 0;       // suspends not yet resumed
    int m_repaints = 0;
    int m_deleteAllCalls = 0;
    int m_rowsDeleted = 0;  // rows removed through DeleteRows

private:
    // The row at `row`, null when there is none.
    Row* Find(int row) { return row >= 0 && row < GetRowCount() ? &m_rows[static_cast<size_t>(row)] : nullptr; }
    const Row* Find(int row) const { return const_cast<CVectorRowList*>(this)->Find(row); }

    std::vector<Row> m_rows;
};
