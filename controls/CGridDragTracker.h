// CGridDragTracker: dragging a row of the tree grid under another node. It
// follows the drag from the list's begin-drag notification to the drop:
// the drag image, the drop-target highlight, auto-scroll near the top and
// bottom edges and auto-expand of a collapsed node held under the pointer
// (timer 1, every 300 ms), then the move of the dragged node. The drag's
// state lives in the grid, where its owner reads it; what only the grid can
// do (its hooks, the move) comes in as functions.
#pragma once

#include "controls/CTreeGridModel.h"

#include <windows.h>

#include <functional>

class CImageList;
class CListCtrl;

// The grid's drag state, kept by the grid (the tracker holds references).
struct GridDragState {
    const BOOL& enabled;   // rows may be dragged
    BOOL& dragging;        // a drag is under way
    int& dragRow;          // the dragged row, -1 once moved
    int& dropRow;          // the row under the pointer, -1 none
    const int& zoneHeight; // height of the scroll zones: one image cell
};

// What only the grid can do during a drag.
struct GridDragActions {
    // The drag image of a row; the caller deletes it. Null: no drag.
    std::function<CImageList*(int row)> makeDragImage;
    // Expands a node held under the pointer, when its owner agrees; the last
    // row it shows, or `row` when it was refused.
    std::function<int(CTreeGridModel::CTreeItem* node, int row)> expandHeld;
    // Moves a node with its subtree under `target`; false when it could not.
    std::function<bool(CTreeGridModel::CTreeItem* target, CTreeGridModel::CTreeItem* node)> moveUnder;
};

class CGridDragTracker {
public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kTimerPeriod = 300;

    CGridDragTracker(CListCtrl& list, const CTreeGridModel& tree, const GridDragState& state, GridDragActions actions);
    CGridDragTracker(const CGridDragTracker&) = delete;
    CGridDragTracker& operator=(const CGridDragTracker&) = delete;

    // The list began a drag of `row` at `point`: starts one when dragging is
    // enabled and the row gives a drag image.
    void Begin(int row, POINT point);
    // The pointer moved while dragging (key flags of WM_MOUSEMOVE).
    void Move(UINT flags, POINT point);
    // Timer 1 fired while dragging.
    void OnTimer();
    // The left button went up while dragging.
    void Drop();
    // Ends a drag without a drop.
    void Cancel();

private:
    void MoveNodeTo(int targetRow);

    CListCtrl& m_list;
    const CTreeGridModel& m_tree;
    GridDragState m_state;
    GridDragActions m_actions;
    // Where the pointer last moved during the drag, in the list's client
    // coordinates. The list holds the capture, so every move reaches it; the
    // timer uses this rather than asking where the pointer is now.
    POINT m_pointer{};
};
