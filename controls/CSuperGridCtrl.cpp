// CSuperGridCtrl: the tree grid's hooks and its mouse and keyboard
// handling; rows are drawn by CGridRowPainter and dragged by CGridDragTracker.
#include "controls/CSuperGridCtrl.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "controls/CListEditCtrl.h"
#include "controls/GridGeometry.h"
#include "controls/WaitCursorScope.h"
#include "framework/CImageList.h"

BEGIN_MESSAGE_MAP(CSuperGridCtrl, CListCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDoubleClick)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, OnListKeyDown)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDrag)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITW, OnEndLabelEdit)
    ON_NOTIFY_REFLECT(LVN_DELETEALLITEMS, OnDeleteAllItems)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, OnItemChanged)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_MESSAGE(LVM_SETIMAGELIST, OnSetImageList)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_SETREDRAW, OnSetRedraw)
END_MESSAGE_MAP()

CSuperGridCtrl::CSuperGridCtrl()
    : CTreeGridModel(m_rowList),
      m_rowList(*this),
      m_painter(*this, [this](CTreeItem* node) { return GetRowIcon(node); }, [this] { return GetFocusCellColour(); }),
      m_dragTracker(*this, *this, GridDragState{m_dragEnabled, m_dragging, m_dragRow, m_dropRow, m_imageHeight},
                    GridDragActions{[this](int row) { return MakeRowDragImage(row); },
                                    [this](CTreeItem* node, int row) { return ExpandHeldNode(node, row); },
                                    [this](CTreeItem* target, CTreeItem* node) { return MoveNodeUnder(target, node); }})
{
    SetCloneFunction([this](CItemInfo* info) { return CloneItemInfo(info); });
}

CSuperGridCtrl::~CSuperGridCtrl()
{
    if (m_dragging) m_dragTracker.Cancel();
    // The rows point at the nodes: the window goes before the nodes do.
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

// Hooks: the base behaviour.

CItemInfo* CSuperGridCtrl::CloneItemInfo(CItemInfo*) { return nullptr; }

int CSuperGridCtrl::GetRowIcon(CTreeItem*) { return 0; }

COLORREF CSuperGridCtrl::GetFocusCellColour() { return RGB(192, 0, 0); }

void CSuperGridCtrl::CommitCellText(CTreeItem* node, LVITEMW* item)
{
    StoreCellText(node, item->iItem, item->iSubItem, item->pszText ? item->pszText : L"");
}

void CSuperGridCtrl::OnCellButtonDown(UINT, CPoint, LVHITTESTINFO* hit)
{
    if (!m_editEnabled || hit->iItem < 0) return;
    if (hit->iSubItem != 0) EditCell(hit->iSubItem, hit->iItem);
    else OpenFirstColumnEditor(hit->iItem);
}

CImageList* CSuperGridCtrl::MakeRowDragImage(int row)
{
    CRect bounds;
    if (!GetItemRect(row, &bounds, LVIR_BOUNDS)) return nullptr;
    const int width = GetColumnWidth(0);
    const int height = bounds.Height();
    if (width <= 0 || height <= 0) return nullptr;

    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    GetItem(&item);
    const CString text = GetItemText(row, 0);

    CClientDC screen(this);
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, width, height)) return nullptr;
    {
        CSelectObject selectedBitmap(memory, bitmap);
        CSelectObject selectedFont(memory.m_hDC, reinterpret_cast<HGDIOBJ>(GetFont()));
        const CRect all(0, 0, width, height);
        memory.FillSolidRect(&all, ::GetSysColor(COLOR_WINDOW));
        HIMAGELIST smallImages = reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL));
        if (smallImages && item.iImage >= 0) ImageList_Draw(smallImages, item.iImage, memory.m_hDC, 0, 0, ILD_TRANSPARENT);
        memory.SetBkMode(TRANSPARENT);
        memory.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        memory.TextOut(m_imageWidth + 4, 0, text);
    }
    auto images = std::make_unique<CImageList>();
    if (!images->Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 1)) return nullptr;
    images->Add(&bitmap, RGB(255, 255, 255));
    return images.release();
}

