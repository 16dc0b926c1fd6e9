// The grid's hooks as a derived owner sees them: which hook each mouse
// click, double-click, key, drag and edit calls, in which order, and that an
// action stops where a hook refuses it.
#include "controls/GridGeometry.h"
#include "tests/grid/GridDialogTest.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using Node = CSuperGridCtrl::CTreeItem;

// A grid that writes the name of every hook called into a log and can refuse
// what the Can... hooks ask.
class CRecordingGrid : public CSuperGridCtrl {
public:
    // The hooks called since the last Take, separated by spaces.
    std::string Take()
    {
        std::string calls = m_log;
        m_log.clear();
        return calls;
    }

    bool m_refuse = false;      // every Can... hook answers FALSE
    bool m_ownReturn = false;   // HandleReturnKey takes Enter

    CItemInfo* CloneItemInfo(CItemInfo* info) override
    {
        Log("CloneItemInfo");
        return CSuperGridCtrl::CloneItemInfo(info);
    }
    void CommitCellText(CTreeItem* node, LVITEMW* item) override
    {
        Log("CommitCellText");
        CSuperGridCtrl::CommitCellText(node, item);
    }
    void OnCellButtonDown(UINT flags, CPoint point, LVHITTESTINFO* hit) override
    {
        Log("OnCellButtonDown");
        CSuperGridCtrl::OnCellButtonDown(flags, point, hit);
    }
    CImageList* MakeRowDragImage(int row) override
    {
        Log("MakeRowDragImage");
        return CSuperGridCtrl::MakeRowDragImage(row);
    }
    BOOL CanExpand(CTreeItem*, int) override { return Ask("CanExpand"); }
    BOOL AfterExpand(CTreeItem*, int) override
    {
        Log("AfterExpand");
        return TRUE;
    }
    BOOL CanCollapse(CTreeItem*) override { return Ask("CanCollapse"); }
    BOOL AfterCollapse(CTreeItem*) override
    {
        Log("AfterCollapse");
        return TRUE;
    }
    BOOL CanDelete(CTreeItem*, int) override { return Ask("CanDelete"); }
    BOOL CanExpandAllByKey(CTreeItem*, int) override { return Ask("CanExpandAllByKey"); }
    BOOL CanCollapseByKey(CTreeItem*, int) override { return Ask("CanCollapseByKey"); }
    BOOL CanExpandByKey(CTreeItem*, int) override { return Ask("CanExpandByKey"); }
    BOOL HandleReturnKey() override
    {
        Log("HandleReturnKey");
        return m_ownReturn ? TRUE : FALSE;
    }
    BOOL CanHandleClick(LVHITTESTINFO*) override { return Ask("CanHandleClick"); }

private:
    void Log(const char* hook) { m_log += m_log.empty() ? hook : std::string(" ") + hook; }
    BOOL Ask(const char* hook)
    {
        Log(hook);
        return m_refuse ? FALSE : TRUE;
    }

    std::string m_log;
};

// Rows n0, G1 (a, b), G2 (c); the groups start collapsed.
class GridHookOrderTest : public GridDialogTest<CRecordingGrid> {
protected:
    void AddRows() override
    {
        m_grid.AddRootNode(MakeRecord(L"n0", L"top note", 10));
        g1 = m_grid.AddRootNode(MakeRecord(L"G1", nullptr, 1, 1));
        m_grid.AddChildNode(g1, MakeRecord(L"a", L"note a", 11), FALSE);
        m_grid.AddChildNode(g1, MakeRecord(L"b", L"note b", 12), FALSE);
        g2 = m_grid.AddRootNode(MakeRecord(L"G2", nullptr, 2, 1));
        m_grid.AddChildNode(g2, MakeRecord(L"c", L"note c", 13), FALSE);
        Pump();
        m_grid.Take();
    }

    void Pump() { PumpMessages(Dialog()); }
    POINT ButtonPoint(int row)
    {
        CRect bounds;
        m_grid.GetItemRect(row, &bounds, LVIR_BOUNDS);
        const ExpandButton button = ExpandButtonAt(bounds.left, bounds.top, bounds.bottom, m_grid.m_imageWidth,
                                                   m_grid.m_imageHeight, m_grid.NodeAtRow(row)->m_indent);
        return POINT{button.centreX, button.centreY};
    }
    POINT LabelPoint(int row)
    {
        CRect label;
        m_grid.GetItemRect(row, &label, LVIR_LABEL);
        return POINT{label.left + 4, (label.top + label.bottom) / 2};
    }
    void ClickAt(POINT p)
    {
        Click(m_grid.m_hWnd, p.x, p.y);
        Pump();
    }
    void Select(int row)
    {
        m_grid.SetFocus();
        m_grid.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        Pump();
        m_grid.Take();
    }

    Node *g1 = nullptr, *g2 = nullptr;
};

