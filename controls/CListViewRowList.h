// CListViewRowList: the tree grid's rows as the rows of its own list-view,
// one list-view message per operation. The messages go straight to the
// list-view's own window procedure: the grid's message map has nothing to
// add to them, and a fill sends tens of thousands.
#pragma once

#include <windows.h>

#include "controls/IGridRowList.h"

class CSuperGridCtrl;

class CListViewRowList : public IGridRowList {
public:
    explicit CListViewRowList(CSuperGridCtrl& grid) : m_grid(grid) {}

    int InsertRow(int index, const CString& text, CGridTreeItem* node, int indent, int image) override;
    void SetRowText(int row, int column, const CString& text) override;
    void SetRowIndent(int row, int indent) override;
    void SetRowCheck(int row, bool checked) override;
    void DeleteRows(int first, int count) override;
    void DeleteAllRows() override;
    int GetRowCount() const override;
    CGridTreeItem* GetRowNode(int row) const override;
    int GetSelectedRow() const override;
    bool SelectRow(int row) override;
    void SetRedraw(bool redraw) override;
    void Repaint() override;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    CSuperGridCtrl& m_grid;    // the grid whose list-view holds the rows
    int m_redrawDepth = 0;     // suspends not yet resumed
    bool m_suspended = false;  // this object turned drawing off
};
