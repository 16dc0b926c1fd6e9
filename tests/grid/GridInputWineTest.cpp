// The grid subclassing a report list-view in a real dialog: expand buttons,
// double-clicks reported with WM_USER + 10, the numeric-pad keys, Delete,
// the current column, and scrolling that takes the focus.
#include "controls/GridGeometry.h"
#include "tests/grid/GridTestDialog.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Node = CSuperGridCtrl::CTreeItem;

// The main dialog's kind of list: top-level note n0, group G1 with notes a
// and b, group G2 with note c; the groups start collapsed.
class GridInputTest : public ::testing::Test {
protected:
    void SetUp() override { Build(m_grid); }

    void Build(CSuperGridCtrl& grid)
    {
        m_dialog = OpenGridDialog(grid);
        ASSERT_NE(nullptr, m_dialog);
        m_gridPtr = &grid;
        n0 = grid.AddRootNode(MakeRecord(L"n0", L"top note", 10));
        g1 = grid.AddRootNode(MakeRecord(L"G1", nullptr, 1, 1));
        a = grid.AddChildNode(g1, MakeRecord(L"a", L"note a", 11), FALSE);
        b = grid.AddChildNode(g1, MakeRecord(L"b", L"note b", 12), FALSE);
        g2 = grid.AddRootNode(MakeRecord(L"G2", nullptr, 2, 1));
        c = grid.AddChildNode(g2, MakeRecord(L"c", L"note c", 13), FALSE);
        PumpMessages(m_dialog->m_hWnd);
    }

    CSuperGridCtrl& Grid() { return *m_gridPtr; }

    // The centre of a row's expand button, from the row's bounds.
    POINT ButtonPoint(int row)
    {
        CRect bounds;
        Grid().GetItemRect(row, &bounds, LVIR_BOUNDS);
        const Node* node = Grid().NodeAtRow(row);
        const ExpandButton button =
            ExpandButtonAt(bounds.left, bounds.top, bounds.bottom, Grid().m_imageWidth, Grid().m_imageHeight, node->m_indent);
        return POINT{button.centreX, button.centreY};
    }
    // A point on a row's text in a column.
    POINT CellPoint(int row, int column)
    {
        CRect rect;
        if (column == 0) Grid().GetItemRect(row, &rect, LVIR_LABEL);
        else Grid().GetSubItemRect(row, column, LVIR_BOUNDS, rect);
        return POINT{rect.left + 4, (rect.top + rect.bottom) / 2};
    }
    // A double-click on a row's text, run through the dialog's loop.
    void DoubleClickRow(int row)
    {
        const POINT p = CellPoint(row, 0);
        DoubleClick(Grid().m_hWnd, p.x, p.y);
        PumpMessages(m_dialog->m_hWnd);
    }
    void SelectRow(int row)
    {
        const POINT p = CellPoint(row, 0);
        Click(Grid().m_hWnd, p.x, p.y);
        PumpMessages(m_dialog->m_hWnd);
    }

    CSuperGridCtrl m_grid;
    CSuperGridCtrl* m_gridPtr = nullptr;
    std::unique_ptr<CGridTestDialog> m_dialog;
    Node *n0 = nullptr, *g1 = nullptr, *a = nullptr, *b = nullptr, *g2 = nullptr, *c = nullptr;
};

TEST_F(GridInputTest, SubclassedListShowsRootsWithGroupsCollapsed)
{
    EXPECT_EQ(m_dialog->GetDlgItem(IDC_GRID_TEST_LIST)->m_hWnd, Grid().m_hWnd);
    EXPECT_EQ(&Grid(), CWnd::FromHandlePermanent(Grid().m_hWnd));
    EXPECT_EQ("n0,G1,G2", RowTexts(Grid()));
    EXPECT_EQ(CString(L"top note"), Grid().GetItemText(0, 1));
    EXPECT_EQ(16, Grid().m_imageWidth) << "taken from the small image list";
    EXPECT_EQ(16, Grid().m_imageHeight);
    EXPECT_EQ(0u, Grid().GetStyle() & LVS_OWNERDRAWFIXED) << "a subclassed list keeps its own drawing";
}