TEST_F(GridHookOrderTest, ClicksAskBeforeTheyActAndStopWhereAHookRefuses)
{
    // The expand button: asked, expanded, told; the list never sees the click.
    ClickAt(ButtonPoint(1));
    EXPECT_EQ("CanHandleClick CanExpand AfterExpand", m_grid.Take());
    EXPECT_EQ("n0,G1,a,b,G2", RowTexts(m_grid));

    // A cell: the list selects the row, then the owner hears of the click.
    ClickAt(LabelPoint(2));
    EXPECT_EQ("CanHandleClick OnCellButtonDown", m_grid.Take());
    EXPECT_EQ(2, m_grid.GetNextItem(-1, LVNI_SELECTED));

    // Refused: the collapse is asked for and not done, and nothing follows.
    m_grid.m_refuse = true;
    ClickAt(ButtonPoint(1));
    EXPECT_EQ("CanHandleClick", m_grid.Take()) << "a refused click goes no further";
    EXPECT_EQ("n0,G1,a,b,G2", RowTexts(m_grid));
    m_grid.m_refuse = false;

    // A double-click on a group's text: its first press is a click on a
    // cell, the double-click then collapses the selected group.
    const POINT group = LabelPoint(1);
    DoubleClick(m_grid.m_hWnd, group.x, group.y);
    Pump();
    EXPECT_EQ("CanHandleClick OnCellButtonDown CanHandleClick CanCollapse AfterCollapse", m_grid.Take());
    EXPECT_EQ("n0,G1,G2", RowTexts(m_grid));
    EXPECT_EQ(1, m_dialog->m_doubleClicks);

    // A refused double-click changes nothing but still reaches the parent.
    m_grid.m_refuse = true;
    DoubleClick(m_grid.m_hWnd, group.x, group.y);
    Pump();
    EXPECT_EQ("CanHandleClick CanHandleClick", m_grid.Take());
    EXPECT_EQ("n0,G1,G2", RowTexts(m_grid));
    EXPECT_EQ(2, m_dialog->m_doubleClicks);
}

TEST_F(GridHookOrderTest, EachKeyAsksItsOwnHookAndDoesNothingWhenRefused)
{
    Select(1);
    PressKey(Dialog(), VK_ADD);
    EXPECT_EQ("CanExpandByKey", m_grid.Take());
    EXPECT_EQ("n0,G1,a,b,G2", RowTexts(m_grid));
    PressKey(Dialog(), VK_SUBTRACT);
    EXPECT_EQ("CanCollapseByKey", m_grid.Take());
    EXPECT_EQ("n0,G1,G2", RowTexts(m_grid));
    PressKey(Dialog(), VK_MULTIPLY);
    EXPECT_EQ("CanExpandAllByKey", m_grid.Take());
    EXPECT_EQ("n0,G1,a,b,G2", RowTexts(m_grid));

    m_grid.m_refuse = true;
    PressKey(Dialog(), VK_SUBTRACT);
    PressKey(Dialog(), VK_DELETE);
    EXPECT_EQ("CanCollapseByKey CanDelete", m_grid.Take());
    EXPECT_EQ("n0,G1,a,b,G2", RowTexts(m_grid));
    m_grid.m_refuse = false;
    PressKey(Dialog(), VK_DELETE);
    EXPECT_EQ("CanDelete", m_grid.Take());
    EXPECT_EQ("n0,G2", RowTexts(m_grid));

    // Enter opens the editor on the cell unless the owner takes the key.
    PressKey(Dialog(), VK_RETURN);
    ASSERT_NE(nullptr, FindEditor(m_grid));
    TypeText(Dialog(), L"X");
    PressKey(Dialog(), VK_RETURN);
    EXPECT_EQ("HandleReturnKey CommitCellText", m_grid.Take()) << "the edit is stored through the hook";
    EXPECT_EQ(CString(L"XG2"), m_grid.GetItemText(1, 0));
    m_grid.m_ownReturn = true;
    Select(1);
    PressKey(Dialog(), VK_RETURN);
    EXPECT_EQ("HandleReturnKey", m_grid.Take());
    EXPECT_EQ(nullptr, FindEditor(m_grid));
}

TEST_F(GridHookOrderTest, ADropAsksForTheDragImageThenCopiesEachRecord)
{
    m_grid.ExpandNode(g1, 1);
    m_grid.m_dragEnabled = TRUE;
    Pump();
    ASSERT_EQ("n0,G1,a,b,G2", RowTexts(m_grid));
    m_grid.Take();

    const POINT from = LabelPoint(2);
    const POINT to = LabelPoint(4);
    ::SendMessageW(m_grid.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    ::SendMessageW(m_grid.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + 20, from.y + 20));
    ASSERT_TRUE(m_grid.m_dragging);
    ::SendMessageW(m_grid.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    ::SendMessageW(m_grid.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    Pump();
    EXPECT_EQ("CanHandleClick OnCellButtonDown MakeRowDragImage CloneItemInfo", m_grid.Take())
        << "a is pressed, dragged and copied under G2";
    EXPECT_EQ("n0,G1,b,G2", RowTexts(m_grid));
    EXPECT_EQ(2, m_grid.GetChildCount(g2));
}

}  // namespace
