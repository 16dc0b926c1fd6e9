// Measures (asserts nothing) what filling, clearing and re-filling the tree
// grid with 30,000 rows costs, against a bare list-view filled with the same
// rows and emptied with LVM_DELETEALLITEMS in the same run. Prints a table.
#include "tests/grid/GridTestDialog.h"
#include "tests/support/PendingInput.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

wchar_t g_text[64];
const wchar_t* RowText(const wchar_t* prefix, int i)
{
    swprintf(g_text, 64, L"%ls %05d with a title of some length", prefix, i);
    return g_text;
}

// The floor: a list-view in a dialog that no framework object touches.
INT_PTR CALLBACK BareDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

HWND CreateBareDialog()
{
    // Same template as the grid's test dialog, built by hand.
    struct {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;  // DLGTEMPLATE is 18 bytes: the item starts DWORD-aligned
        DLGITEMTEMPLATE item;
        wchar_t className[14];
        WORD itemTitle, extra;
    } t = {};
    t.dialog.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    t.dialog.cdit = 1;
    t.dialog.cx = 420;
    t.dialog.cy = 200;
    t.item.style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_ALIGNLEFT;
    t.item.x = 7;
    t.item.y = 7;
    t.item.cx = 402;
    t.item.cy = 150;
    t.item.id = IDC_GRID_TEST_LIST;
    lstrcpyW(t.className, L"SysListView32");
    return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), &t.dialog, nullptr, &BareDialogProc, 0);
}

void AddColumns(HWND list)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.cx = 200;
    column.pszText = const_cast<LPWSTR>(L"Name");
    ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.pszText = const_cast<LPWSTR>(L"Description");
    column.iSubItem = 1;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
}

using ui::PumpMessages;

// A note row of the bare list at `row`: text "note <number>", the note image,
// `indent` and its comment in the second column.
void InsertBareNote(HWND list, int row, int number, int indent, LPARAM data)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_INDENT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = const_cast<LPWSTR>(RowText(L"note", number));
    item.lParam = data;
    item.iIndent = indent;
    item.iImage = 2;
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(L"a comment of the note");
    ::SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void BareFill(HWND list, int rows)
{
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < rows; ++i) InsertBareNote(list, i, i, 1, i);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
    ::UpdateWindow(list);
}

void BareClear(HWND list)
{
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    ::UpdateWindow(list);
}

void GridFill(CSuperGridCtrl& grid, int rows)
{
    grid.SetRedraw(FALSE);
    for (int i = 0; i < rows; ++i) grid.AddRootNode(MakeRecord(RowText(L"note", i), L"a comment of the note", i, 2));
    grid.SetRedraw(TRUE);
    grid.Invalidate();
    grid.UpdateWindow();
}

// The catalogue's shape: groups of notes added hidden under their group.
void GridFillGroups(CSuperGridCtrl& grid, int notes, int perGroup)
{
    grid.SetRedraw(FALSE);
    CSuperGridCtrl::CTreeItem* group = nullptr;
    for (int i = 0; i < notes; ++i) {
        if (i % perGroup == 0) group = grid.AddRootNode(MakeRecord(RowText(L"group", i / perGroup), nullptr, i, 1));
        grid.AddChildNode(group, MakeRecord(RowText(L"note", i), L"a comment of the note", i, 2), FALSE);
    }
    grid.SetRedraw(TRUE);
    grid.Invalidate();
    grid.UpdateWindow();
}

double Time(const std::function<void()>& work)
{
    const double start = Now();
    work();
    return Now() - start;
}

}  // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

    HWND bareDialog = CreateBareDialog();
    HWND bare = ::GetDlgItem(bareDialog, IDC_GRID_TEST_LIST);
    AddColumns(bare);
    CImageList bareImages;
    MakeTestImages(bareImages);
    ::SendMessageW(bare, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(bareImages.Detach()));

    CSuperGridCtrl grid;
    const std::unique_ptr<CGridTestDialog> dialog = OpenGridDialog(grid);
    if (!dialog) return 1;

    std::vector<double> bareFill, bareClear, bareRefill, gridFill, gridClear, gridRefill, groupFill, groupClear, expand,
        bareExpand;
    for (int run = 0; run < runs; ++run) {
        bareFill.push_back(Time([&] { BareFill(bare, rows); }));
        bareClear.push_back(Time([&] { BareClear(bare); }));
        bareRefill.push_back(Time([&] { BareFill(bare, rows); }));
        BareClear(bare);
        PumpMessages();

        gridFill.push_back(Time([&] { GridFill(grid, rows); }));
        gridClear.push_back(Time([&] { grid.DeleteAllNodes(); }));
        gridRefill.push_back(Time([&] { GridFill(grid, rows); }));
        grid.DeleteAllNodes();
        PumpMessages();

        groupFill.push_back(Time([&] { GridFillGroups(grid, rows, 100); }));
        // Expanding the middle group of 1,000 notes against 1,000 bare inserts.
        grid.DeleteAllNodes();
        GridFillGroups(grid, rows, 1000);
        const int middle = grid.GetItemCount() / 2;
        expand.push_back(Time([&] {
            grid.SetRedraw(FALSE);
            grid.ExpandNode(grid.NodeAtRow(middle), middle);
            grid.SetRedraw(TRUE);
            grid.UpdateWindow();
        }));
        groupClear.push_back(Time([&] { grid.DeleteAllNodes(); }));
        PumpMessages();
        BareFill(bare, rows / 1000);
        bareExpand.push_back(Time([&] {
            ::SendMessageW(bare, WM_SETREDRAW, FALSE, 0);
            for (int i = 0; i < 1000; ++i) InsertBareNote(bare, rows / 2000 + 1 + i, i, 2, 0);
            ::SendMessageW(bare, WM_SETREDRAW, TRUE, 0);
            ::UpdateWindow(bare);
        }));
        BareClear(bare);
        PumpMessages();
    }

    BareFill(bare, 10);
    const int bareRows = static_cast<int>(::SendMessageW(bare, LVM_GETITEMCOUNT, 0, 0));
    BareClear(bare);
    if (bareRows != 10) {
        std::printf("the bare list-view did not fill (%d rows)\n", bareRows);
        return 1;
    }
    std::printf("rows %d, median of %d runs, milliseconds\n", rows, runs);
    std::printf("%-46s %10s %10s %7s\n", "scenario", "grid", "bare", "ratio");
    auto line = [](const char* name, const std::vector<double>& g, const std::vector<double>& b) {
        std::printf("%-46s %10.1f %10.1f %7.2f\n", name, Median(g), Median(b), Median(g) / Median(b));
    };
    line("fill (roots with a second column)", gridFill, bareFill);
    line("clear (DeleteAllNodes / LVM_DELETEALLITEMS)", gridClear, bareClear);
    line("re-fill", gridRefill, bareRefill);
    std::vector<double> gridCycle, bareCycle;
    for (int i = 0; i < runs; ++i) {
        gridCycle.push_back(gridFill[i] + gridClear[i] + gridRefill[i]);
        bareCycle.push_back(bareFill[i] + bareClear[i] + bareRefill[i]);
    }
    line("fill + clear + re-fill", gridCycle, bareCycle);
    std::printf("%-46s %10.1f\n", "catalogue fill (groups of 100, hidden notes)", Median(groupFill));
    line("expand a group of 1,000 (middle of the list)", expand, bareExpand);
    std::printf("%-46s %10.1f\n", "clear of the catalogue", Median(groupClear));
    std::fflush(stdout);
    ::DestroyWindow(bareDialog);
    return 0;
}
