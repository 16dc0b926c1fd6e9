// CTreeGridModel: the tree behind the tree grid and every operation that
// keeps the tree and the rows of its list in step (adding, expanding,
// collapsing, removing, copying, mapping nodes to rows). It talks to the rows
// only through IGridRowList, so it is built and tested without the platform;
// CSuperGridCtrl derives from it and from the list control.
//
// Ownership: the model owns its roots, every node below them and every record
// handed to it. A node's record is destroyed just before the node.
//
// Row numbers: the model keeps the node of every row in m_rowNodes, in step
// with the row list, so it renumbers only the rows below a change and a bulk
// fill or clear costs time in proportion to the rows.
#pragma once

#include "controls/CGridTreeItem.h"
#include "controls/CItemInfo.h"
#include "controls/IGridRowList.h"
#include "framework/CList.h"

#include <functional>
#include <vector>

class CTreeGridModel {
public:
    using CTreeItem = CGridTreeItem;

    explicit CTreeGridModel(IGridRowList& rows);
    CTreeGridModel(const CTreeGridModel&) = delete;
    CTreeGridModel& operator=(const CTreeGridModel&) = delete;
    // Destroys every root with its record and subtree (the rows are left to the list).
    ~CTreeGridModel();

    // Node accessors.
    CItemInfo* GetData(const CTreeItem* node) const { return node->m_info; }
    void SetData(CTreeItem* node, CItemInfo* info) { node->m_info = info; }
    CTreeItem* GetParentItem(const CTreeItem* node) const { return node->m_parent; }
    void SetParentItem(CTreeItem* node, CTreeItem* parent) { node->m_parent = parent; }
    int GetRow(const CTreeItem* node) const { return node->m_row; }
    void SetRow(CTreeItem* node, int row) { node->m_row = row; }
    int GetIndent(const CTreeItem* node) const { return node->m_indent; }
    void SetIndent(CTreeItem* node, int indent) { node->m_indent = indent; }
    bool IsCollapsed(const CTreeItem* node) const { return node->m_collapsed; }
    void SetCollapsed(CTreeItem* node, bool collapsed) { node->m_collapsed = collapsed; }
    void SetChildMark(CTreeItem* node, int mark) { node->m_childMark = mark; }
    // TRUE when the node has children or carries a child mark.
    bool HasChildren(const CTreeItem* node) const;
    // Position of the node's first child (null when it has none).
    POSITION GetHeadPosition(const CTreeItem* node) const { return node->m_children.GetHeadPosition(); }
    // The child at pos; pos moves to the next child. A null pos raises the
    // framework's invalid-argument exception.
    CTreeItem* GetNextChild(const CTreeItem* node, POSITION& pos) const;
    int GetChildCount(const CTreeItem* node) const { return node->m_children.GetCount(); }
    // The node shown by a row (the row's item data), null outside the list.
    CTreeItem* NodeAtRow(int row) const { return m_rows.GetRowNode(row); }
    int GetSelectedRow() const { return m_rows.GetSelectedRow(); }

    // Roots in display order.
    int GetRootCount() const { return m_roots.GetCount(); }
    POSITION GetRootHeadPosition() const { return m_roots.GetHeadPosition(); }
    CTreeItem* GetNextRoot(POSITION& pos) const { return m_roots.GetNext(pos); }

    // Structure queries.
    // The row the node occupies: the number of visible nodes before it in
    // pre-order; -1 when the node is hidden or not in the tree.
    int RowOfNode(const CTreeItem* node) const;
    bool IsDescendantOrSelf(const CTreeItem* ancestor, const CTreeItem* node) const;
    bool IsRootNode(const CTreeItem* node) const { return RootPosition(node) != -1; }
    int RootPosition(const CTreeItem* node) const;
    // Gives the node of every row its row number, reading the nodes from the list.
    void RenumberRows();

