// Anchoring arithmetic: shares of the parent's size change, carried
// remainders, clamping at zero, share validation, border dragging and the
// client-keeping frame change.
#include "controls/AnchorLayout.h"

#include "tests/support/ExpectBox.h"

#include <gtest/gtest.h>

namespace {

AnchorItem Shares(int left, int top, int width, int height)
{
    AnchorItem item;
    item.leftShare = left;
    item.topShare = top;
    item.widthShare = width;
    item.heightShare = height;
    return item;
}

TEST(AnchorLayout, FullWidthShareTakesTheWholeWidening)
{
    AnchorItem item = Shares(0, 0, 100, 0);
    AnchorBox box{10, 20, 200, 50};
    EXPECT_TRUE(ApplyAnchor(item, box, 37, 0, kAnchorShareScale));
    ExpectBox(box, 10, 20, 237, 50);
    EXPECT_EQ(item.widthRemainder, 0);
}

TEST(AnchorLayout, HalfSharesCarryTheOddPixelToTheNextChange)
{
    AnchorItem item = Shares(0, 50, 0, 50);
    AnchorBox box{0, 100, 300, 80};
    EXPECT_TRUE(ApplyAnchor(item, box, 0, 7, kAnchorShareScale));
    ExpectBox(box, 0, 103, 300, 83);
    EXPECT_EQ(item.topRemainder, 50);
    EXPECT_EQ(item.heightRemainder, 50);

    EXPECT_TRUE(ApplyAnchor(item, box, 0, 1, kAnchorShareScale));
    ExpectBox(box, 0, 104, 300, 84);
    EXPECT_EQ(item.topRemainder, 0);
    EXPECT_EQ(item.heightRemainder, 0);
}

TEST(AnchorLayout, GrowingAndShrinkingBackRestoresEveryChild)
{
    // The main dialog's three children.
    AnchorItem list = Shares(0, 0, 100, 50);
    AnchorItem tabs = Shares(0, 50, 100, 50);
    AnchorItem group = Shares(0, 0, 100, 0);
    AnchorBox listBox{7, 40, 400, 151}, tabsBox{7, 195, 400, 133}, groupBox{7, 2, 400, 30};
    const AnchorBox listStart = listBox, tabsStart = tabsBox, groupStart = groupBox;

    const int steps[][2] = {{7, 7}, {-7, -7}, {13, 5}, {-3, 9}, {-10, -14}};
    for (const auto& step : steps) {
        ApplyAnchor(list, listBox, step[0], step[1], kAnchorShareScale);
        ApplyAnchor(tabs, tabsBox, step[0], step[1], kAnchorShareScale);
        ApplyAnchor(group, groupBox, step[0], step[1], kAnchorShareScale);
    }
    ExpectBox(listBox, listStart.x, listStart.y, listStart.width, listStart.height);
    ExpectBox(tabsBox, tabsStart.x, tabsStart.y, tabsStart.width, tabsStart.height);
    ExpectBox(groupBox, groupStart.x, groupStart.y, groupStart.width, groupStart.height);
    EXPECT_EQ(list.heightRemainder, 0);
    EXPECT_EQ(tabs.topRemainder, 0);
}

TEST(AnchorLayout, TheTwoHalvesOfAnOddChangeStayAdjacent)
{
    // List above, tab control below: the list's bottom edge and the tab
    // control's top edge keep their 4-pixel gap through odd changes.
    AnchorItem list = Shares(0, 0, 100, 50);
    AnchorItem tabs = Shares(0, 50, 100, 50);
    AnchorBox listBox{0, 0, 100, 100}, tabsBox{0, 104, 100, 100};
    for (int dy : {7, 1, 3, -5, 9}) {
        ApplyAnchor(list, listBox, 0, dy, kAnchorShareScale);
        ApplyAnchor(tabs, tabsBox, 0, dy, kAnchorShareScale);
        EXPECT_EQ(tabsBox.y - (listBox.y + listBox.height), 4) << "after a change of " << dy;
    }
}

TEST(AnchorLayout, ShrinkingPastZeroStopsTheHeightAndGrowsBackInStep)
{
    AnchorItem item = Shares(0, 0, 0, 50);
    AnchorBox box{0, 0, 100, 10};
    EXPECT_TRUE(ApplyAnchor(item, box, 0, -30, kAnchorShareScale));
    EXPECT_EQ(box.height, 0);
    EXPECT_EQ(item.heightRemainder, -500) << "the five pixels lost below zero are kept";

    EXPECT_FALSE(ApplyAnchor(item, box, 0, 10, kAnchorShareScale)) << "the first 5 pixels pay back the lost ones";
    EXPECT_EQ(box.height, 0);
    EXPECT_EQ(item.heightRemainder, 0);
    EXPECT_TRUE(ApplyAnchor(item, box, 0, 20, kAnchorShareScale));
    EXPECT_EQ(box.height, 10);
    EXPECT_EQ(item.heightRemainder, 0);
}

TEST(AnchorLayout, GrowingBackInSmallStepsRestoresAClampedHeight)
{
    AnchorItem item = Shares(0, 0, 0, 50);
    AnchorBox box{0, 0, 100, 10};
    ApplyAnchor(item, box, 0, -30, kAnchorShareScale);
    ASSERT_EQ(box.height, 0);
    for (int step = 0; step < 30; ++step)
        ApplyAnchor(item, box, 0, 1, kAnchorShareScale);
    EXPECT_EQ(box.height, 10);
    EXPECT_EQ(item.heightRemainder, 0);
}

TEST(AnchorLayout, OnePixelJitterDoesNotMakeAChildDrift)
{
    AnchorItem item = Shares(50, 50, 50, 50);
    AnchorBox box{20, 30, 100, 80};
    for (int round = 0; round < 4; ++round) {
        ApplyAnchor(item, box, 1, 1, kAnchorShareScale);
        ApplyAnchor(item, box, -1, -1, kAnchorShareScale);
        ExpectBox(box, 20, 30, 100, 80);
        EXPECT_EQ(item.leftRemainder, 0) << "after round " << round;
        EXPECT_EQ(item.widthRemainder, 0) << "after round " << round;
    }
}

TEST(AnchorLayout, WidthClampsAtZeroToo)
{
    AnchorItem item = Shares(0, 0, 100, 0);
    AnchorBox box{5, 5, 20, 20};
    ApplyAnchor(item, box, -35, 0, kAnchorShareScale);
    EXPECT_EQ(box.width, 0);
    ApplyAnchor(item, box, 35, 0, kAnchorShareScale);
    EXPECT_EQ(box.width, 20);
}

TEST(AnchorLayout, NoShareOrNoChangeMeansNoMove)
{
    AnchorItem fixed = Shares(0, 0, 0, 0);
    AnchorBox box{1, 2, 3, 4};
    EXPECT_FALSE(ApplyAnchor(fixed, box, 50, 50, kAnchorShareScale));
    ExpectBox(box, 1, 2, 3, 4);

    AnchorItem moving = Shares(50, 50, 50, 50);
    EXPECT_FALSE(ApplyAnchor(moving, box, 0, 0, kAnchorShareScale));
    ExpectBox(box, 1, 2, 3, 4);
}

TEST(AnchorLayout, ASmallChangeBelowAPixelStillCountsAndIsCarried)
{
    AnchorItem item = Shares(30, 0, 0, 0);
    AnchorBox box{10, 0, 10, 10};
    EXPECT_TRUE(ApplyAnchor(item, box, 1, 0, kAnchorShareScale));
    EXPECT_EQ(box.x, 10);
    EXPECT_EQ(item.leftRemainder, 30);
    ApplyAnchor(item, box, 1, 0, kAnchorShareScale);
    ApplyAnchor(item, box, 1, 0, kAnchorShareScale);
    EXPECT_EQ(box.x, 10);
    ApplyAnchor(item, box, 1, 0, kAnchorShareScale);
    EXPECT_EQ(box.x, 11);
    EXPECT_EQ(item.leftRemainder, 20);
}

TEST(AnchorLayout, NegativeRemaindersKeepTheSignOfTheChange)
{
    AnchorItem item = Shares(50, 0, 0, 0);
    AnchorBox box{100, 0, 10, 10};
    ApplyAnchor(item, box, -7, 0, kAnchorShareScale);
    EXPECT_EQ(box.x, 97);
    EXPECT_EQ(item.leftRemainder, -50);
    ApplyAnchor(item, box, -1, 0, kAnchorShareScale);
    EXPECT_EQ(box.x, 96);
    EXPECT_EQ(item.leftRemainder, 0);
}

TEST(AnchorLayout, SharesMustFitTheScale)
{
    EXPECT_FALSE(AnchorSharesValid(60, 0, 50, 0, 100));
    EXPECT_TRUE(AnchorSharesValid(0, 50, 100, 50, 100));
    EXPECT_FALSE(AnchorSharesValid(0, 60, 0, 50, 100));
    EXPECT_FALSE(AnchorSharesValid(-1, 0, 0, 0, 100));
    EXPECT_FALSE(AnchorSharesValid(0, 0, 101, 0, 100));
    EXPECT_TRUE(AnchorSharesValid(100, 100, 0, 0, 100));
}

TEST(AnchorLayout, DraggingTheBottomRightCornerKeepsTheGrabOffset)
{
    const ControlRect window{100, 100, 400, 300};
    const EdgeDrag drag = BeginEdgeDrag(kHitBottomRight, window, 397, 298);
    EXPECT_EQ(drag.hitCode, kHitBottomRight);
    EXPECT_EQ(drag.offsetX, 3);
    EXPECT_EQ(drag.offsetY, 2);
    EXPECT_EQ(DragEdges(drag, window, 417, 328), (ControlRect{100, 100, 420, 330}));
}

TEST(AnchorLayout, DraggingTheLeftEdgeMovesOnlyTheLeft)
{
    const ControlRect window{100, 100, 400, 300};
    const EdgeDrag drag = BeginEdgeDrag(kHitLeft, window, 102, 150);
    EXPECT_EQ(drag.offsetX, -2);
    EXPECT_EQ(drag.offsetY, 0);
    EXPECT_EQ(DragEdges(drag, window, 82, 500), (ControlRect{80, 100, 400, 300}));
}

TEST(AnchorLayout, DraggingTheTopRightCorner)
{
    const ControlRect window{100, 100, 400, 300};
    const EdgeDrag drag = BeginEdgeDrag(kHitTopRight, window, 399, 101);
    EXPECT_EQ(DragEdges(drag, window, 409, 91), (ControlRect{100, 90, 410, 300}));
}

TEST(AnchorLayout, APressOutsideTheBorderStartsNoDrag)
{
    const ControlRect window{0, 0, 10, 10};
    EXPECT_EQ(BeginEdgeDrag(2 /* HTCAPTION */, window, 5, 5).hitCode, 0);
    EXPECT_EQ(BeginEdgeDrag(18 /* HTBORDER */, window, 5, 5).hitCode, 0);
    const EdgeDrag none = BeginEdgeDrag(1, window, 5, 5);
    EXPECT_EQ(DragEdges(none, window, 50, 50), window);
}

TEST(AnchorLayout, AddingAFrameGrowsTheWindowByTheFrameOnEachSide)
{
    // Outer rectangles for client {0,0,200,100}: without and with a 4-pixel sizing frame.
    const ControlRect outerOld{-3, -22, 203, 103};
    const ControlRect outerNew{-7, -26, 207, 107};
    EXPECT_EQ(KeepClientArea(ControlRect{50, 60, 256, 185}, outerOld, outerNew), (ControlRect{46, 56, 260, 189}));
    EXPECT_EQ(KeepClientArea(ControlRect{46, 56, 260, 189}, outerNew, outerOld), (ControlRect{50, 60, 256, 185}));
}

TEST(AnchorLayout, TheGripSitsInTheBottomRightCorner)
{
    EXPECT_EQ(GripRect(ControlRect{0, 0, 300, 200}, 17, 16), (ControlRect{283, 184, 300, 200}));
}

} // namespace
