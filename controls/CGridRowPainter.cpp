// Drawing one owner-drawn row of the tree grid.
#include "controls/CGridRowPainter.h"

#include "framework/CListCtrl.h"

#include <utility>

namespace {

constexpr UINT kTextFormat = DT_VCENTER | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX;  // 0xA24

GridRect ToGridRect(const RECT& r)
{
    return GridRect{r.left, r.top, r.right, r.bottom};
}

CRect ToRect(const GridRect& r)
{
    return CRect(r.left, r.top, r.right, r.bottom);
}

GridTextAlign ColumnAlign(int format)
{
    const int justify = format & LVCFMT_JUSTIFYMASK;
    if (justify == LVCFMT_RIGHT) return GridTextAlign::Right;
    if (justify == LVCFMT_CENTER) return GridTextAlign::Centre;
    return GridTextAlign::Left;
}

UINT DrawTextAlign(GridTextAlign align)
{
    if (align == GridTextAlign::Right) return DT_RIGHT;
    if (align == GridTextAlign::Centre) return DT_CENTER;
    return DT_LEFT;
}

}  // namespace

CGridRowPainter::CGridRowPainter(CListCtrl& list, RowIconHook rowIcon, FocusColourHook focusColour)
    : m_list(list),
      m_rowIcon(std::move(rowIcon)),
      m_focusColour(std::move(focusColour)),
      m_linePen(PS_SOLID, 1, RGB(192, 192, 192)),
      m_buttonPen(PS_SOLID, 1, RGB(198, 198, 198)),
      m_signPen(PS_SOLID, 1, RGB(0, 0, 0)),
      m_buttonBrush(RGB(255, 255, 255))
{
}

void CGridRowPainter::SetCellText(const wchar_t* text)
{
    lstrcpynW(m_cellText, text, kGridTextBufferSize);
}

const wchar_t* CGridRowPainter::ShortenText(HDC dc, int width, int offset)
{
    return ::ShortenText(m_cellText, m_shortText, width, offset, [dc](const wchar_t* text, int length) {
        SIZE size = {};
        ::GetTextExtentPoint32W(dc, text, length, &size);
        return static_cast<int>(size.cx);
    });
}

void CGridRowPainter::DrawTreeLines(CTreeGridModel::CTreeItem* node, CDC& dc, int row, const RECT& bounds,
                                    const GridPaintState& state)
{
    const TreeLinePlan plan = PlanTreeLines(node, row, node->m_indent, ToGridRect(bounds), m_list.GetColumnWidth(0),
                                            state.imageWidth, state.imageHeight);
    CSelectObject pen(dc, m_linePen);
    for (const GridLine& line : plan.lines) {
        dc.MoveTo(line.x1, line.y1);
        dc.LineTo(line.x2, line.y2);
    }
    if (!plan.hasButton) return;
    {
        CSelectObject brush(dc, m_buttonBrush);
        CSelectObject framePen(dc, m_buttonPen);
        dc.Rectangle(plan.button.box.left, plan.button.box.top, plan.button.box.right, plan.button.box.bottom);
    }
    {
        CSelectObject signPen(dc, m_signPen);
        dc.MoveTo(plan.minus.x1, plan.minus.y1);
        dc.LineTo(plan.minus.x2, plan.minus.y2);
        if (plan.plus) {
            dc.MoveTo(plan.bar.x1, plan.bar.y1);
            dc.LineTo(plan.bar.x2, plan.bar.y2);
        }
    }
    if (plan.joinsFirstChild) {
        dc.MoveTo(plan.join.x1, plan.join.y1);
        dc.LineTo(plan.join.x2, plan.join.y2);
    }
}

