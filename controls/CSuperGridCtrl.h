// CSuperGridCtrl: a tree grid. A report list-view whose rows are the visible
// nodes of a tree (CTreeGridModel): groups expand and collapse by mouse and
// keyboard, a double-click is reported to the parent with WM_USER + 10, rows
// can be dragged under other nodes, cells are edited in place
// (CListEditCtrl), and an owner-drawn grid draws tree lines, expand buttons,
// shortened texts and the current cell itself. The tree lives in
// CTreeGridModel, rows are drawn by CGridRowPainter and drags followed by
// CGridDragTracker; where things go on a row is computed by GridGeometry.
//
// The grid either subclasses a report list-view of a dialog template or
// creates its own window (owner-drawn). Derived owners change its behaviour
// through the virtual hooks below, which keep this slot order.
#pragma once

#include "controls/CGridDragTracker.h"
#include "controls/CGridRowPainter.h"
#include "controls/CListViewRowList.h"
#include "controls/CTreeGridModel.h"
#include "framework/CListCtrl.h"
#include "framework/Gdi.h"

class CImageList;
class CListEditCtrl;

class CSuperGridCtrl : public CListCtrl, public CTreeGridModel {
public:
    using CTreeItem = CTreeGridModel::CTreeItem;

    // Sent to the parent after every double-click: wParam = the NMITEMACTIVATE
    // of the double-click, lParam 0.
    static constexpr UINT WM_GRID_DOUBLECLICK = WM_USER + 10;
    // Styles added to the grid's own window (report, single selection, shown
    // selection, shared image lists, owner-drawn).
    static constexpr DWORD OWN_WINDOW_STYLES = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                                               LVS_OWNERDRAWFIXED;

    CSuperGridCtrl();
    ~CSuperGridCtrl() override;

    // Hooks for a derived owner, with their base behaviour.
    // The record of a copied node; null gives the copy a fresh empty record.
    virtual CItemInfo* CloneItemInfo(CItemInfo* info);
    // The image drawn for a row (owner-drawn grids); -1 keeps the row's image.
    virtual int GetRowIcon(CTreeItem* node);
    virtual COLORREF GetFocusCellColour();
    // Stores an edited cell into the node's record and the row.
    virtual void CommitCellText(CTreeItem* node, LVITEMW* item);
    // A left click the grid passed on: opens the in-place editor when m_editEnabled.
    virtual void OnCellButtonDown(UINT flags, CPoint point, LVHITTESTINFO* hit);
    // The drag image of a row; the caller deletes it. Null: no drag.
    virtual CImageList* MakeRowDragImage(int row);
    virtual BOOL CanExpand(CTreeItem* node, int row);
    virtual BOOL AfterExpand(CTreeItem* node, int row);
    virtual BOOL CanCollapse(CTreeItem* node);
    virtual BOOL AfterCollapse(CTreeItem* node);
    virtual BOOL CanDelete(CTreeItem* node, int row);
    virtual BOOL CanExpandAllByKey(CTreeItem* node, int row);
    virtual BOOL CanCollapseByKey(CTreeItem* node, int row);
    virtual BOOL CanExpandByKey(CTreeItem* node, int row);
    // TRUE when the owner handled Enter itself; FALSE opens the in-place editor.
    virtual BOOL HandleReturnKey();
    // FALSE makes the grid ignore a left click or double-click.
    virtual BOOL CanHandleClick(LVHITTESTINFO* hit);

    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    void MeasureItem(LPMEASUREITEMSTRUCT measureItem) override;
    void PostNcDestroy() override;

    // The cell text buffer shortened to `width` with "..." (see GridTextFit).
    const wchar_t* ShortenText(CDC* dc, int width, int offset);
    // The tree lines and expand button of one row.
    void DrawTreeLines(CTreeItem* node, CDC* dc, int row, const CRect& bounds);
    // Toggles the check box or expands/collapses a node when (x, y) is on its
    // check box or expand button: 0 when it expanded or collapsed, else 1.
    int ToggleAtPoint(LVHITTESTINFO* hit, int x, int y);
    // The column's position in the header's display order, -1 if absent.
    int ColumnIndexToOrder(int column);
    // Scrolls the list horizontally so that the column is in view.
    void EnsureColumnVisible(int column);
    // Opens an editor over a cell of a column other than the first; null when
    // the row cannot be made visible.
    CListEditCtrl* EditCell(int column, int row);
    // Size of one image cell: the unit of indentation and button geometry.
    // Taken from the small image list when one is set.
    void SetImageSize(int width, int height);

    // TRUE while drawing is off (WM_SETREDRAW FALSE), whoever turned it off.
    BOOL IsDrawingSuspended() const { return m_drawingSuspended; }
    // Sends a message to the list-view itself, past the grid's message map.
    LRESULT SendToListView(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    int m_imageWidth = 0;
    int m_imageHeight = 0;
    int m_curColumn = 0;  // current column, as a display position
    int m_dragRow = -1;
    int m_dropRow = -1;
    BOOL m_dragging = FALSE;
    BOOL m_editEnabled = FALSE;  // a click on a cell opens the in-place editor
    BOOL m_dragEnabled = FALSE;  // rows can be dragged under other nodes

protected:
    void PreSubclassWindow() override;

    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnHScroll(UINT code, UINT position, HWND scrollBar);
    void OnVScroll(UINT code, UINT position, HWND scrollBar);
    void OnDoubleClick(NMHDR* header, LRESULT* result);
    void OnListKeyDown(NMHDR* header, LRESULT* result);
    void OnBeginDrag(NMHDR* header, LRESULT* result);
    void OnEndLabelEdit(NMHDR* header, LRESULT* result);
    void OnDeleteAllItems(NMHDR* header, LRESULT* result);
    BOOL OnItemChanged(NMHDR* header, LRESULT* result);
    // An empty grid with the focus shows it with a focus rectangle, as a
    // grid with rows shows it on a row.
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    LRESULT OnSetImageList(WPARAM kind, LPARAM imageList);
    LRESULT OnSetFont(WPARAM font, LPARAM redraw);
    LRESULT OnSetRedraw(WPARAM redraw, LPARAM unused);
    DECLARE_MESSAGE_MAP()

private:
    bool HasFocus() const { return ::GetFocus() == m_hWnd; }
    void TakeFocus();
    void StepCurrentColumn(int step);
    bool OpenEditorOnReturn();
    CListEditCtrl* OpenFirstColumnEditor(int row);
    // Expands a collapsed node or collapses an expanded one with the hooks;
    // `last` gets the last row shown (0 after a collapse). FALSE when a hook refused.
    bool ToggleNode(CTreeItem* node, int row, int& last);
    void InvalidateRow(int row);
    // Moves `node` with its subtree to be the last child of `target`, keeping
    // the records; FALSE when the copy could not be made (nothing changed).
    bool MoveNodeUnder(CTreeItem* target, CTreeItem* node);
    // Expands a node that a drag holds under the pointer, with the hooks; the
    // last row shown, or `row` when a hook refused.
    int ExpandHeldNode(CTreeItem* node, int row);
    void TakeImageSize(HIMAGELIST imageList);
    // What the painter needs of the grid's state for one row.
    GridPaintState PaintState() const;

    CListViewRowList m_rowList;
    CGridRowPainter m_painter;
    CGridDragTracker m_dragTracker;
    BOOL m_drawingSuspended = FALSE;
};
