// The note list's two report columns, Name and Description, inserted with
// plain list-view messages: the dialog's list and the benchmark's bare list
// (which no framework object touches) get the same ones.
#pragma once

#include <windows.h>
#include <commctrl.h>

inline void InsertNoteListColumns(HWND list)
{
    const wchar_t* columns[] = {L"Name", L"Description"};
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW info = {};
        info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        info.fmt = LVCFMT_LEFT;
        info.cx = 200;
        info.pszText = const_cast<wchar_t*>(columns[column]);
        info.iSubItem = column;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
    }
}
