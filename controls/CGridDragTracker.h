// CGridDragTracker: dragging a row of the tree grid under another node. It
// follows the drag from the list's begin-drag notification to the drop:
// the drag image, the drop-target highlight, auto-scroll near the top and
// bottom edges and auto-expand of a collapsed node held under the pointer
// (timer 1, every 300 ms), then the move of the dragged node. The drag's
// state lives in the grid's m_dragging, m_dragRow and m_dropRow.
#pragma once

#include <windows.h>

class CSuperGridCtrl;

class CGridDragTracker {
public:
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kTimerPeriod = 300;

    explicit CGridDragTracker(CSuperGridCtrl& grid) : m_grid(grid) {}
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

    CSuperGridCtrl& m_grid;
};
