// Dragging a row of the tree grid: feedback, auto-scroll, auto-expand, drop.
#include "controls/CGridDragTracker.h"

#include "controls/GridGeometry.h"
#include "controls/WaitCursorScope.h"
#include "framework/CImageList.h"
#include "framework/CListCtrl.h"

#include <memory>
#include <utility>

CGridDragTracker::CGridDragTracker(CListCtrl& list, const CTreeGridModel& tree, const GridDragState& state,
                                   GridDragActions actions)
    : m_list(list), m_tree(tree), m_state(state), m_actions(std::move(actions))
{
}

void CGridDragTracker::Begin(int row, POINT point)
{
    if (!m_state.enabled || row == -1) return;
    m_state.dragRow = row;
    std::unique_ptr<CImageList> image(m_actions.makeDragImage(row));
    if (!image) return;
    image->BeginDrag(0, CPoint(0, 0));
    m_pointer = point;
    CImageList::DragEnter(&m_list, point);
    m_list.SetCapture();
    m_state.dragging = TRUE;
}

void CGridDragTracker::Move(UINT flags, POINT point)
{
    m_list.KillTimer(kTimerId);
    if (::GetCapture() != m_list.m_hWnd || flags == MK_RBUTTON || flags == MK_MBUTTON || ::GetKeyState(VK_ESCAPE) < 0) {
        Cancel();
        return;
    }
    m_pointer = point;
    CImageList::DragMove(point);
    const int previous = m_state.dropRow;
    m_state.dropRow = m_list.HitTest(point);
    if (previous != -1 && previous != m_state.dropRow) m_list.SetItemState(previous, 0, LVIS_DROPHILITED);
    if (m_state.dropRow == -1) return;
    m_list.SetItemState(m_state.dropRow, LVIS_DROPHILITED, LVIS_DROPHILITED);
    CRect client;
    m_list.GetClientRect(&client);
    const bool inScrollZone = DragScrollAt(point.y, client.Height(), m_state.zoneHeight) != DragScroll::None;
    CTreeGridModel::CTreeItem* target = m_tree.NodeAtRow(m_state.dropRow);
    const bool expandable = target && m_tree.HasChildren(target) && target->m_collapsed;
    if (inScrollZone || expandable) m_list.SetTimer(kTimerId, kTimerPeriod);
}

void CGridDragTracker::OnTimer()
{
    if (::GetCapture() != m_list.m_hWnd) {
        m_list.KillTimer(kTimerId);
        Cancel();
        return;
    }
    m_list.SetTimer(kTimerId, kTimerPeriod);
    const POINT point = m_pointer;
    CRect client;
    m_list.GetClientRect(&client);
    const int top = m_list.GetTopIndex();
    const DragScroll scroll = DragScrollAt(point.y, client.Height(), m_state.zoneHeight);
    if (scroll != DragScroll::None) {
        CImageList::DragShowNolock(FALSE);
        m_list.SendMessage(WM_VSCROLL, MAKEWPARAM(scroll == DragScroll::Up ? SB_LINEUP : SB_LINEDOWN, 0), 0);
        CImageList::DragShowNolock(TRUE);
        if (m_list.GetTopIndex() != top) {
            CImageList::DragMove(point);
            return;
        }
    }
    m_list.KillTimer(kTimerId);

    // Held over a collapsed node: open it so the row can be dropped inside.
    CImageList::DragMove(point);
    m_state.dropRow = m_list.HitTest(point);
    CTreeGridModel::CTreeItem* target = m_state.dropRow >= 0 ? m_tree.NodeAtRow(m_state.dropRow) : nullptr;
    if (target && m_tree.HasChildren(target) && target->m_collapsed && m_state.dragRow != -1) {
        CTreeGridModel::CTreeItem* dragged = m_tree.NodeAtRow(m_state.dragRow);
        CImageList::DragShowNolock(FALSE);
        m_list.SetRedraw(FALSE);
        const int last = m_actions.expandHeld(target, m_state.dropRow);
        m_state.dragRow = m_tree.RowOfNode(dragged);
        m_list.SetRedraw(TRUE);
        m_list.EnsureVisible(last, TRUE);
        m_list.Invalidate();
        m_list.UpdateWindow();
        CImageList::DragShowNolock(TRUE);
    }
    m_list.KillTimer(kTimerId);
}

void CGridDragTracker::Drop()
{
    m_list.KillTimer(kTimerId);
    CImageList::DragLeave(&m_list);
    CImageList::EndDrag();
    m_state.dragging = FALSE;
    ::ReleaseCapture();
    if (m_state.dropRow != -1) m_list.SetItemState(m_state.dropRow, 0, LVIS_DROPHILITED);
    MoveNodeTo(m_state.dropRow);
}

void CGridDragTracker::MoveNodeTo(int targetRow)
{
    const int dragRow = m_state.dragRow;
    if (targetRow == -1 || dragRow == -1 || targetRow == dragRow) return;
    CTreeGridModel::CTreeItem* dragged = m_tree.NodeAtRow(dragRow);
    CTreeGridModel::CTreeItem* target = m_tree.NodeAtRow(targetRow);
    // A root, a drop on its own parent or into its own subtree stays where it is.
    if (!dragged || !target || !dragged->m_parent) return;
    if (target == dragged->m_parent || m_tree.IsDescendantOrSelf(dragged, target)) return;

    CWaitCursorScope wait;
    m_list.SetRedraw(FALSE);
    if (m_actions.moveUnder(target, dragged)) m_state.dragRow = -1;
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
    m_list.UpdateWindow();
}

void CGridDragTracker::Cancel()
{
    m_list.KillTimer(kTimerId);
    if (m_state.dropRow != -1) m_list.SetItemState(m_state.dropRow, 0, LVIS_DROPHILITED);
    m_state.dragging = FALSE;
    CImageList::DragLeave(&m_list);
    CImageList::EndDrag();
    ::ReleaseCapture();
    m_list.Invalidate();
    m_list.UpdateWindow();
}
