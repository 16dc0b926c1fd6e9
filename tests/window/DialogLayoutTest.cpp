// The main dialog as it opens (menu, tabs for each host link, list columns
// and icons, focus) and as it is resized.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/DialogHarness.h"
#include "tests/window/NoteFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

using namespace dialogdriver;
using windowtest::Join;
using windowtest::Narrow;
using Names = std::vector<std::wstring>;

TEST(DialogLayout, OpensWithMenuThreeTabsAndAnEmptyTwoColumnList)
{
    // A user with no recent files: the File menu as the resource has it.
    ASSERT_TRUE(harness::ClearUserSettings());
    harness::Host host;  // the link's value is 0: no results
    harness::Execute(host, [&](HWND dialog) {
        HMENU bar = ::GetMenu(dialog);
        ASSERT_NE(nullptr, bar);
        const MenuSnapshot top = ReadMenu(bar);
        ASSERT_EQ(2u, top.items.size());
        EXPECT_EQ(L"&File", top.items[0].text);
        EXPECT_EQ(L"&Help", top.items[1].text);
        EXPECT_EQ((Names{L"&New=32781", L"&Open=32782", L"O&ptions=32776", L"|", L"&Export=32786", L"&Import=32787", L"&Synchronize...=32794", L"|", L"E&xit=32774"}),
                  MenuEntries(::GetSubMenu(bar, 0)))
            << "every entry enabled";
        EXPECT_EQ(Names{L"&About=32775"}, MenuEntries(::GetSubMenu(bar, 1)));

        const LONG style = ::GetWindowLongW(dialog, GWL_STYLE);
        EXPECT_TRUE((style & WS_THICKFRAME) && (style & WS_MAXIMIZEBOX) && (style & WS_SYSMENU)) << "resizable, with a maximise box";
        EXPECT_FALSE(style & WS_MINIMIZEBOX) << "no minimise box";

        EXPECT_EQ((Names{L"View", L"Edit", L"Group Edit"}), TabCaptions(::GetDlgItem(dialog, IDC_TAB)));
        HWND tab = ::GetDlgItem(dialog, IDC_TAB);
        EXPECT_EQ(0, ::SendMessageW(tab, TCM_GETCURSEL, 0, 0)) << "View is the current tab";
        EXPECT_TRUE(::GetWindowLongW(tab, GWL_STYLE) & WS_TABSTOP) << "the tab strip is a tab stop";
        const Pages pages = FindPages(dialog);
        EXPECT_TRUE(::IsWindowVisible(pages.view));
        EXPECT_FALSE(::IsWindowVisible(pages.edit));
        EXPECT_EQ(nullptr, pages.results) << "no Results page without the host's permission";
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(pages.view, IDC_VIEW_EXECUTE))) << "Execute stays disabled";

        HWND list = ::GetDlgItem(dialog, IDC_NOTE_LIST);
        HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
        ASSERT_EQ(2, ::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
        const wchar_t* captions[] = {L"Name", L"Description"};
        for (int column = 0; column < 2; ++column) {
            wchar_t text[64] = {};
            LVCOLUMNW info = {};
            info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            info.pszText = text;
            info.cchTextMax = 64;
            ASSERT_TRUE(::SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info)));
            EXPECT_EQ(std::wstring(captions[column]), text);
            EXPECT_EQ(200, info.cx);
            EXPECT_EQ(LVCFMT_LEFT, info.fmt & LVCFMT_JUSTIFYMASK);
        }
        EXPECT_EQ(static_cast<LRESULT>(LVS_EX_GRIDLINES), ::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
        EXPECT_TRUE(::GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        auto icons = reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
        ASSERT_NE(nullptr, icons);
        int width = 0, height = 0;
        ImageList_GetIconSize(icons, &width, &height);
        EXPECT_EQ(3, ImageList_GetImageCount(icons)) << "open folder, closed folder, note";
        EXPECT_EQ(16, width);
        EXPECT_EQ(16, height);
        EXPECT_EQ(0, ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));

        GUITHREADINFO focus = {};
        focus.cbSize = sizeof focus;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &focus);
        EXPECT_EQ(::GetDlgItem(dialog, IDC_FIND_TEXT), focus.hwndFocus) << "the Find box has the focus";

        // With nothing open, Export and Import say so and About shows its box; each is answered and the dialog stays.
        for (int command : {ID_FILE_EXPORT, ID_FILE_IMPORT, ID_HELP_ABOUT}) {
            ::PostMessageW(dialog, WM_COMMAND, command, 0);
            EXPECT_EQ(1u, AnswerBoxes(dialog).size()) << command;
        }
        EXPECT_TRUE(::IsWindowVisible(dialog));
        EXPECT_EQ(0, ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    });
}

