// Dragging rows in a real dialog with real mouse messages: a note dropped on
// another group moves there with its data; a drop on its own parent or into
// its own subtree changes nothing; a grid without m_dragEnabled never drags.
#include "tests/grid/GridDialogTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Node = CSuperGridCtrl::CTreeItem;

class GridDragTest : public GridDialogTest<> {
protected:
    void AddRows() override
    {
        g1 = m_grid.AddRootNode(MakeRecord(L"G1", nullptr, 1, 1));
        a = m_grid.AddChildNode(g1, MakeRecord(L"a", L"note a", 11), FALSE);
        x = m_grid.AddChildNode(a, MakeRecord(L"x", nullptr, 21), FALSE);
        b = m_grid.AddChildNode(g1, MakeRecord(L"b", L"note b", 12), FALSE);
        g2 = m_grid.AddRootNode(MakeRecord(L"G2", nullptr, 2, 1));
        c = m_grid.AddChildNode(g2, MakeRecord(L"c", L"note c", 13), FALSE);
        m_grid.ExpandNode(g1, 0);
        m_grid.ExpandNode(a, 1);
        m_grid.m_dragEnabled = TRUE;
        PumpMessages(Dialog());
        ASSERT_EQ("G1,a,x,b,G2", RowTexts(m_grid));
    }

    POINT LabelPoint(int row)
    {
        CRect label;
        m_grid.GetItemRect(row, &label, LVIR_LABEL);
        return POINT{label.left + 4, (label.top + label.bottom) / 2};
    }
    // Presses on one row, moves past the drag threshold to another and releases there.
    void Drag(int fromRow, int toRow)
    {
        const POINT from = LabelPoint(fromRow);
        const POINT to = LabelPoint(toRow);
        HWND grid = m_grid.m_hWnd;
        ::SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 20, from.y + 20));
        m_draggingSeen = m_grid.m_dragging != FALSE;
        ::SendMessageW(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        m_dropRowSeen = m_grid.m_dropRow;
        ::SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        PumpMessages(Dialog());
    }

    Node *g1 = nullptr, *a = nullptr, *x = nullptr, *b = nullptr, *g2 = nullptr, *c = nullptr;
    bool m_draggingSeen = false;
    int m_dropRowSeen = -2;
};

TEST_F(GridDragTest, ANoteDroppedOnAnotherGroupMovesThereWithItsData)
{
    Drag(3, 4);  // b onto G2
    EXPECT_TRUE(m_draggingSeen) << "the list reported the begin of a drag";
    EXPECT_EQ(4, m_dropRowSeen);
    EXPECT_FALSE(m_grid.m_dragging);
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ("G1,a,x,G2", RowTexts(m_grid)) << "G2 is collapsed: the moved row waits there";
    EXPECT_EQ(3, m_grid.GetNextItem(-1, LVNI_SELECTED)) << "the target is selected";
    EXPECT_EQ(1, m_grid.GetChildCount(g1));
    ASSERT_EQ(2, m_grid.GetChildCount(g2));

    m_grid.ExpandNode(g2, 3);
    EXPECT_EQ("G1,a,x,G2,c,b", RowTexts(m_grid));
    Node* moved = m_grid.NodeAtRow(5);
    ASSERT_NE(nullptr, moved);
    EXPECT_EQ(g2, moved->m_parent);
    EXPECT_EQ(12, m_grid.GetData(moved)->m_itemData) << "the record travels with the row";
    EXPECT_EQ(CString(L"note b"), m_grid.GetItemText(5, 1));
    EXPECT_EQ(2, m_grid.GetData(moved)->m_image);
}

TEST_F(GridDragTest, ASubtreeDroppedOnAnExpandedGroupShowsAtOnce)
{
    m_grid.ExpandNode(g2, 4);
    ASSERT_EQ("G1,a,x,b,G2,c", RowTexts(m_grid));
    Drag(1, 4);  // a (with x) onto G2
    EXPECT_EQ("G1,b,G2,c,a", RowTexts(m_grid));
    Node* moved = m_grid.NodeAtRow(4);
    ASSERT_NE(nullptr, moved);
    EXPECT_TRUE(m_grid.IsCollapsed(moved)) << "its own children wait collapsed";
    ASSERT_EQ(1, m_grid.GetChildCount(moved));
    POSITION pos = m_grid.GetHeadPosition(moved);
    EXPECT_EQ(21, m_grid.GetData(m_grid.GetNextChild(moved, pos))->m_itemData);
    for (int row = 0; row < m_grid.GetItemCount(); ++row) EXPECT_EQ(row, m_grid.GetRow(m_grid.NodeAtRow(row)));
}