void CGridRowPainter::DrawRow(const DRAWITEMSTRUCT& drawItem, const GridPaintState& state)
{
    if (!m_smallImages) m_smallImages = reinterpret_cast<HIMAGELIST>(m_list.SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL));
    if (!m_smallImages) return;

    const int row = static_cast<int>(drawItem.itemID);
    LVITEMW item = {};
    if (!ReadRow(row, item)) return;
    auto* node = reinterpret_cast<CTreeGridModel::CTreeItem*>(item.lParam);
    if (!node) return;

    CDC* dc = CDC::FromHandle(drawItem.hDC);
    // Whatever the row selects or sets in the list's DC is put back at the end.
    CSaveDC saved(drawItem.hDC);
    CRowShape shape;
    MeasureRow(drawItem, *dc, node->m_indent, item, state, shape);
    const GridRowPlan plan = PlanRow(shape.input);
    const bool selected = (drawItem.itemState & ODS_SELECTED) != 0;

    // Icon, then the tree lines and expand button beside it.
    const int icon = m_rowIcon(node);
    if (icon != -1 && icon != item.iImage) {
        LVITEMW image = {};
        image.mask = LVIF_IMAGE;
        image.iItem = row;
        image.iImage = icon;
        m_list.SetItem(&image);
        item.iImage = icon;
    }
    if (plan.drawsIcon) {
        const UINT style = ILD_TRANSPARENT | ((item.state & LVIS_CUT) ? ILD_BLEND50 : 0);
        ImageList_DrawEx(m_smallImages, item.iImage, drawItem.hDC, plan.iconX, plan.iconY, plan.iconWidth,
                         shape.input.imageHeight, CLR_DEFAULT, CLR_DEFAULT, style);
        const RECT bounds = {shape.input.bounds.left, shape.input.bounds.top, shape.input.bounds.right,
                             shape.input.bounds.bottom};
        DrawTreeLines(node, *dc, row, bounds, state);
    }
    DrawFirstColumn(*dc, node->m_info, selected, state, plan, shape);
    DrawLaterColumns(*dc, row, node->m_info, selected, state, plan, shape.formats);
}

bool CGridRowPainter::ReadRow(int row, LVITEMW& item)
{
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE | LVIF_INDENT;
    item.iItem = row;
    item.stateMask = 0xFFFF;
    item.pszText = m_cellText;
    item.cchTextMax = kGridTextBufferSize;
    m_cellText[0] = L'\0';
    if (!m_list.GetItem(&item)) return false;
    // The list may hand back its own buffer instead of filling ours.
    if (item.pszText && item.pszText != m_cellText) SetCellText(item.pszText);
    return true;
}

void CGridRowPainter::MeasureRow(const DRAWITEMSTRUCT& drawItem, CDC& dc, int level, const LVITEMW& item,
                                 const GridPaintState& state, CRowShape& shape)
{
    const int row = static_cast<int>(drawItem.itemID);
    GridRowInput& input = shape.input;
    CRect label;
    CRect bounds;
    m_list.GetItemRect(row, &label, LVIR_LABEL);
    m_list.GetItemRect(row, &bounds, LVIR_BOUNDS);
    CRect clip;
    dc.GetClipBox(&clip);
    input.item = ToGridRect(drawItem.rcItem);
    input.bounds = ToGridRect(bounds);
    input.label = ToGridRect(label);
    input.clip = ToGridRect(clip);
    input.level = level;
    input.imageWidth = state.imageWidth;
    input.imageHeight = state.imageHeight;
    input.firstColumnWidth = m_list.GetColumnWidth(0);

    // The check box, when the row has one and the list a state image list.
    shape.stateImage = static_cast<int>((item.state & LVIS_STATEIMAGEMASK) >> 12);
    shape.stateImages = reinterpret_cast<HIMAGELIST>(m_list.SendMessage(LVM_GETIMAGELIST, LVSIL_STATE));
    int stateHeight = 0;
    if (!shape.stateImage || !shape.stateImages ||
        !ImageList_GetIconSize(shape.stateImages, &input.stateImageWidth, &stateHeight))
        input.stateImageWidth = 0;

    for (int column = 1;; ++column) {
        LVCOLUMNW format = {};
        format.mask = LVCF_FMT | LVCF_WIDTH;
        if (!m_list.GetColumn(column, &format)) break;
        shape.formats.push_back(format.fmt);
        input.columnWidths.push_back(format.cx);
    }
}