TEST(DialogLayout, HostThatAllowsResultsGetsAFourthTabWithAnEmptyList)
{
    const std::wstring path = windowtest::FileIn(L"results.mdb");
    ASSERT_EQ(L"", notefiles::MakeNoteDatabase(path, notefiles::SampleStatements()));
    harness::Host host(true);
    harness::Execute(host, [&](HWND dialog) {
        EXPECT_EQ((Names{L"View", L"Edit", L"Group Edit", L"Results"}), TabCaptions(::GetDlgItem(dialog, IDC_TAB)));
        const Pages pages = FindPages(dialog);
        ASSERT_NE(nullptr, pages.results);
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(pages.view, IDC_VIEW_EXECUTE))) << "Execute is enabled";
        EXPECT_EQ(0, ::SendMessageW(::GetDlgItem(dialog, IDC_TAB), TCM_GETCURSEL, 0, 0)) << "View is still the current tab";

        ASSERT_TRUE(OpenFile(dialog, path).boxes.empty());
        DoubleClickRow(dialog, FindRow(dialog, L"zeta top"));
        ::SendMessageW(::GetDlgItem(dialog, IDC_TAB), TCM_SETCURFOCUS, 3, 0);
        Settle(dialog);
        EXPECT_TRUE(::IsWindowVisible(pages.results)) << "the Results tab shows its page";
        HWND results = ::GetDlgItem(pages.results, IDC_RESULTS_LIST);
        EXPECT_TRUE(::IsWindowVisible(results));
        EXPECT_EQ(0, ::SendMessageW(results, LVM_GETITEMCOUNT, 0, 0));
        HWND header = reinterpret_cast<HWND>(::SendMessageW(results, LVM_GETHEADER, 0, 0));
        EXPECT_EQ(0, header ? ::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 0) << "no columns";
    });
}

struct Layout {
    RECT dialog, list, tab, frame, findText, findButton;
};

Layout ReadLayout(HWND dialog)
{
    Layout layout;
    ::GetWindowRect(dialog, &layout.dialog);
    layout.list = RectInParent(::GetDlgItem(dialog, IDC_NOTE_LIST));
    layout.tab = RectInParent(::GetDlgItem(dialog, IDC_TAB));
    layout.frame = RectInParent(::GetDlgItem(dialog, IDC_FIND_FRAME));
    layout.findText = RectInParent(::GetDlgItem(dialog, IDC_FIND_TEXT));
    layout.findButton = RectInParent(::GetDlgItem(dialog, IDC_FIND));
    return layout;
}

std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

// `got` is `was` with its edges moved by the given amounts.
void ExpectMoved(const RECT& was, const RECT& got, int left, int top, int right, int bottom, const char* what)
{
    const RECT want = {was.left + left, was.top + top, was.right + right, was.bottom + bottom};
    EXPECT_TRUE(::EqualRect(&want, &got)) << what << ": got " << Text(got) << ", want " << Text(want);
}

void Resize(HWND dialog, int width, int height)
{
    ::SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle(dialog);
}

