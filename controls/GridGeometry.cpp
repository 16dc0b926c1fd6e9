// The tree grid's expand-button and tree-line geometry.
#include "controls/GridGeometry.h"

#include "controls/CGridTreeItem.h"

#include <algorithm>

ExpandButton ExpandButtonAt(int rowLeft, int rowTop, int rowBottom, int imageWidth, int imageHeight, int level)
{
    ExpandButton button;
    const int width = (imageWidth >> 1) + 3;
    const int height = (imageHeight >> 1) + 3;
    button.centreX = rowLeft + level * imageWidth - (imageWidth >> 1);
    button.centreY = rowTop + ((rowBottom - rowTop - imageHeight) >> 1) + (imageWidth >> 1);
    button.box.left = button.centreX - (width >> 1);
    button.box.top = button.centreY - (height >> 1);
    button.box.right = button.box.left + width;
    button.box.bottom = button.box.top + height;
    return button;
}

bool ExpandButtonHit(const ExpandButton& button, int x, int y)
{
    return x >= button.box.left && x < button.box.right && y >= button.box.top && y < button.box.bottom;
}

TreeLinePlan PlanTreeLines(const CGridTreeItem* node, int row, int level, const GridRect& bounds, int firstColumnWidth,
                           int imageWidth, int imageHeight)
{
    TreeLinePlan plan;
    const int m = imageWidth >> 1;
    const int midY = bounds.top + ((bounds.bottom - bounds.top - imageHeight) >> 1) + (imageWidth >> 1);
    auto stub = [&](int x) { return GridLine{x, midY, std::min(x + m, firstColumnWidth), midY}; };

    // Each ancestor contributes at most one line: found by walking its
    // children from the last up to the first that decides.
    for (const CGridTreeItem* ancestor = node->m_parent; ancestor; ancestor = ancestor->m_parent) {
        POSITION pos = ancestor->m_children.GetTailPosition();
        while (pos) {
            const CGridTreeItem* sibling = ancestor->m_children.GetPrev(pos);
            const int sLevel = sibling->m_indent;
            const int sRow = sibling->m_row;
            const int x = imageWidth * sLevel - m + bounds.left;
            if (row > sRow && level > sLevel) break;
            if (sRow == row && sLevel == level) {
                plan.lines.push_back({x, bounds.top, x, midY});
                plan.lines.push_back(stub(x));
                break;
            }
            if (sRow > row && sLevel == level) {
                plan.lines.push_back(stub(x));
                plan.lines.push_back({x, bounds.top, x, bounds.bottom});
                break;
            }
            if (sRow > row && sLevel < level) {
                plan.lines.push_back({x, bounds.top, x, bounds.bottom});
                break;
            }
        }
    }

    if (node->m_childMark != -1 || !node->m_children.IsEmpty()) {
        plan.hasButton = true;
        plan.button = ExpandButtonAt(bounds.left, bounds.top, bounds.bottom, imageWidth, imageHeight, level);
        const int cx = plan.button.centreX;
        const int cy = plan.button.centreY;
        plan.minus = {cx - 2, cy, cx + 3, cy};
        plan.plus = node->m_collapsed;
        plan.bar = {cx, cy - 2, cx, cy + 3};
        if (!node->m_collapsed) {
            plan.joinsFirstChild = true;
            plan.join = {cx + imageWidth, bounds.top + (bounds.bottom - bounds.top - imageHeight) / 2 + imageHeight,
                         cx + imageWidth, bounds.bottom};
        }
    }
    return plan;
}

GridRowPlan PlanRow(const GridRowInput& row)
{
    GridRowPlan plan;
    const int w = row.imageWidth;
    const int h = row.imageHeight;
    const int d = row.level;
    const int c0 = row.firstColumnWidth;

    // The icon is clipped to the first column once its cell would reach past it.
    plan.iconY = row.item.bottom - (row.item.bottom - h - row.item.top) / 2 - h;
    plan.iconX = row.bounds.left + d * w;
    plan.iconWidth = row.bounds.left + (d + 1) * w > c0 - 2 ? c0 - row.bounds.left - d * w : 0;
    plan.drawsIcon = plan.iconWidth >= 0;

    plan.background = row.item;
    plan.background.left = std::min(row.item.left + (d + 1) * w + 2, c0);
    plan.labelArea = plan.background;
    plan.labelArea.right = row.label.right;

    plan.drawsStateImage = row.stateImageWidth > 0 && (d + 1) * w + row.stateImageWidth + row.bounds.left < c0;
    plan.stateImageX = row.bounds.left + d * w + row.stateImageWidth;

    plan.firstText = row.label;
    plan.firstText.left += 2;
    plan.firstText.right -= 2;

    int cellLeft = row.label.right;
    for (int width : row.columnWidths) {
        GridCellPlan cell;
        cell.cell = GridRect{cellLeft, row.item.top, cellLeft + width, row.item.bottom};
        cellLeft = cell.cell.right;
        cell.textRect = GridRect{cell.cell.left + 6, cell.cell.top, cell.cell.right - 6, cell.cell.bottom};
        cell.needsPaint = cell.cell.left < row.clip.right && cell.cell.right > row.clip.left &&
                          cell.cell.right > cell.cell.left;
        plan.cells.push_back(cell);
    }
    return plan;
}

GridRect DropDownArrowRect(const GridRect& cellBounds, int arrowWidth)
{
    GridRect arrow = cellBounds;
    arrow.left = arrow.right - arrowWidth;
    return arrow;
}

DragScroll DragScrollAt(int y, int clientHeight, int zoneHeight)
{
    if (y >= 0 && y <= zoneHeight) return DragScroll::Up;
    if (y >= clientHeight - zoneHeight && y <= clientHeight) return DragScroll::Down;
    return DragScroll::None;
}