    // Building. A null record is replaced by a fresh empty one; records are
    // owned by the model from the moment they are passed in.
    CTreeItem* AddRootNode(CItemInfo* info);
    // Adds a last child; with show TRUE also its row (the parent must then be
    // visible and expanded, otherwise the child is added hidden). Null when
    // parent is null; the record then stays the caller's.
    CTreeItem* AddChildNode(CTreeItem* parent, CItemInfo* info, bool show);
    // Removes every node and row with one call to the list.
    void DeleteAllNodes();
    // Removes the node at `row` with its subtree and rows, then selects the row
    // that took its place (or the one above); removing row 0 selects nothing.
    void RemoveNode(CTreeItem* node, int row);
    // Unlinks a non-root node from its parent and destroys it with its record;
    // no rows are touched. FALSE when the node is not found under the roots.
    bool DetachNode(CTreeItem* node);
    // Adds a copy of source and its subtree as the last child of target, with
    // records from the clone function (fresh empty ones when it gives null).
    bool CopyNodeUnder(CTreeItem* target, CTreeItem* source);
    // The same with the records made by `clone` (null: a fresh empty record).
    bool CopyNodeUnder(CTreeItem* target, CTreeItem* source, const std::function<CItemInfo*(CItemInfo*)>& clone);

    // Expanding and collapsing.
    // Shows the node's children below its row; returns the row of the last
    // child shown, or row when nothing was shown.
    int ExpandNode(CTreeItem* node, int row);
    void CollapseNode(CTreeItem* node);
    void ExpandSubtree(CTreeItem* node, int& lastRow);
    // Deletes the rows of the node's visible descendants, which start at
    // firstRow, and marks the expanded ones (and the node) collapsed when
    // `collapse` is TRUE.
    void HideSubtreeRows(CTreeItem* node, bool collapse, int firstRow);

    // Stores an edited cell: column 0 into m_text, column k > 0 into element
    // k - 1 of m_subTexts (growing it), then shows it in the row's cell.
    void StoreCellText(CTreeItem* node, int row, int column, const CString& text);

protected:
    // How CopyNodeUnder obtains the record of a copied node; unset, copies get
    // fresh empty records.
    void SetCloneFunction(std::function<CItemInfo*(CItemInfo*)> clone) { m_clone = std::move(clone); }
    // The rows are gone with the list's window: forget which node was on
    // which row. The nodes stay until they are removed or the model goes.
    void ForgetRows() { m_rowNodes.clear(); }
    // Deletes the rows of a node and of its visible descendants, marking the
    // expanded ones collapsed; the nodes stay. Returns the node's former
    // row, -1 when it had none. Rows below are renumbered by RenumberFrom.
    int DeleteSubtreeRows(CTreeItem* node);
    // Gives the rows from `first` on their numbers.
    void RenumberFrom(int first);

    CList<CTreeItem*, CTreeItem*> m_roots;  // owned, display order

private:
    // Row of a node that the model knows to be on that row, or -1.
    int KnownRow(const CTreeItem* node) const;
    bool IsVisible(const CTreeItem* node) const;
    // The node that precedes `node` in pre-order among the visible nodes
    // (node must be visible); null for the first root.
    const CTreeItem* VisiblePredecessor(const CTreeItem* node) const;
    // RowOfNode by walking the visible tree from the first root.
    int WalkRowOfNode(const CTreeItem* node) const;
    int InsertNodeRow(int index, CTreeItem* node, int indent);
    void SetRowSubTexts(int row, const CItemInfo* info);
    // Visible descendants of an expanded node in pre-order; marks the
    // expanded ones collapsed when `collapse` is TRUE.
    void CollectVisibleDescendants(CTreeItem* node, bool collapse, std::vector<CTreeItem*>& out);
    // Deletes the rows of `nodes` (expected at first, first + 1, ...).
    void DeleteNodeRows(int first, const std::vector<CTreeItem*>& nodes);
    bool DetachUnder(CTreeItem* parent, CTreeItem* node);
    static void DestroyNode(CTreeItem* node);

    IGridRowList& m_rows;
    std::vector<CTreeItem*> m_rowNodes;  // node of each row, in step with m_rows
    std::function<CItemInfo*(CItemInfo*)> m_clone;
};