TEST(DialogLayout, ResizingMovesAndStretchesTheAnchoredControlsOnly)
{
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        const Layout first = ReadLayout(dialog);
        const Pages pages = FindPages(dialog);
        const RECT query = RectInParent(::GetDlgItem(pages.view, IDC_VIEW_QUERY));
        const RECT execute = RectInParent(::GetDlgItem(pages.view, IDC_VIEW_EXECUTE));
        const RECT copy = RectInParent(::GetDlgItem(pages.view, IDC_VIEW_COPY));
        const int width = first.dialog.right - first.dialog.left;
        const int height = first.dialog.bottom - first.dialog.top;

        Resize(dialog, width, height + 100);
        Layout now = ReadLayout(dialog);
        ExpectMoved(first.list, now.list, 0, 0, 0, 50, "list, taller");
        ExpectMoved(first.tab, now.tab, 0, 50, 0, 100, "tab control, taller");
        ExpectMoved(first.frame, now.frame, 0, 0, 0, 0, "group box, taller");
        ExpectMoved(first.findText, now.findText, 0, 0, 0, 0, "Find box, taller");
        ExpectMoved(first.findButton, now.findButton, 0, 0, 0, 0, "Find button, taller");
        RECT page = {}, tabClient = {};
        ::GetWindowRect(pages.view, &page);
        ::GetWindowRect(::GetDlgItem(dialog, IDC_TAB), &tabClient);
        EXPECT_TRUE(page.top >= tabClient.top && page.bottom <= tabClient.bottom) << "the page stays inside its tab control";

        // The pages' controls as they were, the Edit page's seen once in front.
        Resize(dialog, width, height);
        SelectTab(dialog, 1);
        const RECT title = RectInParent(::GetDlgItem(pages.edit, IDC_EDIT_TITLE));
        const RECT group = RectInParent(::GetDlgItem(pages.edit, IDC_EDIT_GROUP));
        const RECT comments = RectInParent(::GetDlgItem(pages.edit, IDC_EDIT_COMMENTS));
        const RECT noteQuery = RectInParent(::GetDlgItem(pages.edit, IDC_EDIT_QUERY));
        const RECT save = RectInParent(::GetDlgItem(pages.edit, IDC_EDIT_SAVE));
        SelectTab(dialog, 2);
        const RECT rename = RectInParent(::GetDlgItem(pages.groupEdit, IDC_GROUP_RENAME));
        SelectTab(dialog, 0);

        Resize(dialog, width + 100, height + 100);
        now = ReadLayout(dialog);
        ExpectMoved(first.list, now.list, 0, 0, 100, 50, "list, wider");
        ExpectMoved(first.tab, now.tab, 0, 50, 100, 100, "tab control, wider");
        ExpectMoved(first.frame, now.frame, 0, 0, 100, 0, "group box, wider");
        ExpectMoved(first.findText, now.findText, 0, 0, 100, 0, "Find box, wider");
        ExpectMoved(first.findButton, now.findButton, 100, 0, 100, 0, "Find button, wider");
        // The page in front grows with the tab control (100 by 50), and its controls with it.
        ExpectMoved(query, RectInParent(::GetDlgItem(pages.view, IDC_VIEW_QUERY)), 0, 0, 100, 50, "View's query");
        ExpectMoved(execute, RectInParent(::GetDlgItem(pages.view, IDC_VIEW_EXECUTE)), 0, 50, 0, 50, "Execute");
        ExpectMoved(copy, RectInParent(::GetDlgItem(pages.view, IDC_VIEW_COPY)), 0, 50, 0, 50, "Copy");
        // A page brought to the front later takes the size it is shown at.
        SelectTab(dialog, 1);
        ExpectMoved(title, RectInParent(::GetDlgItem(pages.edit, IDC_EDIT_TITLE)), 0, 0, 50, 0, "title");
        ExpectMoved(group, RectInParent(::GetDlgItem(pages.edit, IDC_EDIT_GROUP)), 50, 0, 100, 0, "group");
        ExpectMoved(comments, RectInParent(::GetDlgItem(pages.edit, IDC_EDIT_COMMENTS)), 0, 0, 100, 15, "comments");
        ExpectMoved(noteQuery, RectInParent(::GetDlgItem(pages.edit, IDC_EDIT_QUERY)), 0, 15, 100, 50, "Edit's query");
        ExpectMoved(save, RectInParent(::GetDlgItem(pages.edit, IDC_EDIT_SAVE)), 0, 50, 0, 50, "Save");
        SelectTab(dialog, 2);
        ExpectMoved(rename, RectInParent(::GetDlgItem(pages.groupEdit, IDC_GROUP_RENAME)), 0, 50, 0, 50, "Rename, with Save and Delete");
        SelectTab(dialog, 0);

        // Maximised, the whole dialog lies in the work area, its caption included.
        ::ShowWindow(dialog, SW_MAXIMIZE);
        Settle(dialog);
        RECT maximised = {};
        ::GetWindowRect(dialog, &maximised);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor));
        EXPECT_TRUE(::EqualRect(&maximised, &monitor.rcWork)) << "maximised: got " << Text(maximised) << ", work area " << Text(monitor.rcWork);
        ::ShowWindow(dialog, SW_RESTORE);
        Settle(dialog);
        now = ReadLayout(dialog);
        ExpectMoved(first.list, now.list, 0, 0, 100, 50, "list, restored");

        // Back to the first size, then an attempt to go below it.
        Resize(dialog, width, height);
        now = ReadLayout(dialog);
        ExpectMoved(first.list, now.list, 0, 0, 0, 0, "list, back");
        ExpectMoved(first.tab, now.tab, 0, 0, 0, 0, "tab control, back");
        Resize(dialog, width - 80, height - 60);
        now = ReadLayout(dialog);
        EXPECT_EQ(width, now.dialog.right - now.dialog.left) << "no narrower than it opened";
        EXPECT_EQ(height, now.dialog.bottom - now.dialog.top) << "no lower than it opened";
        MINMAXINFO limits = {};
        ::SendMessageW(dialog, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(width, limits.ptMinTrackSize.x);
        EXPECT_EQ(height, limits.ptMinTrackSize.y);
    });
}

TEST(DialogLayout, AMessageBoxOpensOverTheMiddleOfTheDialog)
{
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        // At the screen's top left the dialog's middle is far from the screen's.
        ::SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Settle(dialog);
        ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXPORT, 0);  // nothing is open: a box says so
        HWND box = ui::WaitForMessageBox();
        ASSERT_NE(nullptr, box);
        RECT boxRect = {}, dialogRect = {};
        ::GetWindowRect(box, &boxRect);
        ::GetWindowRect(dialog, &dialogRect);
        const ui::SeenBox seen = ui::AnswerMessageBox(box);
        Settle(dialog);
        EXPECT_NE(std::wstring::npos, seen.text.find(L"No note database is open"));
        EXPECT_LE(std::abs((boxRect.left + boxRect.right) - (dialogRect.left + dialogRect.right)), 2)
            << "box " << Text(boxRect) << ", dialog " << Text(dialogRect);
        EXPECT_LE(std::abs((boxRect.top + boxRect.bottom) - (dialogRect.top + dialogRect.bottom)), 2)
            << "box " << Text(boxRect) << ", dialog " << Text(dialogRect);
    });
}

} // namespace
