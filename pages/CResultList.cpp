// CResultList: cells on demand, their colours, keys, the copy menu and the tooltip.
#include "pages/CResultList.h"

#include "framework/CMenu.h"
#include "framework/Clipboard.h"
#include "res/resource.h"
#include "run/CellText.h"
#include "run/RowsAsText.h"

#include <cwchar>

namespace {

// The list's first column is an empty one of no width: the list keeps its
// first column left-aligned, and a result's first column may hold numbers.
constexpr int kFirstResultColumn = 1;
// The list's header control, which the list makes with no id of its own.
constexpr UINT kHeaderId = 0;
// Rows the list asks for within this distance of the last row read bring more.
constexpr int kRowsAhead = 200;
// A cell shows at most the beginning of a longer text; the list draws no more.
constexpr int kMaxCellChars = 256;
// The longest text a tooltip shows.
constexpr std::size_t kMaxTipChars = 20000;

} // namespace

BEGIN_MESSAGE_MAP(CResultList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOW, OnGetDispInfo)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, OnKeyDown)
    ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
    ON_NOTIFY(HDN_BEGINTRACKW, kHeaderId, OnHeaderNotify)
    ON_NOTIFY(HDN_DIVIDERDBLCLICKW, kHeaderId, OnHeaderNotify)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

void CResultList::Prepare()
{
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    // Owned by the dialog the list is on, and destroyed with it.
    m_tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, nullptr, nullptr);
    if (!m_tip) return;
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(m_tip, TTM_SETMAXTIPWIDTH, 0, 600);
    ::SendMessageW(m_tip, TTM_ACTIVATE, FALSE, 0);
}

void CResultList::ShowResult(const std::vector<ResultColumn>* columns, const ResultRows* rows)
{
    SetRedraw(FALSE);
    SetItemCount(0);
    while (DeleteColumn(0)) {
    }
    m_columns = columns;
    m_rows = rows;
    m_tipRow = m_tipColumn = -1;
    if (columns) {
        InsertColumn(0, L"", LVCFMT_LEFT, 0);
        for (std::size_t c = 0; c < columns->size(); ++c) {
            const ResultColumn& column = (*columns)[c];
            const int width = GetStringWidth(column.name.c_str()) + 24;
            InsertColumn(static_cast<int>(c) + kFirstResultColumn, column.name.c_str(), column.kind == CellKind::Number ? LVCFMT_RIGHT : LVCFMT_LEFT,
                         width < 80 ? 80 : width);
        }
    }
    SetItemCountEx(rows ? static_cast<int>(rows->RowCount()) : 0, 0);
    SetRedraw(TRUE);
    Invalidate();
}

void CResultList::RowsAdded()
{
    if (m_rows) SetItemCountEx(static_cast<int>(m_rows->RowCount()), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
}

void CResultList::GoToLastRow()
{
    const int last = GetItemCount() - 1;
    if (last < 0) return;
    SetItemState(-1, 0, LVIS_SELECTED);
    SetItemState(last, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(last, FALSE);
}

const CellView* CResultList::CellAt(int row, int listColumn, CellView& cell) const
{
    const int column = listColumn - kFirstResultColumn;
    if (!m_rows || row < 0 || column < 0 || static_cast<std::size_t>(row) >= m_rows->RowCount() ||
        static_cast<std::size_t>(column) >= m_rows->ColumnCount())
        return nullptr;
    cell = m_rows->Cell(static_cast<std::size_t>(row), static_cast<std::size_t>(column));
    return &cell;
}

void CResultList::OnGetDispInfo(NMHDR* header, LRESULT* result)
{
    *result = 0;
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
    LVITEMW& item = info->item;
    CellView cell;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        item.pszText[0] = L'\0';
        if (CellAt(item.iItem, item.iSubItem, cell)) {
            const int room = item.cchTextMax - 1 < kMaxCellChars ? item.cchTextMax - 1 : kMaxCellChars;
            const std::wstring text = CellDisplayText(cell, static_cast<std::size_t>(room));
            std::wmemcpy(item.pszText, text.c_str(), text.size() + 1);
        }
    }
    if (m_owner && m_rows && item.iItem + kRowsAhead >= static_cast<int>(m_rows->RowCount())) m_owner->RowsWanted(false);
}

void CResultList::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT: {
        // Only a row holding a NULL needs its cells drawn one by one (each
        // cell's notice costs a message): the others draw as the list does.
        bool hasNull = false;
        const auto row = static_cast<std::size_t>(draw->nmcd.dwItemSpec);
        if (m_rows && row < m_rows->RowCount()) {
            for (std::size_t column = 0; column < m_rows->ColumnCount() && !hasNull; ++column)
                hasNull = m_rows->Cell(row, column).kind == CellKind::Null;
        }
        *result = hasNull ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
        return;
    }
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        CellView cell;
        const bool null = CellAt(static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem, cell) && cell.kind == CellKind::Null;
        draw->clrText = ::GetSysColor(null ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
        *result = CDRF_NEWFONT;
        return;
    }
    default:
        *result = CDRF_DODEFAULT;
    }
}