BOOL CSuperGridCtrl::CanExpand(CTreeItem*, int) { return TRUE; }
BOOL CSuperGridCtrl::AfterExpand(CTreeItem*, int) { return TRUE; }
BOOL CSuperGridCtrl::CanCollapse(CTreeItem*) { return TRUE; }
BOOL CSuperGridCtrl::AfterCollapse(CTreeItem*) { return TRUE; }
BOOL CSuperGridCtrl::CanDelete(CTreeItem*, int) { return TRUE; }
BOOL CSuperGridCtrl::CanExpandAllByKey(CTreeItem*, int) { return TRUE; }
BOOL CSuperGridCtrl::CanCollapseByKey(CTreeItem*, int) { return TRUE; }
BOOL CSuperGridCtrl::CanExpandByKey(CTreeItem*, int) { return TRUE; }
BOOL CSuperGridCtrl::HandleReturnKey() { return FALSE; }
BOOL CSuperGridCtrl::CanHandleClick(LVHITTESTINFO*) { return TRUE; }

// Window setup.

BOOL CSuperGridCtrl::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style |= OWN_WINDOW_STYLES;
    return CListCtrl::PreCreateWindow(cs);
}

void CSuperGridCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    TakeImageSize(reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL)));
}

void CSuperGridCtrl::PostNcDestroy()
{
    // The list's rows went with its window.
    ForgetRows();
    m_painter.SetSmallImages(nullptr);
    m_drawingSuspended = FALSE;
    CListCtrl::PostNcDestroy();
}

void CSuperGridCtrl::SetImageSize(int width, int height)
{
    m_imageWidth = width;
    m_imageHeight = height;
}

void CSuperGridCtrl::TakeImageSize(HIMAGELIST imageList)
{
    int width = 0;
    int height = 0;
    if (imageList && ImageList_GetIconSize(imageList, &width, &height)) SetImageSize(width, height);
}

LRESULT CSuperGridCtrl::OnSetImageList(WPARAM kind, LPARAM imageList)
{
    const LRESULT previous = DefWindowProc(LVM_SETIMAGELIST, kind, imageList);
    if (kind == LVSIL_SMALL) {
        m_painter.SetSmallImages(reinterpret_cast<HIMAGELIST>(imageList));
        TakeImageSize(reinterpret_cast<HIMAGELIST>(imageList));
    }
    return previous;
}

LRESULT CSuperGridCtrl::OnSetRedraw(WPARAM redraw, LPARAM unused)
{
    m_drawingSuspended = redraw ? FALSE : TRUE;
    return DefWindowProc(WM_SETREDRAW, redraw, unused);
}

LRESULT CSuperGridCtrl::SendToListView(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

LRESULT CSuperGridCtrl::OnSetFont(WPARAM font, LPARAM redraw)
{
    const LRESULT result = DefWindowProc(WM_SETFONT, font, redraw);
    // An owner-drawn list measures its rows only when its size changes: tell
    // it the size again so the new font's row height is measured.
    if (GetStyle() & LVS_OWNERDRAWFIXED) {
        CRect rect;
        GetWindowRect(&rect);
        WINDOWPOS position = {};
        position.hwnd = m_hWnd;
        position.cx = rect.Width();
        position.cy = rect.Height();
        position.flags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOOWNERZORDER | SWP_NOZORDER;
        SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    }
    return result;
}

void CSuperGridCtrl::OnDeleteAllItems(NMHDR*, LRESULT* result)
{
    // The grid keeps no per-row state to release: no LVN_DELETEITEM per row.
    *result = TRUE;
}

void CSuperGridCtrl::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
    *result = CDRF_DODEFAULT;
    if (GetItemCount() != 0 || !HasFocus()) return;
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        *result = CDRF_NOTIFYPOSTPAINT;
        return;
    }
    if (draw->dwDrawStage != CDDS_POSTPAINT) return;
    if (SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS) return;
    RECT area;
    GetClientRect(&area);
    CHeaderCtrl* columns = GetHeaderCtrl();
    if (columns && columns->m_hWnd && ::IsWindowVisible(columns->m_hWnd)) {
        RECT bar = {};
        ::GetWindowRect(columns->m_hWnd, &bar);
        area.top += bar.bottom - bar.top;
    }
    ::InflateRect(&area, -1, -1);
    if (area.bottom > area.top) ::DrawFocusRect(draw->hdc, &area);
}

