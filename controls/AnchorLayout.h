// The resize control's arithmetic on plain rectangles: shares of the
// parent's size change with carried remainders (so a child that is made
// smaller and larger again returns to the same place), the sizing-border
// drag of a window without a border of its own, and the size grip's corner.
#pragma once

#include "ControlRect.h"

constexpr int kAnchorShareScale = 100;

// One registered child's shares (0..scale) and the fractions of a pixel,
// in units of 1/scale, carried from one size change to the next.
struct AnchorItem {
    int leftRemainder = 0;
    int topRemainder = 0;
    int widthRemainder = 0;
    int heightRemainder = 0;
    int leftShare = 0;
    int topShare = 0;
    int widthShare = 0;
    int heightShare = 0;
};

// A child's rectangle in the parent's client coordinates.
using AnchorBox = ControlBox;

// Shares are accepted when each lies in 0..scale and neither edge plus its
// extent goes past the whole.
bool AnchorSharesValid(int leftShare, int topShare, int widthShare, int heightShare, int scale);

// Applies a change of the parent's client size (dx, dy) to one child. Updates
// the box and the item's remainders; returns true when the child must be
// moved (some share turned a nonzero change into a step).
bool ApplyAnchor(AnchorItem& item, AnchorBox& box, int dx, int dy, int scale);

// Hit-test codes of the window border (the platform's HTLEFT .. HTBOTTOMRIGHT).
enum AnchorHitCode {
    kHitLeft = 10,
    kHitRight = 11,
    kHitTop = 12,
    kHitTopLeft = 13,
    kHitTopRight = 14,
    kHitBottom = 15,
    kHitBottomLeft = 16,
    kHitBottomRight = 17,
};

// A border drag in progress: the part being dragged (0 when none) and the
// distance from the cursor to the dragged edge(s) when it began.
struct EdgeDrag {
    int hitCode = 0;
    int offsetX = 0;
    int offsetY = 0;
};

// Starts a drag of the border part `hitCode` of `window` with the cursor at
// (cursorX, cursorY); a code that names no edge gives hitCode 0.
EdgeDrag BeginEdgeDrag(int hitCode, const ControlRect& window, int cursorX, int cursorY);

// The window rectangle after the cursor moved to (cursorX, cursorY) during `drag`.
ControlRect DragEdges(const EdgeDrag& drag, const ControlRect& window, int cursorX, int cursorY);

// Moves each edge of `window` by the difference between the outer rectangles
// that the same client rectangle needs under the old and the new style, so
// the client area keeps its size when the frame changes.
ControlRect KeepClientArea(const ControlRect& window, const ControlRect& outerOld, const ControlRect& outerNew);

// The size grip: the client area's bottom-right corner, a scroll bar wide and high.
ControlRect GripRect(const ControlRect& client, int scrollBarWidth, int scrollBarHeight);
