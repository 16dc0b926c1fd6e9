// The tree grid's model on an array of rows: rows follow the visible tree
// through expand, collapse, removal and copying; nodes and records are freed
// exactly once; a bulk clear is one call to the row list.
#include "controls/CTreeGridModel.h"
#include "controls/CVectorRowList.h"
#include "framework/CException.h"
#include "framework/ThrownException.h"

#include <gtest/gtest.h>

// Leaks found at once under AddressSanitizer; a plain build (scripts/valgrind)
// leaves them to memcheck's leak check when the program ends.
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define QB_LEAKS_NOW() __lsan_do_recoverable_leak_check()
#else
#define QB_LEAKS_NOW() 0
#endif

#include <functional>
#include <random>
#include <string>
#include <ostream>
#include <vector>

// Lets failure messages show strings as text.
void PrintTo(const CString& text, std::ostream* out)
{
    for (int i = 0; i < text.GetLength(); ++i) *out << static_cast<char>(text.GetAt(i));
}

namespace {

using Node = CTreeGridModel::CTreeItem;

// A model whose clone function can be set by the test, as a derived grid would.
class TestModel : public CTreeGridModel {
public:
    explicit TestModel(IGridRowList& rows) : CTreeGridModel(rows) {}
    using CTreeGridModel::SetCloneFunction;
};

CItemInfo* Record(const wchar_t* text, std::vector<const wchar_t*> subTexts = {}, int image = -1)
{
    auto* info = new CItemInfo;
    info->m_text = text;
    for (const wchar_t* sub : subTexts) info->m_subTexts.Add(sub);
    info->m_image = image;
    return info;
}

std::string Narrow(const CString& text)
{
    std::string out;
    for (int i = 0; i < text.GetLength(); ++i) out += static_cast<char>(text.GetAt(i));
    return out;
}

// The first-column texts of all rows, joined by commas.
std::string RowTexts(const CVectorRowList& rows)
{
    std::string out;
    for (int i = 0; i < rows.GetRowCount(); ++i) {
        if (i) out += ",";
        out += Narrow(rows.At(i).text);
    }
    return out;
}

// The visible nodes in pre-order, straight from the tree.
void VisibleNodes(const CTreeGridModel& model, std::vector<Node*>& out)
{
    std::function<void(Node*)> visit = [&](Node* node) {
        out.push_back(node);
        if (node->m_collapsed) return;
        for (POSITION pos = node->m_children.GetHeadPosition(); pos;) visit(node->m_children.GetNext(pos));
    };
    for (POSITION pos = model.GetRootHeadPosition(); pos;) visit(model.GetNextRoot(pos));
}

void AllNodes(const CTreeGridModel& model, std::vector<Node*>& out)
{
    std::function<void(Node*)> visit = [&](Node* node) {
        out.push_back(node);
        for (POSITION pos = node->m_children.GetHeadPosition(); pos;) visit(node->m_children.GetNext(pos));
    };
    for (POSITION pos = model.GetRootHeadPosition(); pos;) visit(model.GetNextRoot(pos));
}

// Every row shows the next visible node, with its text, indent and number.
void ExpectRowsMirrorTree(const CTreeGridModel& model, const CVectorRowList& rows)
{
    std::vector<Node*> visible;
    VisibleNodes(model, visible);
    ASSERT_EQ(static_cast<int>(visible.size()), rows.GetRowCount()) << "rows: " << RowTexts(rows);
    for (int row = 0; row < rows.GetRowCount(); ++row) {
        const Node* node = visible[static_cast<size_t>(row)];
        ASSERT_EQ(node, rows.At(row).node) << "row " << row;
        EXPECT_EQ(row, node->m_row) << "row " << row;
        EXPECT_EQ(row, model.RowOfNode(node)) << "row " << row;
        EXPECT_EQ(node->m_indent, rows.At(row).indent) << "row " << row;
        EXPECT_EQ(node->m_info->m_text, rows.At(row).text) << "row " << row;
        // A node shown expanded has all its children on the rows below.
        if (!node->m_collapsed && !node->m_children.IsEmpty()) {
            EXPECT_EQ(node->m_children.GetHead(), rows.At(row + 1).node) << "row " << row;
        }
    }
}

class TreeGridModelTest : public ::testing::Test {
protected:
    CVectorRowList rows;
    TestModel model{rows};

