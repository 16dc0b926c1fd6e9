// CGridRowPainter: draws the rows of an owner-drawn tree grid: icon, tree
// lines and expand button, background, row and focus-cell colours, check
// box, shortened cell texts and drop-down arrows. Where things go is computed
// by GridGeometry; this class only asks the list for its rectangles and
// texts and puts the result on the DC. Each grid has its own painter, and
// with it its own text buffers.
#pragma once

#include "controls/CTreeGridModel.h"
#include "controls/GridGeometry.h"
#include "controls/GridTextFit.h"
#include "framework/Gdi.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

class CListCtrl;

// What a row's look takes from the grid besides the list itself.
struct GridPaintState {
    int imageWidth = 0;  // one image cell: the unit of indentation
    int imageHeight = 0;
    int currentColumn = 0;  // display position of the current cell
    bool dragging = false;  // no current cell is shown during a drag
};

class CGridRowPainter {
public:
    // The grid's hooks: the image of a row (-1 keeps the row's own) and the
    // colour of the current cell.
    using RowIconHook = std::function<int(CTreeGridModel::CTreeItem* node)>;
    using FocusColourHook = std::function<COLORREF()>;

    CGridRowPainter(CListCtrl& list, RowIconHook rowIcon, FocusColourHook focusColour);
    CGridRowPainter(const CGridRowPainter&) = delete;
    CGridRowPainter& operator=(const CGridRowPainter&) = delete;

    // Draws one row as WM_DRAWITEM asks; nothing without a small image list.
    void DrawRow(const DRAWITEMSTRUCT& drawItem, const GridPaintState& state);
    // The cell text buffer, or the shortened-text buffer holding its longest
    // prefix that fits in `width` followed by "...".
    const wchar_t* ShortenText(HDC dc, int width, int offset);
    // The tree lines and expand button of one row.
    void DrawTreeLines(CTreeGridModel::CTreeItem* node, CDC& dc, int row, const RECT& bounds,
                       const GridPaintState& state);
    // Puts `text` into the cell text buffer (cut to its size).
    void SetCellText(const wchar_t* text);
    // The list's small image list, when it is set or the window goes (null).
    void SetSmallImages(HIMAGELIST images) { m_smallImages = images; }

private:
    // What the list tells of a row before it is drawn.
    struct CRowShape {
        GridRowInput input;
        std::vector<int> formats;           // LVCFMT_... of the columns after the first
        int stateImage = 0;                 // 1-based index of the check box image, 0 none
        HIMAGELIST stateImages = nullptr;   // the list's state image list (the list owns it)
    };

    // Reads the row's item into `item`, its text into the cell text buffer.
    bool ReadRow(int row, LVITEMW& item);
    void MeasureRow(const DRAWITEMSTRUCT& drawItem, CDC& dc, int level, const LVITEMW& item,
                    const GridPaintState& state, CRowShape& shape);
    // Background, row colour, focus cell, check box and text of the first column.
    void DrawFirstColumn(CDC& dc, const CItemInfo* info, bool selected, const GridPaintState& state,
                         const GridRowPlan& plan, const CRowShape& shape);
    void DrawLaterColumns(CDC& dc, int row, const CItemInfo* info, bool selected, const GridPaintState& state,
                          const GridRowPlan& plan, const std::vector<int>& formats);

    CListCtrl& m_list;
    RowIconHook m_rowIcon;
    FocusColourHook m_focusColour;
    CPen m_linePen;      // tree lines
    CPen m_buttonPen;    // frame of the expand button
    CPen m_signPen;      // plus and minus
    CBrush m_buttonBrush;
    HIMAGELIST m_smallImages = nullptr;  // the list's small image list (the list owns it)
    wchar_t m_cellText[kGridTextBufferSize] = {};   // the text of the cell being drawn
    wchar_t m_shortText[kGridTextBufferSize] = {};  // its shortened form
};
