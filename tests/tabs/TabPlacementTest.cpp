// Placement of a page inside the tab control's client area, for tabs at the
// top, bottom, left and right, with one and more rows.
#include "controls/TabPlacement.h"

#include "tests/support/ExpectBox.h"

#include <gtest/gtest.h>

namespace {

// A tab 60 pixels wide and 20 high, as TCM_GETITEMRECT reports it.
const ControlRect kItem{2, 2, 62, 22};

TEST(TabPlacement, TopTabsOneRowLeaveTheStripAndAMargin)
{
    ExpectBox(PlaceTabPage(0, kItem, 1, 300, 200), 4, 20 + 4, 300 - 8, 200 - 20 - 8);
}

TEST(TabPlacement, TopTabsTwoRowsLeaveTwiceTheStrip)
{
    ExpectBox(PlaceTabPage(0, kItem, 2, 300, 200), 4, 2 * 20 + 4, 300 - 8, 200 - 2 * 20 - 8);
}

TEST(TabPlacement, BottomTabsKeepThePageAtTheTop)
{
    ExpectBox(PlaceTabPage(kTabStyleRightOrBottom, kItem, 1, 300, 200), 4, 4, 300 - 8, 200 - 20 - 8);
}

TEST(TabPlacement, VerticalTabsAtTheLeftPushThePageRight)
{
    ExpectBox(PlaceTabPage(kTabStyleVertical, kItem, 1, 300, 200), 60 + 4, 4, 300 - 60 - 8, 200 - 8);
}

TEST(TabPlacement, VerticalTabsAtTheRightKeepThePageLeft)
{
    ExpectBox(PlaceTabPage(kTabStyleVertical | kTabStyleRightOrBottom, kItem, 1, 300, 200), 4, 4, 300 - 60 - 8,
               200 - 8);
}

TEST(TabPlacement, VerticalTabsWithTwoColumns)
{
    ExpectBox(PlaceTabPage(kTabStyleVertical, kItem, 2, 300, 200), 2 * 60 + 4, 4, 300 - 2 * 60 - 8, 200 - 8);
}

TEST(TabPlacement, OtherStyleBitsDoNotMoveThePage)
{
    // TCS_MULTILINE (0x200) and TCS_FOCUSONBUTTONDOWN (0x1000) leave the strip at the top.
    ExpectBox(PlaceTabPage(0x200 | 0x1000, kItem, 1, 300, 200), 4, 24, 292, 172);
}

TEST(TabPlacement, ATooSmallClientAreaGivesAnEmptyPageNotANegativeOne)
{
    ExpectBox(PlaceTabPage(0, kItem, 1, 6, 25), 4, 24, 0, 0);
}

TEST(TabPlacement, RoomForAPageNeedsBothExtents)
{
    EXPECT_FALSE(TabClientHasRoom(0, 100));
    EXPECT_FALSE(TabClientHasRoom(100, 0));
    EXPECT_TRUE(TabClientHasRoom(1, 1));
}

} // namespace