TEST_F(GridInputTest, ClickOnTheExpandButtonExpandsWithoutSelecting)
{
    ASSERT_EQ(-1, Grid().GetNextItem(-1, LVNI_SELECTED));
    const POINT p = ButtonPoint(1);
    Click(Grid().m_hWnd, p.x, p.y);
    PumpMessages(m_dialog->m_hWnd);
    EXPECT_EQ("n0,G1,a,b,G2", RowTexts(Grid()));
    EXPECT_FALSE(Grid().IsCollapsed(g1));
    EXPECT_EQ(-1, Grid().GetNextItem(-1, LVNI_SELECTED)) << "the list never saw the click";
    EXPECT_EQ(CString(L"note b"), Grid().GetItemText(3, 1));

    Click(Grid().m_hWnd, p.x, p.y);
    PumpMessages(m_dialog->m_hWnd);
    EXPECT_EQ("n0,G1,G2", RowTexts(Grid()));
    EXPECT_EQ(-1, Grid().GetNextItem(-1, LVNI_SELECTED));
}

TEST_F(GridInputTest, ClickJustOutsideTheButtonDoesNotToggle)
{
    POINT p = ButtonPoint(1);
    p.x += 6;  // the box reaches centre + 5
    Click(Grid().m_hWnd, p.x, p.y);
    PumpMessages(m_dialog->m_hWnd);
    EXPECT_EQ("n0,G1,G2", RowTexts(Grid()));
}

TEST_F(GridInputTest, ClickOnACellMakesItsColumnCurrentAndReachesTheList)
{
    ::SetFocus(m_dialog->GetDlgItem(IDC_GRID_TEST_EDIT)->m_hWnd);
    POINT p = CellPoint(2, 1);
    Click(Grid().m_hWnd, p.x, p.y);
    PumpMessages(m_dialog->m_hWnd);
    EXPECT_EQ(1, Grid().m_curColumn);
    EXPECT_EQ(Grid().m_hWnd, ::GetFocus());
    EXPECT_EQ(nullptr, FindEditor(Grid())) << "m_editEnabled is FALSE";

    p = CellPoint(2, 0);
    Click(Grid().m_hWnd, p.x, p.y);
    PumpMessages(m_dialog->m_hWnd);
    EXPECT_EQ(0, Grid().m_curColumn);
    EXPECT_EQ(2, Grid().GetNextItem(-1, LVNI_SELECTED)) << "the list selected the row";
}

TEST_F(GridInputTest, DoubleClickOnAGroupTogglesItAndStillNotifiesTheParent)
{
    DoubleClickRow(1);
    EXPECT_EQ("n0,G1,a,b,G2", RowTexts(Grid()));
    EXPECT_EQ(1, m_dialog->m_doubleClicks);
    EXPECT_TRUE(m_dialog->m_lastDoubleClickHadRecord);
    EXPECT_EQ(1, m_dialog->m_lastDoubleClickItem);

    DoubleClickRow(1);
    EXPECT_EQ("n0,G1,G2", RowTexts(Grid()));
    EXPECT_EQ(2, m_dialog->m_doubleClicks);

    // With enough rows to scroll, G1 at the top: row 0 is out of view, and
    // stays scrollable after the collapse, until the collapse brings it back.
    for (int i = 0; i < 40; ++i) {
        Grid().AddChildNode(g1, MakeRecord(L"g1 note"), FALSE);
        Grid().AddChildNode(g2, MakeRecord(L"g2 note"), FALSE);
    }
    Grid().ExpandNode(g2, 2);
    Grid().ExpandNode(g1, 1);
    const int perPage = Grid().GetCountPerPage();
    ASSERT_LT(perPage, Grid().GetItemCount() - 42) << "the rows must scroll after the collapse too";
    Grid().EnsureVisible(Grid().GetItemCount() - 1, FALSE);
    Grid().EnsureVisible(1, FALSE);
    PumpMessages(m_dialog->m_hWnd);
    ASSERT_EQ(1, Grid().GetTopIndex()) << "G1 on top, row 0 above the view";
    DoubleClickRow(1);
    EXPECT_TRUE(Grid().IsCollapsed(g1));
    EXPECT_EQ(0, Grid().GetTopIndex()) << "a collapse brings row 0 into view";
    EXPECT_EQ(3, m_dialog->m_doubleClicks);
}

TEST_F(GridInputTest, DoubleClickOnANoteOnlyNotifies)
{
    DoubleClickRow(0);
    EXPECT_EQ("n0,G1,G2", RowTexts(Grid()));
    EXPECT_EQ(1, m_dialog->m_doubleClicks);
    EXPECT_EQ(0, m_dialog->m_lastDoubleClickItem);
    EXPECT_EQ(0, Grid().GetNextItem(-1, LVNI_SELECTED));
}