void CResultList::OnKeyDown(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const WORD key = reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    if (ctrl && key == 'C') CopySelection(true);
    else if (key == VK_END && m_owner) m_owner->RowsWanted(true);
}

void CResultList::OnRightClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    CMenu menu;
    if (!menu.CreatePopupMenu()) return;
    const UINT enabled = GetSelectedCount() > 0 ? MF_ENABLED : MF_GRAYED;
    menu.AppendMenu(MF_STRING | enabled, ID_RESULTS_COPY, L"&Copy");
    menu.AppendMenu(MF_STRING | enabled, ID_RESULTS_COPY_HEADERS, L"Copy with &headers");
    POINT at = {};
    ::GetCursorPos(&at);
    const UINT chosen = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, this));
    if (chosen == ID_RESULTS_COPY || chosen == ID_RESULTS_COPY_HEADERS) CopySelection(chosen == ID_RESULTS_COPY_HEADERS);
}

std::wstring CResultList::SelectionText(bool withHeaders) const
{
    if (!m_rows || !m_columns) return std::wstring();
    std::vector<std::size_t> rows;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        if (static_cast<std::size_t>(row) < m_rows->RowCount()) rows.push_back(static_cast<std::size_t>(row));
    }
    std::vector<std::wstring> headers;
    for (const ResultColumn& column : *m_columns) headers.push_back(column.name);
    return RowsAsTabText(*m_rows, headers, rows, withHeaders);
}

void CResultList::CopySelection(bool withHeaders)
{
    if (GetSelectedCount() == 0) return;
    PutTextOnClipboard(m_hWnd, SelectionText(withHeaders));
}

// The empty first column keeps no width: dragging or double-clicking its divider does nothing.
void CResultList::OnHeaderNotify(NMHDR* header, LRESULT* result)
{
    if (reinterpret_cast<NMHEADERW*>(header)->iItem == 0) {
        *result = TRUE;
        return;
    }
    *result = DefWindowProc(WM_NOTIFY, static_cast<WPARAM>(header->idFrom), reinterpret_cast<LPARAM>(header));
}

void CResultList::OnMouseMove(UINT flags, CPoint point)
{
    UpdateTip(point);
    DefWindowProc(WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
}

// A cell whose text does not fit, or that is shown cut, gets its whole value as the tip.
void CResultList::UpdateTip(CPoint point)
{
    if (!m_tip) return;
    LVHITTESTINFO hit = {};
    hit.pt = point;
    SubItemHitTest(&hit);
    if (hit.iItem == m_tipRow && hit.iSubItem == m_tipColumn) return;
    m_tipRow = hit.iItem;
    m_tipColumn = hit.iSubItem;
    CellView cell;
    std::wstring text;
    if (CellAt(hit.iItem, hit.iSubItem, cell)) {
        const std::wstring whole = CellWholeText(cell);
        const bool cut = CellDisplayText(cell, whole.size() + 1) != whole;
        if (cut || GetStringWidth(whole.c_str()) + 12 > GetColumnWidth(hit.iSubItem)) text = whole.substr(0, kMaxTipChars);
    }
    m_tipText = text;
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = const_cast<wchar_t*>(m_tipText.c_str());
    ::SendMessageW(m_tip, TTM_POP, 0, 0);
    ::SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(m_tip, TTM_ACTIVATE, text.empty() ? FALSE : TRUE, 0);
}
