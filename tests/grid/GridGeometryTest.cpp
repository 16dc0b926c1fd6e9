// The expand button's box and hit test, and the tree lines a row gets.
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

}  // namespace
