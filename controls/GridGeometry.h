// The tree grid's drawing geometry in plain numbers: where a row's expand
// button sits and which tree lines a row gets. Portable, so the arithmetic is
// tested natively; CSuperGridCtrl draws what it computes.
#pragma once

#include <vector>

class CGridTreeItem;

struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;   // exclusive
    int bottom = 0;  // exclusive
};

struct GridLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;  // end point, not drawn
    int y2 = 0;
};

// The expand button of a row at tree level `level`, from the row's bounds
// (left, top, bottom) and the size of one image cell (width, height).
struct ExpandButton {
    int centreX = 0;
    int centreY = 0;
    GridRect box;  // left/top inclusive, right/bottom exclusive
};

ExpandButton ExpandButtonAt(int rowLeft, int rowTop, int rowBottom, int imageWidth, int imageHeight, int level);
bool ExpandButtonHit(const ExpandButton& button, int x, int y);

// Everything DrawTreeLines draws for one row.
struct TreeLinePlan {
    std::vector<GridLine> lines;   // tree lines (the line pen)
    bool hasButton = false;        // the node has children
    ExpandButton button;           // box: button brush inside, button pen frame
    GridLine minus;                // sign pen
    bool plus = false;             // collapsed: also the vertical bar
    GridLine bar;                  // sign pen
    bool joinsFirstChild = false;  // expanded: line from the icon to the first child
    GridLine join;                 // line pen
};

// The lines and expand button of `node` shown at `row`, level `level`, in a
// row with bounds `bounds`; the first column is `firstColumnWidth` wide.
TreeLinePlan PlanTreeLines(const CGridTreeItem* node, int row, int level, const GridRect& bounds, int firstColumnWidth,
                           int imageWidth, int imageHeight);

// What one owner-drawn row is made of, from the rectangles the list reports.
struct GridRowInput {
    GridRect item;                  // the row as the list asks it to be drawn
    GridRect bounds;                // the whole row (first column included)
    GridRect label;                 // the first column's text part
    GridRect clip;                  // the part of the DC that needs painting
    int level = 0;                  // tree level of the row's node
    int imageWidth = 0;             // one image cell
    int imageHeight = 0;
    int firstColumnWidth = 0;
    int stateImageWidth = 0;        // 0: the row shows no state image
    std::vector<int> columnWidths;  // the columns after the first, in column order
};

// One cell after the first column.
struct GridCellPlan {
    GridRect cell;
    GridRect textRect;      // the cell narrowed by 6 pixels on each side
    bool needsPaint = false;  // the cell meets the clip box and has a width
};

struct GridRowPlan {
    bool drawsIcon = false;  // the icon cell still fits in the first column
    int iconX = 0;
    int iconY = 0;
    int iconWidth = 0;       // 0: the whole image
    GridRect background;     // filled right of the icon
    GridRect labelArea;      // row colour and first-column focus cell
    bool drawsStateImage = false;
    int stateImageX = 0;     // at iconY
    GridRect firstText;      // the label narrowed by 2 pixels on each side
    std::vector<GridCellPlan> cells;
};

GridRowPlan PlanRow(const GridRowInput& row);

// The drop-down arrow of a combo-box cell: the right end of its bounds,
// `arrowWidth` wide.
GridRect DropDownArrowRect(const GridRect& cellBounds, int arrowWidth);

// While a row is dragged, a pointer in the top or bottom `zoneHeight` pixels
// of the client area scrolls the list.
enum class DragScroll { None, Up, Down };
DragScroll DragScrollAt(int y, int clientHeight, int zoneHeight);