void CSuperGridCtrl::OnSetFocus(CWnd* oldWnd)
{
    DefWindowProc(WM_SETFOCUS, reinterpret_cast<WPARAM>(oldWnd ? oldWnd->m_hWnd : nullptr), 0);
    if (GetItemCount() == 0) Invalidate();
}

void CSuperGridCtrl::OnKillFocus(CWnd* newWnd)
{
    DefWindowProc(WM_KILLFOCUS, reinterpret_cast<WPARAM>(newWnd ? newWnd->m_hWnd : nullptr), 0);
    if (GetItemCount() == 0) Invalidate();
}

BOOL CSuperGridCtrl::OnItemChanged(NMHDR* header, LRESULT* result)
{
    // A row's check box changed, whoever changed it (a click, Space, code):
    // its record follows, so the two never disagree.
    const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    *result = 0;
    if (change->iItem >= 0 && (change->uChanged & LVIF_STATE) &&
        ((change->uOldState ^ change->uNewState) & LVIS_STATEIMAGEMASK) && (GetExtendedStyle() & LVS_EX_CHECKBOXES)) {
        CTreeItem* node = NodeAtRow(change->iItem);
        if (node && node->m_info) node->m_info->m_check = ((change->uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
    }
    return FALSE;  // the parent hears of the change too
}

// Row height and drawing.

void CSuperGridCtrl::MeasureItem(LPMEASUREITEMSTRUCT measureItem)
{
    if (measureItem->CtlType != ODT_LISTVIEW) return;
    CClientDC dc(this);
    CSelectObject font(dc.m_hDC, reinterpret_cast<HGDIOBJ>(GetFont()));
    TEXTMETRICW metrics = {};
    dc.GetTextMetrics(&metrics);
    measureItem->itemHeight = static_cast<UINT>(metrics.tmHeight + metrics.tmExternalLeading + 4);
}

const wchar_t* CSuperGridCtrl::ShortenText(CDC* dc, int width, int offset)
{
    return m_painter.ShortenText(dc->m_hDC, width, offset);
}

void CSuperGridCtrl::DrawTreeLines(CTreeItem* node, CDC* dc, int row, const CRect& bounds)
{
    m_painter.DrawTreeLines(node, *dc, row, bounds, PaintState());
}

GridPaintState CSuperGridCtrl::PaintState() const
{
    GridPaintState state;
    state.imageWidth = m_imageWidth;
    state.imageHeight = m_imageHeight;
    state.currentColumn = m_curColumn;
    state.dragging = m_dragging != FALSE;
    return state;
}

void CSuperGridCtrl::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    if (drawItem->CtlType != ODT_LISTVIEW || drawItem->itemAction != ODA_DRAWENTIRE) return;
    m_painter.DrawRow(*drawItem, PaintState());
}

// Mouse.

void CSuperGridCtrl::TakeFocus()
{
    if (!HasFocus()) SetFocus();
}

void CSuperGridCtrl::InvalidateRow(int row)
{
    CRect bounds;
    if (GetItemRect(row, &bounds, LVIR_BOUNDS)) InvalidateRect(&bounds);
    UpdateWindow();
}

bool CSuperGridCtrl::ToggleNode(CTreeItem* node, int row, int& last)
{
    last = 0;
    if (node->m_collapsed) {
        if (!CanExpand(node, row)) return false;
        last = ExpandNode(node, row);
        AfterExpand(node, row);
        return true;
    }
    if (!CanCollapse(node)) return false;
    CollapseNode(node);
    AfterCollapse(node);
    return true;
}

int CSuperGridCtrl::ToggleAtPoint(LVHITTESTINFO* hit, int x, int y)
{
    hit->pt.x = x;
    hit->pt.y = y;
    SubItemHitTest(hit);
    const int row = hit->iItem;
    if (row < 0) return 1;

    bool onCheckBox = false;
    if (GetExtendedStyle() & LVS_EX_CHECKBOXES) {
        if (hit->flags == LVHT_ONITEM && (GetStyle() & LVS_OWNERDRAWFIXED)) {
            CRect iconRect;
            CRect labelRect;
            GetItemRect(row, &iconRect, LVIR_ICON);
            GetItemRect(row, &labelRect, LVIR_LABEL);
            onCheckBox = iconRect.left < x && x < labelRect.left;
        } else {
            onCheckBox = (hit->flags & LVHT_ONITEMSTATEICON) != 0;
        }
    }
    CTreeItem* node = NodeAtRow(row);
    if (!node) return 1;
    // The list toggles a box clicked on its state icon itself; an owner-drawn
    // row's box is toggled here. Either way the record follows the box
    // (OnItemChanged), so a click never inverts one without the other.
    if (onCheckBox && !(hit->flags & LVHT_ONITEMSTATEICON)) SetCheck(row, !GetCheck(row));
    if (!HasChildren(node)) return 1;
    CRect bounds;
    GetItemRect(row, &bounds, LVIR_BOUNDS);
    const ExpandButton button = ExpandButtonAt(bounds.left, bounds.top, bounds.bottom, m_imageWidth, m_imageHeight,
                                               node->m_indent);
    if (!ExpandButtonHit(button, x, y)) return 1;

    SetRedraw(FALSE);
    int last = 0;
    const bool changed = ToggleNode(node, row, last);
    SetRedraw(TRUE);
    if (!changed) return 1;
    InvalidateRow(row);
    EnsureVisible(last, TRUE);
    return 0;
}

void CSuperGridCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    TakeFocus();
    LVHITTESTINFO hit = {};
    hit.pt = point;
    SubItemHitTest(&hit);
    if (!CanHandleClick(&hit)) return;
    // A click on an expand button, or beside the rows, stops here: the list
    // never sees it, so the selection stays.
    if (ToggleAtPoint(&hit, point.x, point.y) == 0 || hit.iItem < 0) return;

    m_curColumn = ColumnIndexToOrder(hit.iSubItem);
    CHeaderCtrl* header = GetHeaderCtrl();
    if (header && m_curColumn >= 0) EnsureColumnVisible(header->OrderToIndex(m_curColumn));

    DefWindowProc(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
    OnCellButtonDown(flags, point, &hit);
    InvalidateRow(hit.iItem);
}

void CSuperGridCtrl::OnDoubleClick(NMHDR* header, LRESULT* result)
{
    auto* activate = reinterpret_cast<NMITEMACTIVATE*>(header);
    TakeFocus();
    LVHITTESTINFO hit = {};
    hit.pt = activate->ptAction;
    SubItemHitTest(&hit);
    if (CanHandleClick(&hit) && ToggleAtPoint(&hit, activate->ptAction.x, activate->ptAction.y) == 1 && hit.iItem >= 0) {
        const int row = GetSelectedRow();
        CTreeItem* node = row >= 0 ? NodeAtRow(row) : nullptr;
        if (node && HasChildren(node)) {
            SetRedraw(FALSE);
            int last = 0;
            const bool changed = ToggleNode(node, row, last);
            SetRedraw(TRUE);
            if (changed) {
                InvalidateRow(row);
                EnsureVisible(last, TRUE);
            }
        }
    }
    // The owner hears of every double-click, whatever the grid did with it.
    ::SendMessageW(::GetParent(m_hWnd), WM_GRID_DOUBLECLICK, reinterpret_cast<WPARAM>(activate), 0);
    *result = 0;
}

void CSuperGridCtrl::OnHScroll(UINT code, UINT position, HWND scrollBar)
{
    TakeFocus();
    DefWindowProc(WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(scrollBar));
}

void CSuperGridCtrl::OnVScroll(UINT code, UINT position, HWND scrollBar)
{
    TakeFocus();
    DefWindowProc(WM_VSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(scrollBar));
}

// Keyboard.

BOOL CSuperGridCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && HasFocus()) {
        switch (msg->wParam) {
        case VK_RIGHT:
            StepCurrentColumn(+1);
            return TRUE;
        case VK_LEFT:
            StepCurrentColumn(-1);
            return TRUE;
        case VK_RETURN:
            if (OpenEditorOnReturn()) return TRUE;
            break;
        default:
            break;
        }
    }
    return CListCtrl::PreTranslateMessage(msg);
}

