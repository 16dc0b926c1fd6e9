// CBareVirtualList: a plain virtual list-view answering LVN_GETDISPINFO.
#include "bench/BareVirtualList.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

namespace {

const wchar_t kFrameClass[] = L"QuillboxBenchVirtualFloor";

} // namespace

LRESULT CALLBACK CBareVirtualList::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CBareVirtualList*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NOTIFY && self) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == self->m_list && header->code == LVN_GETDISPINFOW) {
            self->FillItem(reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
            return 0;
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

bool CBareVirtualList::Create(HWND model, int x, int y)
{
    WNDCLASSW frameClass = {};
    frameClass.lpfnWndProc = &FrameProc;
    frameClass.hInstance = ::GetModuleHandleW(nullptr);
    frameClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    frameClass.lpszClassName = kFrameClass;
    ::RegisterClassW(&frameClass);

    RECT bounds;
    ::GetWindowRect(model, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    // Never activated, so the Quillbox dialog keeps the focus and the activation.
    m_frame.Reset(::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kFrameClass, L"results floor", WS_POPUP | WS_BORDER, x, y,
                                    width + 8, height + 8, nullptr, nullptr, frameClass.hInstance, nullptr));
    if (!m_frame) return false;
    ::SetWindowLongPtrW(m_frame.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_list = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                               WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                               4, 4, width, height, m_frame.Get(), nullptr, frameClass.hInstance, nullptr);
    if (!m_list) return false;
    ::SendMessageW(m_list, WM_SETFONT, ::SendMessageW(model, WM_GETFONT, 0, 0), FALSE);
    ::SendMessageW(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    ::ShowWindow(m_frame.Get(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_frame.Get());
    return true;
}

int CBareVirtualList::RowsPerPage() const { return static_cast<int>(::SendMessageW(m_list, LVM_GETCOUNTPERPAGE, 0, 0)); }

void CBareVirtualList::SetColumns(const std::vector<std::wstring>& headings)
{
    while (::SendMessageW(m_list, LVM_DELETECOLUMN, 0, 0)) {}
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    for (size_t i = 0; i < headings.size(); ++i) {
        column.pszText = const_cast<wchar_t*>(headings[i].c_str());
        ::SendMessageW(m_list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    m_columns = static_cast<int>(headings.size());
}

void CBareVirtualList::Show(int rows, CellText cells)
{
    m_cells = std::move(cells);
    ::SendMessageW(m_list, LVM_SETITEMCOUNT, rows, LVSICF_NOINVALIDATEALL);
    ::InvalidateRect(m_list, nullptr, TRUE);
    ::UpdateWindow(m_list);
}

void CBareVirtualList::FillItem(LVITEMW& item) const
{
    if (!(item.mask & LVIF_TEXT) || !m_cells || item.iSubItem >= m_columns || item.cchTextMax <= 0) return;
    const std::wstring& text = m_cells(item.iItem, item.iSubItem);
    const size_t length = std::min(text.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::wmemcpy(item.pszText, text.c_str(), length);
    item.pszText[length] = L'\0';
}
