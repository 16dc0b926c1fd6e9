// IGridRowList: the rows of the tree grid as the model sees them. On Windows
// it is the grid's own list-view (CListViewRowList); the native tests use a
// plain array (CVectorRowList). Row numbers are 0-based; a row's item data is
// the node it shows. Portable.
#pragma once

#include "framework/CString.h"

class CGridTreeItem;

class IGridRowList {
public:
    virtual ~IGridRowList() = default;

    // Inserts a row at `index` with its first-column text, node, indent and
    // image (-1: none). Returns the row's index, or -1 when it was refused.
    virtual int InsertRow(int index, const CString& text, CGridTreeItem* node, int indent, int image) = 0;
    // Sets the text of column `column` (1 = second column) of a row.
    virtual void SetRowText(int row, int column, const CString& text) = 0;
    virtual void SetRowIndent(int row, int indent) = 0;
    virtual void SetRowCheck(int row, bool checked) = 0;
    // Deletes `count` rows starting at `first` (the rows below move up).
    virtual void DeleteRows(int first, int count) = 0;
    virtual void DeleteAllRows() = 0;

    virtual int GetRowCount() const = 0;
    // The node shown by a row (its item data); null outside the list.
    virtual CGridTreeItem* GetRowNode(int row) const = 0;

    // The first selected row, or -1.
    virtual int GetSelectedRow() const = 0;
    // Selects and focuses a row; FALSE when there is no such row.
    virtual bool SelectRow(int row) = 0;

    // Suspends (FALSE) or resumes (TRUE) drawing around bulk changes. Calls
    // nest: drawing resumes with the resume that matches the first suspend,
    // and never when the list's owner had suspended it already.
    virtual void SetRedraw(bool redraw) = 0;
    // Invalidates the whole list and repaints it at once; nothing while the
    // list's owner has its drawing suspended (its resume draws it).
    virtual void Repaint() = 0;
};
