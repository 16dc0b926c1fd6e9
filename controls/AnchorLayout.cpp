// Anchoring arithmetic of the resize control.
#include "AnchorLayout.h"

namespace {

bool InRange(int share, int scale) { return share >= 0 && share <= scale; }

// Moves an edge by its share of the change; true when the child changed.
// A change that exactly pays back the carried fraction (v == 0) still
// consumes it: keeping the old remainder would make a child drift by a
// pixel each time the parent is made one pixel larger and smaller again.
bool ShiftEdge(int share, int delta, int& remainder, int& position, int scale)
{
    if (share <= 0) return false;
    const int v = share * delta + remainder;
    remainder = v % scale;
    if (v == 0) return false;
    position += v / scale;
    return true;
}

// Grows or shrinks an extent by its share, as an edge moves; an extent pushed
// below zero stops at 0 and keeps the lost pixels in the remainder, so it
// grows back in step.
bool ResizeExtent(int share, int delta, int& remainder, int& extent, int scale)
{
    if (!ShiftEdge(share, delta, remainder, extent, scale)) return false;
    if (extent < 0) {
        remainder = scale * extent + remainder;
        extent = 0;
    }
    return true;
}

} // namespace

bool AnchorSharesValid(int leftShare, int topShare, int widthShare, int heightShare, int scale)
{
    return InRange(leftShare, scale) && InRange(topShare, scale) && InRange(widthShare, scale) &&
           InRange(heightShare, scale) && leftShare + widthShare <= scale && topShare + heightShare <= scale;
}

bool ApplyAnchor(AnchorItem& item, AnchorBox& box, int dx, int dy, int scale)
{
    bool changed = false;
    changed |= ShiftEdge(item.leftShare, dx, item.leftRemainder, box.x, scale);
    changed |= ResizeExtent(item.widthShare, dx, item.widthRemainder, box.width, scale);
    changed |= ShiftEdge(item.topShare, dy, item.topRemainder, box.y, scale);
    changed |= ResizeExtent(item.heightShare, dy, item.heightRemainder, box.height, scale);
    return changed;
}

namespace {

bool DragsLeft(int code) { return code == kHitLeft || code == kHitTopLeft || code == kHitBottomLeft; }
bool DragsRight(int code) { return code == kHitRight || code == kHitTopRight || code == kHitBottomRight; }
bool DragsTop(int code) { return code == kHitTop || code == kHitTopLeft || code == kHitTopRight; }
bool DragsBottom(int code) { return code == kHitBottom || code == kHitBottomLeft || code == kHitBottomRight; }

} // namespace

EdgeDrag BeginEdgeDrag(int hitCode, const ControlRect& window, int cursorX, int cursorY)
{
    EdgeDrag drag;
    if (hitCode < kHitLeft || hitCode > kHitBottomRight) return drag;
    drag.hitCode = hitCode;
    if (DragsLeft(hitCode)) drag.offsetX = window.left - cursorX;
    if (DragsRight(hitCode)) drag.offsetX = window.right - cursorX;
    if (DragsTop(hitCode)) drag.offsetY = window.top - cursorY;
    if (DragsBottom(hitCode)) drag.offsetY = window.bottom - cursorY;
    return drag;
}

ControlRect DragEdges(const EdgeDrag& drag, const ControlRect& window, int cursorX, int cursorY)
{
    ControlRect moved = window;
    const int x = cursorX + drag.offsetX;
    const int y = cursorY + drag.offsetY;
    if (DragsLeft(drag.hitCode)) moved.left = x;
    if (DragsRight(drag.hitCode)) moved.right = x;
    if (DragsTop(drag.hitCode)) moved.top = y;
    if (DragsBottom(drag.hitCode)) moved.bottom = y;
    return moved;
}

ControlRect KeepClientArea(const ControlRect& window, const ControlRect& outerOld, const ControlRect& outerNew)
{
    ControlRect moved = window;
    moved.left += outerNew.left - outerOld.left;
    moved.top += outerNew.top - outerOld.top;
    moved.right += outerNew.right - outerOld.right;
    moved.bottom += outerNew.bottom - outerOld.bottom;
    return moved;
}

ControlRect GripRect(const ControlRect& client, int scrollBarWidth, int scrollBarHeight)
{
    ControlRect grip = client;
    grip.left = client.right - scrollBarWidth;
    grip.top = client.bottom - scrollBarHeight;
    return grip;
}