void CSuperGridCtrl::StepCurrentColumn(int step)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    const int lastPosition = header ? header->GetItemCount() - 1 : 0;
    m_curColumn += step;
    if (m_curColumn > lastPosition) {
        m_curColumn = lastPosition;
        return;
    }
    if (m_curColumn < 0) {
        m_curColumn = 0;
        return;
    }
    if (header) EnsureColumnVisible(header->OrderToIndex(m_curColumn));
    const int row = GetSelectedRow();
    if (row >= 0) InvalidateRow(row);
}

bool CSuperGridCtrl::OpenEditorOnReturn()
{
    if (HandleReturnKey()) return false;
    const int row = GetSelectedRow();
    if (row < 0 || m_curColumn == -1) return false;
    CHeaderCtrl* header = GetHeaderCtrl();
    const int column = header ? header->OrderToIndex(m_curColumn) : 0;
    if (column != 0) EditCell(column, row);
    else OpenFirstColumnEditor(row);
    return true;
}

CListEditCtrl* CSuperGridCtrl::OpenFirstColumnEditor(int row)
{
    CRect label;
    if (!GetItemRect(row, &label, LVIR_LABEL)) return nullptr;
    auto* editor = new CListEditCtrl(row, 0, GetItemText(row, 0));
    if (!editor->Create(CListEditCtrl::EDITOR_STYLE, label, this, CListEditCtrl::FIRST_COLUMN_ID)) {
        // No window was made, so nothing else will delete it.
        delete editor;
        return nullptr;
    }
    return editor;
}

