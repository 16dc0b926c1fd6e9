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
