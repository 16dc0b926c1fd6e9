// Dragging a row of the tree grid: feedback, auto-scroll, auto-expand, drop.
#include "controls/CGridDragTracker.h"

#include "controls/CSuperGridCtrl.h"
#include "controls/GridGeometry.h"
#include "controls/WaitCursorScope.h"
#include "framework/CImageList.h"

#include <memory>

void CGridDragTracker::Begin(int row, POINT point)
{
    if (!m_grid.m_dragEnabled || row == -1) return;
    m_grid.m_dragRow = row;
    std::unique_ptr<CImageList> image(m_grid.MakeRowDragImage(row));
    if (!image) return;
    image->BeginDrag(0, CPoint(0, 0));
    CImageList::DragEnter(&m_grid, point);
    m_grid.SetCapture();
    m_grid.m_dragging = TRUE;
}

void CGridDragTracker::Move(UINT flags, POINT point)
{
    m_grid.KillTimer(kTimerId);
    if (::GetCapture() != m_grid.m_hWnd || flags == MK_RBUTTON || flags == MK_MBUTTON || ::GetKeyState(VK_ESCAPE) < 0) {
        Cancel();
        return;
    }
    CImageList::DragMove(point);
    const int previous = m_grid.m_dropRow;
    m_grid.m_dropRow = m_grid.HitTest(point);
    if (previous != -1 && previous != m_grid.m_dropRow) m_grid.SetItemState(previous, 0, LVIS_DROPHILITED);
    if (m_grid.m_dropRow == -1) return;
    m_grid.SetItemState(m_grid.m_dropRow, LVIS_DROPHILITED, LVIS_DROPHILITED);
    CRect client;
    m_grid.GetClientRect(&client);
    const bool inScrollZone = DragScrollAt(point.y, client.Height(), m_grid.m_imageHeight) != DragScroll::None;
    CTreeGridModel::CTreeItem* target = m_grid.NodeAtRow(m_grid.m_dropRow);
    const bool expandable = target && m_grid.HasChildren(target) && target->m_collapsed;
    if (inScrollZone || expandable) m_grid.SetTimer(kTimerId, kTimerPeriod);
}

void CGridDragTracker::OnTimer()
{
    if (::GetCapture() != m_grid.m_hWnd) {
        m_grid.KillTimer(kTimerId);
        Cancel();
        return;
    }
    m_grid.SetTimer(kTimerId, kTimerPeriod);
    CPoint point;
    ::GetCursorPos(&point);
    m_grid.ScreenToClient(&point);
    CRect client;
    m_grid.GetClientRect(&client);
    const int top = m_grid.GetTopIndex();
    const DragScroll scroll = DragScrollAt(point.y, client.Height(), m_grid.m_imageHeight);
    if (scroll != DragScroll::None) {
        CImageList::DragShowNolock(FALSE);
        m_grid.SendMessage(WM_VSCROLL, MAKEWPARAM(scroll == DragScroll::Up ? SB_LINEUP : SB_LINEDOWN, 0), 0);
        CImageList::DragShowNolock(TRUE);
        if (m_grid.GetTopIndex() != top) {
            CImageList::DragMove(point);
            return;
        }
    }
    m_grid.KillTimer(kTimerId);

    // Held over a collapsed node: open it so the row can be dropped inside.
    CImageList::DragMove(point);
    m_grid.m_dropRow = m_grid.HitTest(point);
    CTreeGridModel::CTreeItem* target = m_grid.m_dropRow >= 0 ? m_grid.NodeAtRow(m_grid.m_dropRow) : nullptr;
    if (target && m_grid.HasChildren(target) && target->m_collapsed && m_grid.m_dragRow != -1) {
        CTreeGridModel::CTreeItem* dragged = m_grid.NodeAtRow(m_grid.m_dragRow);
        CImageList::DragShowNolock(FALSE);
        m_grid.SetRedraw(FALSE);
        int last = m_grid.m_dropRow;
        if (m_grid.CanExpand(target, m_grid.m_dropRow)) {
            last = m_grid.ExpandNode(target, m_grid.m_dropRow);
            m_grid.AfterExpand(target, m_grid.m_dropRow);
        }
        m_grid.m_dragRow = m_grid.RowOfNode(dragged);
        m_grid.SetRedraw(TRUE);
        m_grid.EnsureVisible(last, TRUE);
        m_grid.Invalidate();
        m_grid.UpdateWindow();
        CImageList::DragShowNolock(TRUE);
    }
    m_grid.KillTimer(kTimerId);
}

void CGridDragTracker::Drop()
{
    m_grid.KillTimer(kTimerId);
    CImageList::DragLeave(&m_grid);
    CImageList::EndDrag();
    m_grid.m_dragging = FALSE;
    ::ReleaseCapture();
    if (m_grid.m_dropRow != -1) m_grid.SetItemState(m_grid.m_dropRow, 0, LVIS_DROPHILITED);
    MoveNodeTo(m_grid.m_dropRow);
}

void CGridDragTracker::MoveNodeTo(int targetRow)
{
    const int dragRow = m_grid.m_dragRow;
    if (targetRow == -1 || dragRow == -1 || targetRow == dragRow) return;
    CTreeGridModel::CTreeItem* dragged = m_grid.NodeAtRow(dragRow);
    CTreeGridModel::CTreeItem* target = m_grid.NodeAtRow(targetRow);
    // A root, a drop on its own parent or into its own subtree stays where it is.
    if (!dragged || !target || !dragged->m_parent) return;
    if (target == dragged->m_parent || m_grid.IsDescendantOrSelf(dragged, target)) return;

    CWaitCursorScope wait;
    m_grid.SetRedraw(FALSE);
    if (m_grid.MoveNodeUnder(target, dragged)) m_grid.m_dragRow = -1;
    m_grid.SetRedraw(TRUE);
    m_grid.Invalidate();
    m_grid.UpdateWindow();
}

void CGridDragTracker::Cancel()
{
    m_grid.KillTimer(kTimerId);
    if (m_grid.m_dropRow != -1) m_grid.SetItemState(m_grid.m_dropRow, 0, LVIS_DROPHILITED);
    m_grid.m_dragging = FALSE;
    CImageList::DragLeave(&m_grid);
    CImageList::EndDrag();
    ::ReleaseCapture();
    m_grid.Invalidate();
    m_grid.UpdateWindow();
}