CListEditCtrl* CSuperGridCtrl::EditCell(int column, int row)
{
    if (!EnsureVisible(row, TRUE)) return nullptr;
    CRect rect;
    GetSubItemRect(row, column, LVIR_BOUNDS, rect);
    CRect client;
    GetClientRect(&client);
    if (rect.left < 0 || rect.left > client.right) {
        Scroll(CSize(rect.left, 0));
        rect.left = 0;
    }
    rect.right = std::min(static_cast<int>(rect.left) + GetColumnWidth(column), static_cast<int>(client.right));

    LVCOLUMNW format = {};
    format.mask = LVCF_FMT;
    GetColumn(column, &format);
    DWORD style = CListEditCtrl::EDITOR_STYLE;
    const int justify = format.fmt & LVCFMT_JUSTIFYMASK;
    if (justify == LVCFMT_RIGHT) style |= ES_RIGHT;
    else if (justify == LVCFMT_CENTER || justify == (LVCFMT_RIGHT | LVCFMT_CENTER)) style |= ES_CENTER;

    auto* editor = new CListEditCtrl(row, column, GetItemText(row, column));
    if (!editor->Create(style, rect, this, CListEditCtrl::LATER_COLUMN_ID)) {
        delete editor;
        return nullptr;
    }
    return editor;
}

void CSuperGridCtrl::OnEndLabelEdit(NMHDR* header, LRESULT* result)
{
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
    *result = 0;
    if (!info->item.pszText || info->item.iItem == -1) return;
    CTreeItem* node = NodeAtRow(info->item.iItem);
    if (node) CommitCellText(node, &info->item);
}