TEST_F(GridDragTest, ADropOnItsOwnParentChangesNothing)
{
    Drag(3, 0);  // b onto G1
    EXPECT_EQ("G1,a,x,b,G2", RowTexts(m_grid));
    EXPECT_EQ(b, m_grid.NodeAtRow(3));
    EXPECT_EQ(2, m_grid.GetChildCount(g1));
    EXPECT_FALSE(m_grid.m_dragging);
}

TEST_F(GridDragTest, ADropIntoItsOwnSubtreeChangesNothing)
{
    Drag(1, 2);  // a onto its child x
    EXPECT_EQ("G1,a,x,b,G2", RowTexts(m_grid));
    EXPECT_EQ(a, m_grid.NodeAtRow(1));
    EXPECT_EQ(1, m_grid.GetChildCount(a));
}

TEST_F(GridDragTest, RootsAreNotMoved)
{
    Drag(4, 3);  // G2 onto b
    EXPECT_EQ("G1,a,x,b,G2", RowTexts(m_grid));
    EXPECT_EQ(2, m_grid.GetRootCount());
}

TEST_F(GridDragTest, WithoutDragEnabledNothingIsDragged)
{
    m_grid.m_dragEnabled = FALSE;
    Drag(3, 4);
    EXPECT_FALSE(m_draggingSeen);
    EXPECT_EQ("G1,a,x,b,G2", RowTexts(m_grid));
}

// Presses on a row and moves far enough for the list to begin a drag.
void BeginDrag(CSuperGridCtrl& grid, int row)
{
    CRect label;
    grid.GetItemRect(row, &label, LVIR_LABEL);
    const POINT from{label.left + 4, (label.top + label.bottom) / 2};
    ::SendMessageW(grid.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    ::SendMessageW(grid.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 20, from.y + 20));
}

// Moves the drag over a point of the grid and holds it there.
void HoverAt(CSuperGridCtrl& grid, POINT point)
{
    ::SendMessageW(grid.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

TEST_F(GridDragTest, HoveringACollapsedGroupExpandsIt)
{
    BeginDrag(m_grid, 3);  // b
    ASSERT_TRUE(m_grid.m_dragging);
    const POINT over = LabelPoint(4);  // G2, collapsed
    HoverAt(m_grid, over);
    EXPECT_EQ(4, m_grid.m_dropRow);
    ::SendMessageW(m_grid.m_hWnd, WM_TIMER, 1, 0);
    EXPECT_EQ("G1,a,x,b,G2,c", RowTexts(m_grid)) << "the timer expanded the group under the pointer";
    EXPECT_EQ(3, m_grid.m_dragRow);
    ::SendMessageW(m_grid.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(over.x, over.y));
    PumpMessages(Dialog());
    EXPECT_EQ("G1,a,x,G2,c,b", RowTexts(m_grid)) << "the moved row shows at once under the expanded group";
}

TEST_F(GridDragTest, HoveringTheBottomEdgeScrollsTheList)
{
    for (int i = 0; i < 60; ++i) m_grid.AddRootNode(MakeRecord(L"filler"));
    PumpMessages(Dialog());
    ASSERT_EQ(0, m_grid.GetTopIndex());
    BeginDrag(m_grid, 3);
    ASSERT_TRUE(m_grid.m_dragging);
    CRect client;
    m_grid.GetClientRect(&client);
    HoverAt(m_grid, POINT{40, client.bottom - 4});
    ::SendMessageW(m_grid.m_hWnd, WM_TIMER, 1, 0);
    EXPECT_GT(m_grid.GetTopIndex(), 0);
    ::SendMessageW(m_grid.m_hWnd, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(40, 40));
    EXPECT_FALSE(m_grid.m_dragging) << "another mouse button ends the drag";
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_EQ(65, m_grid.GetItemCount()) << "nothing moved";
    EXPECT_EQ(b, m_grid.NodeAtRow(3));
}

}  // namespace
