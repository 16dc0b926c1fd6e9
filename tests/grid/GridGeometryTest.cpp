// The expand button's box and hit test, the tree lines a row gets, where the
// parts of an owner-drawn row go, and the drag's scroll zones.
#include "controls/CTreeGridModel.h"
#include "controls/CVectorRowList.h"
#include "controls/GridGeometry.h"

#include <gtest/gtest.h>

#include <ostream>

static bool operator==(const GridLine& a, const GridLine& b)
{
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

static std::ostream& operator<<(std::ostream& out, const GridLine& l)
{
    return out << "(" << l.x1 << "," << l.y1 << ")-(" << l.x2 << "," << l.y2 << ")";
}

static bool operator==(const GridRect& a, const GridRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static std::ostream& operator<<(std::ostream& out, const GridRect& r)
{
    return out << "[" << r.left << "," << r.top << " " << r.right << "," << r.bottom << ")";
}

namespace {

using Node = CTreeGridModel::CTreeItem;

TEST(ExpandButtonTest, SixteenPixelCellsAtLevelOne)
{
    const ExpandButton b = ExpandButtonAt(0, 0, 16, 16, 16, 1);
    EXPECT_EQ(8, b.centreX);
    EXPECT_EQ(8, b.centreY);
    EXPECT_EQ(3, b.box.left);
    EXPECT_EQ(3, b.box.top);
    EXPECT_EQ(14, b.box.right);
    EXPECT_EQ(14, b.box.bottom);
    EXPECT_TRUE(ExpandButtonHit(b, 3, 3));
    EXPECT_TRUE(ExpandButtonHit(b, 13, 13));
    EXPECT_FALSE(ExpandButtonHit(b, 14, 8));
    EXPECT_FALSE(ExpandButtonHit(b, 8, 14));
    EXPECT_FALSE(ExpandButtonHit(b, 2, 8));
}

TEST(ExpandButtonTest, DeeperLevelsMoveRightAndTallRowsCentreVertically)
{
    const ExpandButton b = ExpandButtonAt(-5, 40, 60, 16, 16, 3);
    EXPECT_EQ(-5 + 48 - 8, b.centreX);
    EXPECT_EQ(40 + 2 + 8, b.centreY);
    EXPECT_EQ(b.centreX - 5, b.box.left);
}

TEST(ExpandButtonTest, ZeroImageSizeGivesAThreePixelBox)
{
    const ExpandButton b = ExpandButtonAt(0, 0, 16, 0, 0, 2);
    EXPECT_EQ(3, b.box.right - b.box.left);
    EXPECT_EQ(3, b.box.bottom - b.box.top);
}

// R (a, b (g, h)), S; R and b expanded: rows R a b g h S.
class TreeLinesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        r = model.AddRootNode(nullptr);
        a = model.AddChildNode(r, nullptr, false);
        b = model.AddChildNode(r, nullptr, false);
        g = model.AddChildNode(b, nullptr, false);
        h = model.AddChildNode(b, nullptr, false);
        s = model.AddRootNode(nullptr);
        model.ExpandNode(r, 0);
        model.ExpandNode(b, 2);
    }
    TreeLinePlan Plan(Node* node)
    {
        const int row = model.RowOfNode(node);
        const GridRect bounds{0, row * 16, 300, row * 16 + 16};
        return PlanTreeLines(node, row, node->m_indent, bounds, 200, 16, 16);
    }

    CVectorRowList rows;
    CTreeGridModel model{rows};
    Node *r, *a, *b, *g, *h, *s;
};

TEST_F(TreeLinesTest, RootsGetNoLinesButAButtonWhenTheyHaveChildren)
{
    TreeLinePlan plan = Plan(r);
    EXPECT_TRUE(plan.lines.empty());
    ASSERT_TRUE(plan.hasButton);
    EXPECT_FALSE(plan.plus) << "expanded: minus only";
    EXPECT_EQ((GridLine{6, 8, 11, 8}), plan.minus);
    ASSERT_TRUE(plan.joinsFirstChild);
    EXPECT_EQ((GridLine{24, 16, 24, 16}), plan.join) << "from under the icon to the row's bottom";
    plan = Plan(s);
    EXPECT_TRUE(plan.lines.empty());
    EXPECT_FALSE(plan.hasButton);
}

TEST_F(TreeLinesTest, MiddleChildGetsAFullVerticalWithAStub)
{
    const TreeLinePlan plan = Plan(a);  // row 1, level 2: x = 32 - 8 = 24
    ASSERT_EQ(2u, plan.lines.size());
    EXPECT_EQ((GridLine{24, 24, 32, 24}), plan.lines[0]);
    EXPECT_EQ((GridLine{24, 16, 24, 32}), plan.lines[1]);
    EXPECT_FALSE(plan.hasButton);
}

TEST_F(TreeLinesTest, LastChildGetsAnLShape)
{
    const TreeLinePlan plan = Plan(b);  // row 2
    ASSERT_EQ(2u, plan.lines.size());
    EXPECT_EQ((GridLine{24, 32, 24, 40}), plan.lines[0]);
    EXPECT_EQ((GridLine{24, 40, 32, 40}), plan.lines[1]);
    ASSERT_TRUE(plan.hasButton);
}

TEST_F(TreeLinesTest, DeeperRowsPassThroughOnlyForAncestorsWithLaterChildren)
{
    // g: middle child of b; b is the last child of R, so no line at level 2.
    TreeLinePlan plan = Plan(g);  // row 3, level 3: x = 48 - 8 = 40
    ASSERT_EQ(2u, plan.lines.size());
    EXPECT_EQ((GridLine{40, 56, 48, 56}), plan.lines[0]);
    EXPECT_EQ((GridLine{40, 48, 40, 64}), plan.lines[1]);

    // Collapse b and give R a later child c: now g's rows are gone, but a
    // child of a (shown) passes R's line through level 2.
    model.CollapseNode(b);
    Node* x = model.AddChildNode(a, nullptr, true);
    model.ExpandNode(a, 1);
    ASSERT_EQ(2, model.RowOfNode(x));
    plan = Plan(x);  // row 2, level 3, a has later sibling b
    ASSERT_EQ(3u, plan.lines.size());
    EXPECT_EQ((GridLine{40, 32, 40, 40}), plan.lines[0]) << "x is a's last child";
    EXPECT_EQ((GridLine{40, 40, 48, 40}), plan.lines[1]);
    EXPECT_EQ((GridLine{24, 32, 24, 48}), plan.lines[2]) << "pass-through for b below";
}

TEST_F(TreeLinesTest, CollapsedParentGetsThePlusBarAndNoJoin)
{
    model.CollapseNode(b);
    const TreeLinePlan plan = Plan(b);
    ASSERT_TRUE(plan.hasButton);
    EXPECT_TRUE(plan.plus);
    EXPECT_EQ((GridLine{24, 38, 24, 43}), plan.bar) << "b is at level 2, row 2";
    EXPECT_FALSE(plan.joinsFirstChild);
}

TEST_F(TreeLinesTest, StubsStopAtTheFirstColumnsEdge)
{
    const int row = model.RowOfNode(a);
    const TreeLinePlan plan = PlanTreeLines(a, row, 2, GridRect{0, 16, 300, 32}, 28, 16, 16);
    ASSERT_EQ(2u, plan.lines.size());
    EXPECT_EQ(28, plan.lines[0].x2);
}

// A row at level 1 with 16-pixel images, 18 pixels high at y 20, a first
// column 200 wide and two more columns of 150 and 100.
GridRowInput LevelOneRow()
{
    GridRowInput row;
    row.item = GridRect{0, 20, 400, 38};
    row.bounds = GridRect{0, 20, 450, 38};
    row.label = GridRect{34, 20, 200, 38};
    row.clip = GridRect{0, 0, 400, 300};
    row.level = 1;
    row.imageWidth = 16;
    row.imageHeight = 16;
    row.firstColumnWidth = 200;
    row.columnWidths = {150, 100};
    return row;
}

TEST(RowLayoutTest, PartsOfARowThatFitsItsFirstColumn)
{
    const GridRowPlan plan = PlanRow(LevelOneRow());
    EXPECT_TRUE(plan.drawsIcon);
    EXPECT_EQ(16, plan.iconX) << "one image cell in per level";
    EXPECT_EQ(21, plan.iconY) << "centred in the 18-pixel row";
    EXPECT_EQ(0, plan.iconWidth) << "the whole image";
    EXPECT_EQ((GridRect{34, 20, 400, 38}), plan.background) << "right of the icon and 2 pixels of space";
    EXPECT_EQ((GridRect{34, 20, 200, 38}), plan.labelArea);
    EXPECT_EQ((GridRect{36, 20, 198, 38}), plan.firstText);
    EXPECT_FALSE(plan.drawsStateImage) << "no state image";
    ASSERT_EQ(2u, plan.cells.size());
    EXPECT_EQ((GridRect{200, 20, 350, 38}), plan.cells[0].cell) << "from the label's right edge";
    EXPECT_EQ((GridRect{206, 20, 344, 38}), plan.cells[0].textRect);
    EXPECT_EQ((GridRect{350, 20, 450, 38}), plan.cells[1].cell);
    EXPECT_TRUE(plan.cells[0].needsPaint);
    EXPECT_TRUE(plan.cells[1].needsPaint) << "it begins inside the clip box";
}

TEST(RowLayoutTest, NarrowFirstColumnClipsTheIconThenDropsIt)
{
    GridRowInput row = LevelOneRow();
    row.firstColumnWidth = 40;
    row.level = 2;  // the cell would end at 48, past 40 - 2
    GridRowPlan plan = PlanRow(row);
    EXPECT_TRUE(plan.drawsIcon);
    EXPECT_EQ(8, plan.iconWidth) << "what is left of the first column";
    EXPECT_EQ(40, plan.background.left) << "never beyond the first column";

    row.level = 3;
    plan = PlanRow(row);
    EXPECT_FALSE(plan.drawsIcon) << "the cell starts past the first column";

    // Just fitting: a cell that ends 2 pixels before the edge is drawn whole.
    row.level = 1;
    row.firstColumnWidth = 34;
    EXPECT_EQ(0, PlanRow(row).iconWidth);
    row.firstColumnWidth = 33;
    EXPECT_EQ(17, PlanRow(row).iconWidth);
}

TEST(RowLayoutTest, HorizontalScrollMovesTheIconAndTheStateImage)
{
    GridRowInput row = LevelOneRow();
    row.bounds.left = -50;
    row.stateImageWidth = 16;
    GridRowPlan plan = PlanRow(row);
    EXPECT_EQ(-34, plan.iconX);
    ASSERT_TRUE(plan.drawsStateImage);
    EXPECT_EQ(-18, plan.stateImageX) << "one state image in from the icon";

    row.bounds.left = 0;
    row.firstColumnWidth = 48;  // (1 + 1) * 16 + 16 = 48 does not fit
    plan = PlanRow(row);
    EXPECT_FALSE(plan.drawsStateImage);
}

TEST(RowLayoutTest, CellsOutsideTheClipBoxOrWithoutWidthAreNotPainted)
{
    GridRowInput row = LevelOneRow();
    row.clip = GridRect{0, 0, 350, 300};
    row.columnWidths = {150, 100, 0, 30};
    const GridRowPlan plan = PlanRow(row);
    ASSERT_EQ(4u, plan.cells.size());
    EXPECT_TRUE(plan.cells[0].needsPaint);
    EXPECT_FALSE(plan.cells[1].needsPaint) << "starts where the clip box ends";
    EXPECT_FALSE(plan.cells[2].needsPaint) << "no width";
    EXPECT_EQ((GridRect{450, 20, 480, 38}), plan.cells[3].cell) << "the empty column takes no room";

    row.clip = GridRect{201, 0, 400, 300};
    EXPECT_TRUE(PlanRow(row).cells[0].needsPaint) << "a clip box inside the cell";
    row.clip = GridRect{350, 0, 400, 300};
    EXPECT_FALSE(PlanRow(row).cells[0].needsPaint) << "ends where the clip box begins";
}

TEST(RowLayoutTest, DropDownArrowTakesTheRightEndOfItsCell)
{
    EXPECT_EQ((GridRect{283, 20, 300, 38}), DropDownArrowRect(GridRect{200, 20, 300, 38}, 17));
}

TEST(DragScrollTest, TheTopAndBottomZonesAreOneImageHigh)
{
    EXPECT_EQ(DragScroll::Up, DragScrollAt(0, 200, 16));
    EXPECT_EQ(DragScroll::Up, DragScrollAt(16, 200, 16));
    EXPECT_EQ(DragScroll::None, DragScrollAt(17, 200, 16));
    EXPECT_EQ(DragScroll::None, DragScrollAt(183, 200, 16));
    EXPECT_EQ(DragScroll::Down, DragScrollAt(184, 200, 16));
    EXPECT_EQ(DragScroll::Down, DragScrollAt(200, 200, 16));
    EXPECT_EQ(DragScroll::None, DragScrollAt(201, 200, 16)) << "below the list";
    EXPECT_EQ(DragScroll::None, DragScrollAt(-1, 200, 16)) << "above the list";
    // Without an image size the zones are the first and last pixel rows.
    EXPECT_EQ(DragScroll::Up, DragScrollAt(0, 200, 0));
    EXPECT_EQ(DragScroll::None, DragScrollAt(1, 200, 0));
    EXPECT_EQ(DragScroll::Down, DragScrollAt(200, 200, 0));
}

}  // namespace