void CSuperGridCtrl::OnListKeyDown(NMHDR* header, LRESULT* result)
{
    const auto* key = reinterpret_cast<NMLVKEYDOWN*>(header);
    *result = 0;
    const int row = GetSelectedRow();
    if (row < 0) return;
    CTreeItem* node = NodeAtRow(row);
    if (!node) return;
    switch (key->wVKey) {
    case VK_SPACE:
        // The list inverts the box; OnItemChanged brings the record along.
        break;
    case VK_DELETE:
        if (CanDelete(node, row)) RemoveNode(node, row);
        break;
    case VK_MULTIPLY: {
        CWaitCursorScope wait;
        SetRedraw(FALSE);
        int last = 0;
        if (CanExpandAllByKey(node, row)) ExpandSubtree(node, last);
        SetRedraw(TRUE);
        RedrawItems(row, last);
        EnsureVisible(last, TRUE);
        break;
    }
    case VK_ADD: {
        CWaitCursorScope wait;
        const int last = CanExpandByKey(node, row) ? ExpandNode(node, row) : 0;
        InvalidateRow(row);
        EnsureVisible(last, TRUE);
        break;
    }
    case VK_SUBTRACT: {
        CWaitCursorScope wait;
        if (CanCollapseByKey(node, row)) CollapseNode(node);
        InvalidateRow(row);
        break;
    }
    default:
        break;
    }
}

// Columns.

int CSuperGridCtrl::ColumnIndexToOrder(int column)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    const int count = header ? header->GetItemCount() : 0;
    if (count <= 0) return -1;
    std::vector<int> order(static_cast<size_t>(count));
    if (!SendMessage(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data()))) return -1;
    for (int position = 0; position < count; ++position) {
        if (order[static_cast<size_t>(position)] == column) return position;
    }
    return -1;
}

void CSuperGridCtrl::EnsureColumnVisible(int column)
{
    if (column < 0) return;
    CHeaderCtrl* header = GetHeaderCtrl();
    const int count = header ? header->GetItemCount() : 0;
    const int position = ColumnIndexToOrder(column);
    if (position < 0) return;
    std::vector<int> order(static_cast<size_t>(count));
    SendMessage(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(order.data()));
    int offset = 0;
    for (int i = 0; i < position; ++i) offset += GetColumnWidth(order[static_cast<size_t>(i)]);

    CRect first;
    const int left = GetItemRect(0, &first, LVIR_BOUNDS) ? static_cast<int>(first.left) : -::GetScrollPos(m_hWnd, SB_HORZ);
    const int x = left + offset;
    CRect client;
    GetClientRect(&client);
    if (x < 0 || x + GetColumnWidth(column) > client.right) {
        Scroll(CSize(x, 0));
        Invalidate();
        UpdateWindow();
    }
}

// Drag and drop.

void CSuperGridCtrl::OnBeginDrag(NMHDR* header, LRESULT* result)
{
    const auto* list = reinterpret_cast<NMLISTVIEW*>(header);
    *result = 0;
    m_dragTracker.Begin(list->iItem, list->ptAction);
}

void CSuperGridCtrl::OnMouseMove(UINT flags, CPoint point)
{
    if (m_dragging) {
        m_dragTracker.Move(flags, point);
        if (!m_dragging) return;
    }
    DefWindowProc(WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
}

void CSuperGridCtrl::OnTimer(UINT_PTR id)
{
    DefWindowProc(WM_TIMER, id, 0);
    if (id == CGridDragTracker::kTimerId && m_dragging) m_dragTracker.OnTimer();
}

void CSuperGridCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_dragging) m_dragTracker.Drop();
    else DefWindowProc(WM_LBUTTONUP, flags, MAKELPARAM(point.x, point.y));
}

int CSuperGridCtrl::ExpandHeldNode(CTreeItem* node, int row)
{
    if (!CanExpand(node, row)) return row;
    const int last = ExpandNode(node, row);
    AfterExpand(node, row);
    return last;
}

bool CSuperGridCtrl::MoveNodeUnder(CTreeItem* target, CTreeItem* node)
{
    // A move keeps the rows' data: records the owner does not clone are
    // carried over as full copies.
    const bool copied = CopyNodeUnder(target, node, [this](CItemInfo* info) {
        CItemInfo* copy = CloneItemInfo(info);
        return copy ? copy : (info ? info->Duplicate() : nullptr);
    });
    if (!copied) return false;
    const int targetRow = RowOfNode(target);
    SetItemState(targetRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const int nodeRow = DeleteSubtreeRows(node);
    DetachNode(node);
    RenumberFrom(std::max(nodeRow, 0));
    return true;
}
