// Page placement inside a tab control's client area.
#include "TabPlacement.h"

TabPagePlacement PlaceTabPage(unsigned long tabStyle, const ControlRect& itemRect, int rowCount,
                              int clientWidth, int clientHeight)
{
    TabPagePlacement page;
    const bool farSide = (tabStyle & kTabStyleRightOrBottom) != 0;
    if (tabStyle & kTabStyleVertical) {
        // Tabs form columns at the left, or at the right with TCS_RIGHT.
        const int strip = rowCount * itemRect.Width();
        page.x = farSide ? kTabPageMargin : strip + kTabPageMargin;
        page.y = kTabPageMargin;
        page.width = clientWidth - strip - 2 * kTabPageMargin;
        page.height = clientHeight - 2 * kTabPageMargin;
    } else {
        // Tabs form rows at the top, or at the bottom with TCS_BOTTOM.
        const int strip = rowCount * itemRect.Height();
        page.x = kTabPageMargin;
        page.y = farSide ? kTabPageMargin : strip + kTabPageMargin;
        page.width = clientWidth - 2 * kTabPageMargin;
        page.height = clientHeight - strip - 2 * kTabPageMargin;
    }
    if (page.width < 0) page.width = 0;
    if (page.height < 0) page.height = 0;
    return page;
}