// A grid whose owner refuses every click.
class CRefusingGrid : public CSuperGridCtrl {
public:
    BOOL CanHandleClick(LVHITTESTINFO*) override { return FALSE; }
    BOOL CanDelete(CTreeItem*, int) override { return FALSE; }
};

TEST_F(GridInputTest, DoubleClickThatTheOwnerRefusesStillNotifies)
{
    m_dialog.reset();
    CRefusingGrid refusing;
    Build(refusing);
    refusing.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const POINT p = CellPoint(1, 0);
    ::SendMessageW(refusing.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PumpMessages(m_dialog->m_hWnd);
    EXPECT_EQ("n0,G1,G2", RowTexts(refusing));
    EXPECT_EQ(1, m_dialog->m_doubleClicks);

    // A refused click reaches neither the expand button nor the list.
    refusing.SetItemState(1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    const POINT button = ButtonPoint(1);
    Click(refusing.m_hWnd, button.x, button.y);
    const POINT cell = CellPoint(2, 0);
    Click(refusing.m_hWnd, cell.x, cell.y);
    PumpMessages(m_dialog->m_hWnd);
    EXPECT_EQ("n0,G1,G2", RowTexts(refusing));
    EXPECT_EQ(-1, refusing.GetNextItem(-1, LVNI_SELECTED));
    m_dialog.reset();
}

TEST_F(GridInputTest, NumericPadKeysExpandCollapseAndExpandAll)
{
    Grid().AddChildNode(a, MakeRecord(L"x"), FALSE);
    SelectRow(1);
    ASSERT_EQ(Grid().m_hWnd, ::GetFocus());
    PressKey(m_dialog->m_hWnd, VK_ADD);
    EXPECT_EQ("n0,G1,a,b,G2", RowTexts(Grid()));
    PressKey(m_dialog->m_hWnd, VK_SUBTRACT);
    EXPECT_EQ("n0,G1,G2", RowTexts(Grid()));
    PressKey(m_dialog->m_hWnd, VK_MULTIPLY);
    EXPECT_EQ("n0,G1,a,x,b,G2", RowTexts(Grid()));
    EXPECT_EQ(1, Grid().GetNextItem(-1, LVNI_SELECTED)) << "the keys leave the selection";
    PressKey(m_dialog->m_hWnd, VK_SUBTRACT);
    EXPECT_EQ("n0,G1,G2", RowTexts(Grid()));
    PressKey(m_dialog->m_hWnd, VK_ADD);
    EXPECT_EQ("n0,G1,a,b,G2", RowTexts(Grid())) << "collapse collapsed a as well";
}

TEST_F(GridInputTest, NumericPadKeysOnANoteChangeNothing)
{
    SelectRow(0);
    PressKey(m_dialog->m_hWnd, VK_ADD);
    PressKey(m_dialog->m_hWnd, VK_MULTIPLY);
    PressKey(m_dialog->m_hWnd, VK_SUBTRACT);
    EXPECT_EQ("n0,G1,G2", RowTexts(Grid()));
}

TEST_F(GridInputTest, DeleteOnTheLastRowRemovesItAndSelectsTheRowAbove)
{
    SelectRow(2);
    PressKey(m_dialog->m_hWnd, VK_DELETE);
    EXPECT_EQ("n0,G1", RowTexts(Grid()));
    EXPECT_EQ(1, Grid().GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(2, Grid().GetRootCount());
    EXPECT_EQ(1, Grid().GetRow(g1));
}

TEST_F(GridInputTest, DeleteOfAnExpandedGroupTakesItsNotesAndSelectsTheNextRow)
{
    SelectRow(1);
    PressKey(m_dialog->m_hWnd, VK_ADD);
    ASSERT_EQ("n0,G1,a,b,G2", RowTexts(Grid()));
    PressKey(m_dialog->m_hWnd, VK_DELETE);
    EXPECT_EQ("n0,G2", RowTexts(Grid()));
    EXPECT_EQ(1, Grid().GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(g2, Grid().NodeAtRow(1));
    EXPECT_EQ(1, Grid().GetRow(g2));
}

TEST_F(GridInputTest, DeleteThatTheOwnerRefusesKeepsTheRow)
{
    m_dialog.reset();
    CRefusingGrid refusing;
    Build(refusing);
    refusing.SetFocus();
    refusing.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    PressKey(m_dialog->m_hWnd, VK_DELETE);
    EXPECT_EQ("n0,G1,G2", RowTexts(refusing));
    m_dialog.reset();
}

TEST_F(GridInputTest, LeftAndRightMoveTheCurrentColumnWithinTheHeader)
{
    SelectRow(0);
    ASSERT_EQ(0, Grid().m_curColumn);
    PressKey(m_dialog->m_hWnd, VK_LEFT);
    EXPECT_EQ(0, Grid().m_curColumn);
    PressKey(m_dialog->m_hWnd, VK_RIGHT);
    EXPECT_EQ(1, Grid().m_curColumn);
    PressKey(m_dialog->m_hWnd, VK_RIGHT);
    EXPECT_EQ(1, Grid().m_curColumn) << "the last column stays current";
    PressKey(m_dialog->m_hWnd, VK_LEFT);
    EXPECT_EQ(0, Grid().m_curColumn);
    EXPECT_EQ(0, Grid().GetNextItem(-1, LVNI_SELECTED)) << "Left and Right never reach the list";
}

TEST_F(GridInputTest, ColumnOrderFollowsTheHeader)
{
    int order[] = {1, 0};
    Grid().SetColumnOrderArray(2, order);
    EXPECT_EQ(1, Grid().ColumnIndexToOrder(0));
    EXPECT_EQ(0, Grid().ColumnIndexToOrder(1));
    EXPECT_EQ(-1, Grid().ColumnIndexToOrder(5));
}

TEST_F(GridInputTest, ScrollingTakesTheFocus)
{
    ::SetFocus(m_dialog->GetDlgItem(IDC_GRID_TEST_EDIT)->m_hWnd);
    ::SendMessageW(Grid().m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(Grid().m_hWnd, ::GetFocus());
    ::SetFocus(m_dialog->GetDlgItem(IDC_GRID_TEST_EDIT)->m_hWnd);
    ::SendMessageW(Grid().m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    EXPECT_EQ(Grid().m_hWnd, ::GetFocus());
}

TEST_F(GridInputTest, RefillAfterDeleteAllStartsFromRowZero)
{
    Grid().DeleteAllNodes();
    EXPECT_EQ(0, Grid().GetItemCount());
    EXPECT_EQ(0, Grid().GetRootCount());
    Node* again = Grid().AddRootNode(MakeRecord(L"again"));
    EXPECT_EQ(0, Grid().GetRow(again));
    EXPECT_EQ("again", RowTexts(Grid()));
}

TEST(GridCheckBoxTest, ClicksAndSpaceKeepTheBoxAndTheRecordTogether)
{
    CSuperGridCtrl grid;
    const std::unique_ptr<CGridTestDialog> opened = OpenGridDialog(grid);
    ASSERT_NE(nullptr, opened);
    CGridTestDialog& dialog = *opened;
    grid.SetExtendedStyle(LVS_EX_CHECKBOXES);
    Node* group = grid.AddRootNode(MakeRecord(L"G", nullptr, 1, 1));
    CItemInfo* checked = MakeRecord(L"checked");
    checked->m_check = true;
    Node* first = grid.AddChildNode(group, checked, FALSE);
    Node* second = grid.AddChildNode(group, MakeRecord(L"plain"), FALSE);
    grid.ExpandNode(group, 0);
    PumpMessages(dialog.m_hWnd);
    ASSERT_EQ("G,checked,plain", RowTexts(grid));
    EXPECT_TRUE(grid.GetCheck(1)) << "a record with m_check shows a checked box";
    EXPECT_FALSE(grid.GetCheck(2));

    // Find the state icon of row 2 and click it.
    CRect label;
    grid.GetItemRect(2, &label, LVIR_LABEL);
    LVHITTESTINFO hit = {};
    int boxX = -1;
    for (int x = 0; x < label.left && boxX < 0; ++x) {
        hit.pt = POINT{x, (label.top + label.bottom) / 2};
        grid.SubItemHitTest(&hit);
        if (hit.iItem == 2 && (hit.flags & LVHT_ONITEMSTATEICON)) boxX = x;
    }
    ASSERT_GE(boxX, 0) << "no check box found";
    Click(grid.m_hWnd, boxX + 2, hit.pt.y);
    PumpMessages(dialog.m_hWnd);
    EXPECT_TRUE(grid.GetCheck(2)) << "one click, one toggle";
    EXPECT_TRUE(grid.GetData(second)->m_check);

    grid.SetFocus();
    grid.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    PressKey(dialog.m_hWnd, VK_SPACE);
    EXPECT_FALSE(grid.GetCheck(1));
    EXPECT_FALSE(grid.GetData(first)->m_check) << "Space inverts the record with the box";
}

}  // namespace
