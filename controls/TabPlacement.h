// Where a dialog page goes inside a tab control: a 4-pixel margin on every
// side of the client area, minus the tab strip, which is measured as the
// page's own tab rectangle times the number of tab rows.
#pragma once

#include "ControlRect.h"

// Tab-control style bits that decide where the strip lies.
constexpr unsigned long kTabStyleVertical = 0x80;      // TCS_VERTICAL
constexpr unsigned long kTabStyleRightOrBottom = 0x02; // TCS_RIGHT / TCS_BOTTOM
constexpr int kTabPageMargin = 4;

// The page's rectangle in the tab control's client coordinates.
using TabPagePlacement = ControlBox;

// The page's position and size for a client area of clientWidth x clientHeight.
// Width and height never go below 0.
TabPagePlacement PlaceTabPage(unsigned long tabStyle, const ControlRect& itemRect, int rowCount,
                              int clientWidth, int clientHeight);

// A page is placed at add time only when the client area has room at all.
inline bool TabClientHasRoom(int clientWidth, int clientHeight)
{
    return clientWidth >= 1 && clientHeight >= 1;
}
