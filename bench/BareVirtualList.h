// CBareVirtualList: the floor of the Results scenarios: a plain virtual
// report list-view (LVS_OWNERDATA) in a top-level window of its own, as large
// as the Results list and with its font, its rows answered from the caller's
// texts on LVN_GETDISPINFO. No framework object touches it.
#pragma once

#include "bench/OwnedHandles.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

class CBareVirtualList {
public:
    // The text of a cell; it must live until the next call.
    using CellText = std::function<const std::wstring&(int row, int column)>;

    // Creates the window at (x, y) on the calling thread, the size of `model`.
    bool Create(HWND model, int x, int y);
    HWND List() const { return m_list; }
    int RowsPerPage() const;
    // Replaces the columns with one per heading.
    void SetColumns(const std::vector<std::wstring>& headings);
    // Shows `rows` rows read from `cells` and draws them at once.
    void Show(int rows, CellText cells);

private:
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void FillItem(LVITEMW& item) const;

    OwnedWindow m_frame;  // the top-level window; the list is its child
    HWND m_list = nullptr;
    int m_columns = 0;
    CellText m_cells;
};
