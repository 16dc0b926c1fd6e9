// CBareList: a plain list-view filled with list-view messages.
#include "bench/BareList.h"

#include "window/NoteListColumns.h"

#include <commctrl.h>

namespace {

const wchar_t kFrameClass[] = L"QuillboxBenchFloor";

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

bool CBareList::Create(HWND model, HIMAGELIST images, int x, int y, int roomBelow)
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
    m_frame.Reset(::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kFrameClass, L"floor", WS_POPUP | WS_BORDER, x, y,
                                    width + 8, height + 8 + roomBelow, nullptr, nullptr, frameClass.hInstance, nullptr));
    if (!m_frame) return false;
    m_list = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_ALIGNLEFT,
                               4, 4, width, height, m_frame.Get(), nullptr, frameClass.hInstance, nullptr);
    if (!m_list) return false;
    ::SendMessageW(m_list, WM_SETFONT, ::SendMessageW(model, WM_GETFONT, 0, 0), FALSE);
    ::SendMessageW(m_list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    ::SendMessageW(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES);
    InsertNoteListColumns(m_list);
    ::ShowWindow(m_frame.Get(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_frame.Get());
    return true;
}

void CBareList::BeginUpdate() { ::SendMessageW(m_list, WM_SETREDRAW, FALSE, 0); }

void CBareList::EndUpdate(int showRow)
{
    ::SendMessageW(m_list, WM_SETREDRAW, TRUE, 0);
    if (showRow >= 0) ::SendMessageW(m_list, LVM_ENSUREVISIBLE, showRow, TRUE);
    ::InvalidateRect(m_list, nullptr, TRUE);
    ::UpdateWindow(m_list);
}

int CBareList::Insert(int index, const ListRow& row)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_INDENT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(row.name.c_str());
    item.lParam = row.data;
    item.iIndent = row.indent;
    item.iImage = row.image == -1 ? I_IMAGENONE : row.image;
    const int inserted = static_cast<int>(::SendMessageW(m_list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row.hasDescription) {
        item.mask = LVIF_TEXT;
        item.iItem = inserted;
        item.iSubItem = 1;
        item.pszText = const_cast<wchar_t*>(row.description.c_str());
        ::SendMessageW(m_list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    return inserted;
}

void CBareList::DeleteAll()
{
    ::SendMessageW(m_list, LVM_DELETEALLITEMS, 0, 0);
    ::InvalidateRect(m_list, nullptr, TRUE);
    ::UpdateWindow(m_list);
}

void CBareList::Clear() { ::SendMessageW(m_list, LVM_DELETEALLITEMS, 0, 0); }

void CBareList::Delete(int first, int count)
{
    for (int i = 0; i < count; ++i) ::SendMessageW(m_list, LVM_DELETEITEM, first, 0);
}

int CBareList::Count() const { return static_cast<int>(::SendMessageW(m_list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring CBareList::Name(int row) const
{
    wchar_t text[512] = {};
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 512;
    ::SendMessageW(m_list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}