    // Roots R1 (children a, b) and R2, the children added hidden.
    void BuildTwoRoots()
    {
        r1 = model.AddRootNode(Record(L"R1", {}, 1));
        a = model.AddChildNode(r1, Record(L"a", {L"a-note"}, 2), false);
        b = model.AddChildNode(r1, Record(L"b", {}, 2), false);
        r2 = model.AddRootNode(Record(L"R2", {}, 1));
    }

    Node* r1 = nullptr;
    Node* a = nullptr;
    Node* b = nullptr;
    Node* r2 = nullptr;
};

// The model with roots R1 (children a, b) and R2 from the start.
class TwoRootsTest : public TreeGridModelTest {
protected:
    void SetUp() override { BuildTwoRoots(); }
};

// The two roots with R1 expanded: rows R1, a, b, R2.
class FirstRootExpandedTest : public TwoRootsTest {
protected:
    void SetUp() override
    {
        TwoRootsTest::SetUp();
        model.ExpandNode(r1, 0);
    }
};

TEST_F(TwoRootsTest, RootsGetRowsAtTheEndAndChildrenAddedHiddenGetNone)
{
    EXPECT_EQ("R1,R2", RowTexts(rows));
    EXPECT_TRUE(model.IsCollapsed(r1));
    EXPECT_FALSE(model.IsCollapsed(r2)) << "a new node starts expanded";
    EXPECT_EQ(0, model.GetRow(r1));
    EXPECT_EQ(1, model.GetRow(r2));
    EXPECT_EQ(1, model.GetIndent(r1));
    EXPECT_EQ(2, model.GetIndent(a));
    EXPECT_EQ(r1, model.GetParentItem(a));
    EXPECT_EQ(nullptr, model.GetParentItem(r1));
    EXPECT_EQ(1, rows.At(0).image) << "root rows carry the record's image";
    EXPECT_EQ(r1, model.NodeAtRow(0));
    EXPECT_EQ(nullptr, model.NodeAtRow(2));
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(TwoRootsTest, ExpandShowsChildrenBelowTheParentAndRenumbers)
{
    EXPECT_EQ(2, model.ExpandNode(r1, 0));
    EXPECT_EQ("R1,a,b,R2", RowTexts(rows));
    EXPECT_EQ(0, r1->m_row);
    EXPECT_EQ(1, a->m_row);
    EXPECT_EQ(2, b->m_row);
    EXPECT_EQ(3, r2->m_row);
    EXPECT_EQ(3, model.RowOfNode(r2));
    EXPECT_FALSE(model.IsCollapsed(r1));
    EXPECT_EQ(CString(L"a-note"), rows.CellText(1, 1)) << "sub-texts reach the second column";
    EXPECT_EQ(2, rows.At(1).indent);
    EXPECT_EQ(2, rows.At(1).image) << "child rows show their record's image";
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(FirstRootExpandedTest, ExpandOfAnExpandedOrChildlessNodeInsertsNothing)
{
    EXPECT_EQ(0, model.ExpandNode(r1, 0));
    EXPECT_EQ(3, model.ExpandNode(r2, 3));
    EXPECT_EQ("R1,a,b,R2", RowTexts(rows));
}

TEST_F(TwoRootsTest, ExpandWithARowThatIsNotTheNodesUsesTheNodesOwnRow)
{
    EXPECT_EQ(2, model.ExpandNode(r1, 1)) << "row 1 holds R2, not R1";
    EXPECT_EQ("R1,a,b,R2", RowTexts(rows));
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(TwoRootsTest, NestedCollapseHidesEveryDescendantAndLeavesThemCollapsed)
{
    Node* g = model.AddChildNode(a, Record(L"g"), false);
    model.ExpandNode(r1, 0);
    model.ExpandNode(a, 1);
    EXPECT_EQ("R1,a,g,b,R2", RowTexts(rows));
    EXPECT_EQ(2, model.RowOfNode(g));
    EXPECT_EQ(3, model.RowOfNode(b));

    model.CollapseNode(r1);
    EXPECT_EQ("R1,R2", RowTexts(rows));
    EXPECT_TRUE(model.IsCollapsed(r1));
    EXPECT_TRUE(model.IsCollapsed(a)) << "collapse also collapses expanded descendants";
    EXPECT_EQ(1, r2->m_row);
    EXPECT_EQ(-1, model.RowOfNode(g));
    EXPECT_TRUE(rows.m_redraw) << "drawing is resumed";

    model.ExpandNode(r1, 0);
    EXPECT_EQ("R1,a,b,R2", RowTexts(rows)) << "a later expand shows one level only";
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(TwoRootsTest, CollapseOfNullOrChildlessNodeDoesNothing)
{
    model.CollapseNode(nullptr);
    model.CollapseNode(r2);
    EXPECT_FALSE(model.IsCollapsed(r2));
    EXPECT_EQ("R1,R2", RowTexts(rows));
}

TEST_F(TwoRootsTest, RowOfNodeIsMinusOneForHiddenAndForeignNodes)
{
    EXPECT_EQ(-1, model.RowOfNode(a));
    EXPECT_EQ(-1, model.RowOfNode(nullptr));
    Node stranger;
    EXPECT_EQ(-1, model.RowOfNode(&stranger));
    model.ExpandNode(r1, 0);
    EXPECT_EQ(1, model.RowOfNode(a));
}

TEST_F(TreeGridModelTest, HiddenChildOnAnExpandedParentWithoutRowsOnlyMarksItCollapsed)
{
    Node* p = model.AddRootNode(Record(L"p"));
    model.AddRootNode(Record(L"q"));
    EXPECT_FALSE(model.IsCollapsed(p));
    model.AddChildNode(p, Record(L"c"), false);
    EXPECT_TRUE(model.IsCollapsed(p));
    EXPECT_EQ("p,q", RowTexts(rows));
}

TEST_F(FirstRootExpandedTest, HiddenChildUnderAParentShowingChildrenHidesTheirRowsToo)
{
    model.AddChildNode(r1, Record(L"c"), false);
    EXPECT_TRUE(model.IsCollapsed(r1));
    EXPECT_EQ("R1,R2", RowTexts(rows)) << "no row may stay under a collapsed parent";
    model.ExpandNode(r1, 0);
    EXPECT_EQ("R1,a,b,c,R2", RowTexts(rows));
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(TwoRootsTest, ShownChildGoesBelowItsPrevSiblingsSubtree)
{
    Node* g = model.AddChildNode(b, Record(L"g"), false);
    (void)g;
    model.ExpandNode(r1, 0);
    model.ExpandNode(b, 2);
    EXPECT_EQ("R1,a,b,g,R2", RowTexts(rows));
    auto* info = Record(L"c", {L"c1", L"c2"});
    info->m_check = true;
    Node* c = model.AddChildNode(r1, info, true);
    EXPECT_EQ("R1,a,b,g,c,R2", RowTexts(rows));
    EXPECT_EQ(4, model.GetRow(c));
    EXPECT_EQ(5, model.GetRow(r2));
    EXPECT_TRUE(rows.At(4).checked);
    EXPECT_EQ(CString(L"c2"), rows.CellText(4, 2));
    EXPECT_FALSE(rows.At(3).checked) << "rows without m_check keep an empty box";
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(TreeGridModelTest, ShownChildOfAFreshRootGoesRightBelowIt)
{
    Node* p = model.AddRootNode(Record(L"p"));
    model.AddRootNode(Record(L"q"));
    Node* c = model.AddChildNode(p, Record(L"c"), true);
    EXPECT_EQ("p,c,q", RowTexts(rows));
    EXPECT_EQ(1, model.GetRow(c));
    EXPECT_EQ(nullptr, model.AddChildNode(nullptr, nullptr, true));
}

TEST_F(TwoRootsTest, ShownChildUnderACollapsedParentIsAddedHidden)
{
    Node* c = model.AddChildNode(r1, Record(L"c"), true);
    EXPECT_EQ("R1,R2", RowTexts(rows));
    EXPECT_EQ(-1, model.RowOfNode(c));
    EXPECT_TRUE(model.IsCollapsed(r1));
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(FirstRootExpandedTest, RemoveAtRowZeroLeavesNoSelection)
{
    model.RemoveNode(r1, 0);
    EXPECT_EQ("R2", RowTexts(rows));
    EXPECT_EQ(-1, rows.GetSelectedRow());
    EXPECT_EQ(0, r2->m_row);
    EXPECT_EQ(1, model.GetRootCount());
    EXPECT_TRUE(rows.m_redraw);
    EXPECT_GE(rows.m_repaints, 1);
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(FirstRootExpandedTest, RemoveAtTheLastRowSelectsTheRowAbove)
{
    model.RemoveNode(r2, 3);
    EXPECT_EQ("R1,a,b", RowTexts(rows));
    EXPECT_EQ(2, rows.GetSelectedRow());
    EXPECT_TRUE(rows.At(2).focused);
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(FirstRootExpandedTest, RemoveInTheMiddleSelectsTheRowThatMovedUp)
{
    model.RemoveNode(a, 1);
    EXPECT_EQ("R1,b,R2", RowTexts(rows));
    EXPECT_EQ(1, rows.GetSelectedRow());
    EXPECT_EQ(1, model.GetChildCount(r1));
    EXPECT_EQ(1, model.RowOfNode(b));
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(TwoRootsTest, RemoveOfAnExpandedChildTakesItsDescendantsRows)
{
    model.AddChildNode(a, Record(L"g"), false);
    model.AddChildNode(a, Record(L"h"), false);
    model.ExpandNode(r1, 0);
    model.ExpandNode(a, 1);
    EXPECT_EQ("R1,a,g,h,b,R2", RowTexts(rows));
    model.RemoveNode(a, 1);
    EXPECT_EQ("R1,b,R2", RowTexts(rows));
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(FirstRootExpandedTest, RemoveWithAWrongRowDeletesOnlyTheNodesOwnRows)
{
    model.RemoveNode(b, 0);
    EXPECT_EQ("R1,a,R2", RowTexts(rows));
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(TwoRootsTest, RemoveOfAHiddenNodeTouchesNoRow)
{
    model.RemoveNode(a, -1);
    EXPECT_EQ("R1,R2", RowTexts(rows));
    EXPECT_EQ(1, model.GetChildCount(r1));
    model.ExpandNode(r1, 0);
    EXPECT_EQ("R1,b,R2", RowTexts(rows));
}

TEST_F(TwoRootsTest, DetachFindsChildrenButNeverRoots)
{
    EXPECT_FALSE(model.DetachNode(r1));
    EXPECT_FALSE(model.DetachNode(nullptr));
    Node stranger;
    EXPECT_FALSE(model.DetachNode(&stranger));
    EXPECT_TRUE(model.DetachNode(b));
    EXPECT_EQ(1, model.GetChildCount(r1));
    EXPECT_EQ(2, model.GetRootCount());
}

TEST_F(TwoRootsTest, StructureQueries)
{
    Node* g = model.AddChildNode(a, Record(L"g"), false);
    EXPECT_TRUE(model.IsDescendantOrSelf(r1, g));
    EXPECT_TRUE(model.IsDescendantOrSelf(a, a));
    EXPECT_FALSE(model.IsDescendantOrSelf(a, r1));
    EXPECT_FALSE(model.IsDescendantOrSelf(r2, g));
    EXPECT_FALSE(model.IsDescendantOrSelf(nullptr, g));
    EXPECT_TRUE(model.IsRootNode(r2));
    EXPECT_FALSE(model.IsRootNode(a));
    EXPECT_EQ(1, model.RootPosition(r2));
    EXPECT_EQ(-1, model.RootPosition(g));
    EXPECT_TRUE(model.HasChildren(r1));
    EXPECT_FALSE(model.HasChildren(r2));
    model.SetChildMark(r2, 0);
    EXPECT_TRUE(model.HasChildren(r2)) << "a child mark counts as children";
}

TEST_F(TwoRootsTest, ChildPositionsWalkInOrderAndANullPositionThrows)
{
    POSITION pos = model.GetHeadPosition(r1);
    EXPECT_EQ(a, model.GetNextChild(r1, pos));
    EXPECT_EQ(b, model.GetNextChild(r1, pos));
    EXPECT_EQ(nullptr, pos);
    bool thrown = false;
    try {
        model.GetNextChild(r1, pos);
    } catch (CInvalidArgException* e) {
        const CThrownException<CInvalidArgException> owned(e);
        thrown = true;
    }
    EXPECT_TRUE(thrown);
}

TEST_F(TwoRootsTest, ExpandSubtreeShowsEveryLevelButIgnoresChildMarks)
{
    Node* g = model.AddChildNode(a, Record(L"g"), false);
    model.AddChildNode(g, Record(L"x"), false);
    model.SetChildMark(b, 0);
    model.SetCollapsed(b, true);
    int last = 0;
    model.ExpandSubtree(r1, last);
    EXPECT_EQ("R1,a,g,x,b,R2", RowTexts(rows));
    EXPECT_EQ(3, last) << "row of the child shown by the last expand";
    EXPECT_TRUE(model.IsCollapsed(b)) << "a mark without children is not expanded";
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(TreeGridModelTest, ExpandNodeHonoursChildMarks)
{
    Node* p = model.AddRootNode(Record(L"p"));
    model.SetChildMark(p, 1);
    model.SetCollapsed(p, true);
    EXPECT_EQ(0, model.ExpandNode(p, 0));
    EXPECT_FALSE(model.IsCollapsed(p));
    model.CollapseNode(p);
    EXPECT_TRUE(model.IsCollapsed(p));
}

TEST_F(TwoRootsTest, CopyWithTheBaseCloneGivesEmptyRecords)
{
    model.AddChildNode(a, Record(L"g"), false);
    model.ExpandNode(r1, 0);
    // r2 is expanded (fresh, no children): the copy gets a row at once.
    EXPECT_TRUE(model.CopyNodeUnder(r2, a));
    EXPECT_EQ("R1,a,b,R2,", RowTexts(rows));
    Node* copy = model.NodeAtRow(4);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(r2, copy->m_parent);
    EXPECT_EQ(CString(L""), model.GetData(copy)->m_text);
    EXPECT_EQ(0, model.GetData(copy)->m_subTexts.GetSize());
    EXPECT_EQ(1, model.GetChildCount(copy));
    EXPECT_TRUE(model.IsCollapsed(copy)) << "a copied parent with children ends collapsed";
    EXPECT_EQ(3, model.GetIndent(copy->m_children.GetHead()));
    EXPECT_EQ(CString(L"a"), model.GetData(a)->m_text) << "the source is not touched";
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(TwoRootsTest, CopyUnderACollapsedTargetHasNoRowUntilExpanded)
{
    EXPECT_TRUE(model.CopyNodeUnder(r1, r2));
    EXPECT_EQ("R1,R2", RowTexts(rows));
    EXPECT_EQ(3, model.GetChildCount(r1));
    EXPECT_FALSE(model.CopyNodeUnder(nullptr, a));
}

TEST_F(TwoRootsTest, CopyCallsTheCloneFunctionInPreOrder)
{
    model.AddChildNode(a, Record(L"g"), false);
    std::vector<std::string> cloned;
    model.SetCloneFunction([&](CItemInfo* info) -> CItemInfo* {
        cloned.push_back(Narrow(info->m_text));
        return Record(CString(L"copy of ") + info->m_text);
    });
    EXPECT_TRUE(model.CopyNodeUnder(r2, r1));
    EXPECT_EQ((std::vector<std::string>{"R1", "a", "g", "b"}), cloned);
    EXPECT_EQ("R1,R2,copy of R1", RowTexts(rows));
    ExpectRowsMirrorTree(model, rows);
}

TEST_F(TwoRootsTest, CopyIntoTheSourcesOwnSubtreeCopiesTheOriginalSubtreeOnce)
{
    EXPECT_TRUE(model.CopyNodeUnder(a, r1));
    std::vector<Node*> all;
    AllNodes(model, all);
    EXPECT_EQ(4u + 3u, all.size());
    EXPECT_TRUE(model.CopyNodeUnder(r1, r1));
    all.clear();
    AllNodes(model, all);
    EXPECT_EQ(7u + 6u, all.size());
}

TEST_F(TreeGridModelTest, DeleteAllOnAnEmptyGridDoesNothing)
{
    model.DeleteAllNodes();
    EXPECT_EQ(0, rows.m_deleteAllCalls);
    EXPECT_EQ(0, rows.m_repaints);
}

TEST_F(TreeGridModelTest, DeleteAllOnThirtyThousandRootsIsOneCallAndFreesEverything)
{
    const int roots = 30000;
    std::vector<Node*> groups;
    for (int i = 0; i < roots; ++i) {
        Node* root = model.AddRootNode(Record(L"root", {L"description"}, 1));
        if (i % 100 == 0) {
            groups.push_back(root);
            auto* note = Record(L"note", {L"comment"}, 2);
            note->SetCellList(0, new CStringList);
            note->GetCellList(0)->AddTail(L"choice");
            model.AddChildNode(root, note, false);
        }
    }
    model.ExpandNode(groups.back(), model.RowOfNode(groups.back()));
    ASSERT_EQ(roots + 1, rows.GetRowCount());
    EXPECT_EQ(roots - 100, model.RowOfNode(groups.back()));
    EXPECT_EQ(roots, model.RowOfNode(model.NodeAtRow(roots)));
    EXPECT_EQ(groups.back(), model.NodeAtRow(roots - 99)->m_parent);

    model.DeleteAllNodes();
    EXPECT_EQ(1, rows.m_deleteAllCalls);
    EXPECT_EQ(0, rows.m_rowsDeleted) << "no row is deleted one by one";
    EXPECT_EQ(0, rows.GetRowCount());
    EXPECT_EQ(0, model.GetRootCount());
    EXPECT_EQ(-1, rows.GetSelectedRow());

    // The grid fills again from scratch.
    Node* again = model.AddRootNode(Record(L"again"));
    EXPECT_EQ(0, model.GetRow(again));
    EXPECT_EQ("again", RowTexts(rows));
}

TEST_F(TwoRootsTest, StoreCellTextWritesTheRecordAndTheRow)
{
    model.StoreCellText(r2, 1, 0, L"renamed");
    EXPECT_EQ(CString(L"renamed"), model.GetData(r2)->m_text);
    EXPECT_EQ(CString(L"renamed"), rows.CellText(1, 0));
    model.StoreCellText(r2, 1, 2, L"third");
    ASSERT_EQ(2, model.GetData(r2)->m_subTexts.GetSize()) << "the array grows to the column";
    EXPECT_EQ(CString(L""), model.GetData(r2)->GetSubItemText(0));
    EXPECT_EQ(CString(L"third"), model.GetData(r2)->GetSubItemText(1));
    EXPECT_EQ(CString(L"third"), rows.CellText(1, 2));
}

TEST(ItemInfoTest, StartsEmptyAndRefusesSubTextsOutsideTheArray)
{
    CItemInfo info;
    EXPECT_EQ(0, info.m_itemData);
    EXPECT_EQ(-1, info.m_image);
    EXPECT_FALSE(info.m_check);
    EXPECT_EQ(CItemInfo::NoColour, info.m_rowColour);
    EXPECT_EQ(CItemInfo::NoColour, info.GetCellColour(0));
    info.m_subTexts.Add(L"one");
    EXPECT_EQ(CString(L"one"), info.GetSubItemText(0));
    for (int bad : {-1, 1}) {
        bool thrown = false;
        try {
            info.GetSubItemText(bad);
        } catch (CInvalidArgException* e) {
            const CThrownException<CInvalidArgException> owned(e);
            thrown = true;
        }
        EXPECT_TRUE(thrown) << "sub-text " << bad;
    }
    CItemInfo::CONTROLTYPE type = CItemInfo::edit;
    EXPECT_FALSE(info.GetControlType(0, type));
    info.SetControlType(0, CItemInfo::combobox);
    EXPECT_TRUE(info.GetControlType(0, type));
    EXPECT_EQ(CItemInfo::combobox, type);
}

TEST_F(TwoRootsTest, OperationsNeverResumeDrawingTheOwnerSuspended)
{
    rows.SetRedraw(false);  // the owner's own suspension
    model.ExpandNode(r1, 0);
    EXPECT_FALSE(rows.m_redraw);
    model.CollapseNode(r1);
    EXPECT_FALSE(rows.m_redraw);
    model.RemoveNode(r2, 1);
    EXPECT_FALSE(rows.m_redraw);
    model.DeleteAllNodes();
    EXPECT_FALSE(rows.m_redraw);
    rows.SetRedraw(true);
    EXPECT_TRUE(rows.m_redraw);
}

TEST(ItemInfoTest, DuplicateCopiesEverythingAndOwnsItsOwnLists)
{
    CItemInfo original;
    original.m_itemData = 42;
    original.m_text = L"name";
    original.m_subTexts.Add(L"one");
    original.m_subTexts.Add(L"two");
    original.m_check = true;
    original.m_image = 3;
    original.m_rowColour = 0x123456;
    original.SetCellColour(1, 0x00FF00);
    original.SetControlType(0, CItemInfo::combobox);
    original.SetCellList(0, new CStringList);
    original.GetCellList(0)->AddTail(L"choice");
    {
        CItemInfo* copy = original.Duplicate();
        EXPECT_EQ(42, copy->m_itemData);
        EXPECT_EQ(CString(L"name"), copy->m_text);
        ASSERT_EQ(2, copy->m_subTexts.GetSize());
        EXPECT_EQ(CString(L"two"), copy->m_subTexts[1]);
        EXPECT_TRUE(copy->m_check);
        EXPECT_EQ(3, copy->m_image);
        EXPECT_EQ(0x123456ul, copy->m_rowColour);
        EXPECT_EQ(0x00FF00ul, copy->GetCellColour(1));
        CItemInfo::CONTROLTYPE type = CItemInfo::edit;
        EXPECT_TRUE(copy->GetControlType(0, type));
        EXPECT_EQ(CItemInfo::combobox, type);
        ASSERT_NE(nullptr, copy->GetCellList(0));
        EXPECT_NE(original.GetCellList(0), copy->GetCellList(0)) << "a list of its own";
        EXPECT_EQ(CString(L"choice"), copy->GetCellList(0)->GetHead());
        delete copy;
    }
    EXPECT_EQ(CString(L"choice"), original.GetCellList(0)->GetHead()) << "the original's list survives the copy";
}

TEST(ItemInfoTest, OwnsItsChoiceListsAndFreesReplacedOnes)
{
    {
        CItemInfo info;
        info.SetCellList(1, new CStringList);
        info.GetCellList(1)->AddTail(L"x");
        info.SetCellList(1, new CStringList);  // the first list is freed here
        info.SetCellList(2, new CStringList);
        EXPECT_EQ(nullptr, info.GetCellList(0));
    }
    EXPECT_EQ(0, QB_LEAKS_NOW()) << "every list was freed";
}

// Nodes and records of every path (remove, detach, copy, clear, destruction
// of the model) are freed exactly once: AddressSanitizer stops the test on a
// double free or a use after free, and the leak check finds what was missed.
TEST(TreeGridOwnershipTest, EveryNodeAndRecordIsFreedOnce)
{
    {
        CVectorRowList rows;
        TestModel model(rows);
        model.SetCloneFunction([](CItemInfo* info) {
            auto* copy = new CItemInfo;
            copy->m_text = info->m_text;
            copy->SetCellList(0, new CStringList);
            return copy;
        });
        Node* g1 = model.AddRootNode(Record(L"g1"));
        Node* g2 = model.AddRootNode(Record(L"g2"));
        for (int i = 0; i < 5; ++i) {
            auto* note = Record(L"n");
            note->SetCellList(0, new CStringList);
            Node* n = model.AddChildNode(g1, note, false);
            model.AddChildNode(n, Record(L"d"), false);
        }
        model.ExpandNode(g1, 0);
        model.CopyNodeUnder(g2, g1);
        model.RemoveNode(model.NodeAtRow(1), 1);
        model.DetachNode(g2->m_children.GetHead()->m_children.GetHead());
        model.RemoveNode(g2, model.RowOfNode(g2));
        model.AddRootNode(nullptr);
        model.AddRootNode(Record(L"kept until the model goes"));
        model.DeleteAllNodes();
        Node* last = model.AddRootNode(Record(L"last"));
        model.AddChildNode(last, Record(L"child"), true);
    }
    EXPECT_EQ(0, QB_LEAKS_NOW());
}

// Random operations, checked after each against the tree itself and the
// row number the visible-tree walk gives.
TEST(TreeGridRandomTest, RowsAlwaysMirrorTheVisibleTree)
{
    std::mt19937 random(12345);
    for (int round = 0; round < 100; ++round) {
        CVectorRowList rows;
        TestModel model(rows);
        std::vector<Node*> nodes;
        auto refresh = [&] {
            nodes.clear();
            AllNodes(model, nodes);
        };
        auto pick = [&]() -> Node* {
            return nodes.empty() ? nullptr : nodes[random() % nodes.size()];
        };
        for (int step = 0; step < 150; ++step) {
            refresh();
            const int op = static_cast<int>(random() % 10);
            Node* n = pick();
            SCOPED_TRACE("round " + std::to_string(round) + " step " + std::to_string(step) + " op " + std::to_string(op) +
                         " rows before " + RowTexts(rows));
            switch (op) {
            case 0: model.AddRootNode(Record(L"r")); break;
            case 1:
            case 2: model.AddChildNode(n ? n : model.AddRootNode(Record(L"r")), Record(L"c"), random() % 2 == 0); break;
            case 3:
                if (n) model.ExpandNode(n, model.RowOfNode(n));
                break;
            case 4:
                if (n) model.CollapseNode(n);
                break;
            case 5:
                if (n && random() % 3 == 0) model.RemoveNode(n, model.RowOfNode(n));
                break;
            case 6:
                if (n) model.CopyNodeUnder(n, pick());
                break;
            case 7:
                if (n) {
                    int last = 0;
                    model.ExpandSubtree(n, last);
                }
                break;
            case 8:
                if (random() % 20 == 0) model.DeleteAllNodes();
                break;
            case 9:
                if (n && n->m_parent && model.RowOfNode(n) == -1) model.DetachNode(n);
                break;
            }
            ExpectRowsMirrorTree(model, rows);
            if (HasFatalFailure()) return;
            refresh();
            std::vector<Node*> visible;
            VisibleNodes(model, visible);
            for (Node* node : nodes) {
                const bool shown = std::find(visible.begin(), visible.end(), node) != visible.end();
                if (!shown) {
                    EXPECT_EQ(-1, model.RowOfNode(node));
                }
            }
        }
    }
}

}  // namespace