void CGridRowPainter::DrawFirstColumn(CDC& dc, const CItemInfo* info, bool selected, const GridPaintState& state,
                                      const GridRowPlan& plan, const CRowShape& shape)
{
    const COLORREF background = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF foreground = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const CRect area = ToRect(plan.background);
    dc.SetBkColor(background);
    dc.ExtTextOut(0, 0, ETO_OPAQUE, &area, L"", 0, nullptr);

    const CRect labelArea = ToRect(plan.labelArea);
    if (info && info->m_rowColour != CItemInfo::NoColour) dc.FillSolidRect(&labelArea, info->m_rowColour);
    if (selected && state.currentColumn == 0) {
        dc.FillSolidRect(&labelArea, m_focusColour());
        dc.DrawFocusRect(&labelArea);
    }
    if (plan.drawsStateImage) {
        ImageList_Draw(shape.stateImages, shape.stateImage - 1, dc.m_hDC, plan.stateImageX, plan.iconY, ILD_TRANSPARENT);
    }

    const wchar_t* text = ShortenText(dc.m_hDC, shape.input.label.right - shape.input.label.left, 4);
    CRect textRect = ToRect(plan.firstText);
    dc.SetBkColor(background);
    dc.SetTextColor(foreground);
    // Texts go onto the colours filled above (focus cell, cell colours), not
    // onto a box of the last background colour set.
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text, -1, &textRect, kTextFormat);
}

void CGridRowPainter::DrawLaterColumns(CDC& dc, int row, const CItemInfo* info, bool selected,
                                       const GridPaintState& state, const GridRowPlan& plan,
                                       const std::vector<int>& formats)
{
    for (size_t index = 0; index < plan.cells.size(); ++index) {
        const int column = static_cast<int>(index) + 1;
        const GridCellPlan& cell = plan.cells[index];
        if (cell.needsPaint) {
            const CRect cellRect = ToRect(cell.cell);
            const unsigned long colour = info ? info->GetCellColour(column - 1) : CItemInfo::NoColour;
            if (colour != CItemInfo::NoColour) dc.FillSolidRect(&cellRect, static_cast<COLORREF>(colour));
            m_cellText[0] = L'\0';
            m_list.GetItemText(row, column, m_cellText, kGridTextBufferSize);
            const wchar_t* cellText = m_cellText[0] ? ShortenText(dc.m_hDC, cellRect.Width(), 12) : nullptr;
            const UINT align = DrawTextAlign(CellTextAlign(cellText != m_cellText, ColumnAlign(formats[index])));
            CRect cellTextRect = ToRect(cell.textRect);
            if (selected && !state.dragging && column == state.currentColumn) {
                CRect focus;
                m_list.GetSubItemRect(row, column, LVIR_BOUNDS, focus);
                dc.FillSolidRect(&focus, m_focusColour());
                dc.DrawFocusRect(&focus);
            }
            if (cellText) dc.DrawText(cellText, -1, &cellTextRect, align | kTextFormat);
        }
        CItemInfo::CONTROLTYPE type = CItemInfo::edit;
        if (selected && info && info->GetControlType(column - 1, type) && type == CItemInfo::combobox) {
            CRect bounds;
            m_list.GetSubItemRect(row, column, LVIR_BOUNDS, bounds);
            CRect arrow = ToRect(DropDownArrowRect(ToGridRect(bounds), ::GetSystemMetrics(SM_CYVSCROLL)));
            dc.DrawFrameControl(&arrow, DFC_SCROLL, DFCS_SCROLLDOWN);
        }
    }
}
