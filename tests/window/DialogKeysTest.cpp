// The main dialog from the keyboard and the tab strip with the mouse: Tab
// through every control in the order they stand, the page keys, the scope
// menu, the accelerators and Delete on a list row, Enter where it must not
// end the dialog, the focus marks, and the strip after a double-click that
// brought a page to the front.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "tests/support/DialogHarness.h"
#include "tests/support/DibCanvas.h"
#include "tests/window/NoteFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

using namespace dialogdriver;
using namespace windowtest;
using Names = std::vector<std::wstring>;

// "class id" of a window, for failure messages.
std::string Name(HWND window)
{
    if (!window) return "(none)";
    return Narrow(ui::ClassName(window)) + " " + std::to_string(::GetDlgCtrlID(window));
}

// The windows Tab (or Shift+Tab) reaches, one press each.
std::vector<std::string> Walk(HWND dialog, int presses, int modifiers)
{
    std::vector<std::string> reached;
    for (int press = 0; press < presses; ++press) {
        PressKey(dialog, VK_TAB, modifiers);
        reached.push_back(Name(FocusedWindow(dialog)));
    }
    return reached;
}

std::string JoinNames(const std::vector<std::string>& texts)
{
    std::string joined;
    for (const std::string& text : texts) joined += (joined.empty() ? "" : ", ") + text;
    return joined;
}

TEST(DialogKeys, TabWalksFindBoxButtonListStripAndPageInTheOrderTheyStandAndShiftTabBack)
{
    const std::wstring path = MakeSample(L"tab order.mdb");
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        PressKey(dialog, 'F', kCtrl);
        ASSERT_EQ(::GetDlgItem(dialog, IDC_FIND_TEXT), FocusedWindow(dialog)) << "Ctrl+F goes to the Find box";
        // The View page holds the query box and Copy; its Execute stays disabled without results.
        const std::vector<std::string> forward = {"Button 1009", "SysListView32 1020", "SysTabControl32 1007", "Edit 1002", "Button 1029",
                                                  "Edit 1002"};
        EXPECT_EQ(JoinNames(forward), JoinNames(Walk(dialog, 6, kNoModifier)));
        EXPECT_EQ(::GetDlgItem(dialog, IDC_FIND_TEXT), FocusedWindow(dialog)) << "out of the page, back at the Find box";
        EXPECT_EQ(JoinNames({"Button 1029", "Edit 1002", "SysTabControl32 1007", "SysListView32 1020"}), JoinNames(Walk(dialog, 4, kShift)));

        // On the Edit page Tab goes through every control of the page and out again.
        SelectTab(dialog, 1);
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_TAB)), TRUE);
        Settle(dialog);
        // Delete is disabled and New hidden while the page holds no note.
        const std::vector<std::string> edit = {"Edit 1002", "Edit 1013", "Edit 1014", "ComboBox 1015", "Button 1012", "Edit 1002"};
        EXPECT_EQ(JoinNames(edit), JoinNames(Walk(dialog, 6, kNoModifier))) << "title, comments, query, group, Save, then the Find box";
        EXPECT_EQ(::GetDlgItem(dialog, IDC_FIND_TEXT), FocusedWindow(dialog));
    });
}

TEST(DialogKeys, CtrlTabAndCtrlPageKeysChangePagesAndEnterOnTheStripOrButtonEndsNothing)
{
    const std::wstring path = MakeSample(L"page keys.mdb");
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        const Pages pages = FindPages(dialog);
        HWND tab = ::GetDlgItem(dialog, IDC_TAB);
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(pages.view, IDC_VIEW_QUERY)), TRUE);
        Settle(dialog);
        PressKey(dialog, VK_TAB, kCtrl);
        EXPECT_EQ(L"Edit", CurrentTab(dialog));
        EXPECT_EQ(::GetDlgItem(pages.edit, IDC_EDIT_TITLE), FocusedWindow(dialog)) << "the focus moves into the page shown";
        PressKey(dialog, VK_NEXT, kCtrl);
        EXPECT_EQ(L"Group Edit", CurrentTab(dialog));
        PressKey(dialog, VK_NEXT, kCtrl);
        EXPECT_EQ(L"View", CurrentTab(dialog)) << "round from the last page to the first";
        PressKey(dialog, VK_TAB, kCtrl | kShift);
        EXPECT_EQ(L"Group Edit", CurrentTab(dialog));
        PressKey(dialog, VK_PRIOR, kCtrl);
        EXPECT_EQ(L"Edit", CurrentTab(dialog));

        // From the list the page changes and the focus stays in the list.
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_NOTE_LIST)), TRUE);
        PressKey(dialog, VK_TAB, kCtrl);
        EXPECT_EQ(L"Group Edit", CurrentTab(dialog));
        EXPECT_EQ(::GetDlgItem(dialog, IDC_NOTE_LIST), FocusedWindow(dialog));

        // On the strip its arrows change pages and the focus stays on it; Enter leads into the page.
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tab), TRUE);
        Settle(dialog);
        ASSERT_EQ(tab, FocusedWindow(dialog)) << "the strip keeps the focus it gets";
        PressKey(dialog, VK_LEFT);
        EXPECT_EQ(L"Edit", CurrentTab(dialog));
        EXPECT_EQ(tab, FocusedWindow(dialog));
        EXPECT_TRUE(PressKey(dialog, VK_RETURN).empty());
        EXPECT_TRUE(::IsWindowVisible(dialog)) << "Enter on the strip ends nothing";
        EXPECT_EQ(::GetDlgItem(pages.edit, IDC_EDIT_TITLE), FocusedWindow(dialog));

        // Enter on the Find button searches as its click does.
        SetFindText(dialog, L"report");
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_FIND)), TRUE);
        EXPECT_TRUE(PressKey(dialog, VK_RETURN).empty());
        ASSERT_TRUE(::IsWindowVisible(dialog)) << "Enter on the Find button ends nothing";
        EXPECT_EQ((Names{L"Report a", L"report b"}), RowNames(dialog));
    });
}

TEST(DialogKeys, AltDownF4AndShiftF10OnTheFindButtonOpenTheScopeMenu)
{
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_FIND)), TRUE);
        struct Key {
            UINT key;
            int modifiers;
        };
        for (const Key& press : {Key{VK_DOWN, kAlt}, Key{VK_F4, kNoModifier}, Key{VK_F10, kShift | kAlt}}) {
            PressKey(dialog, press.key, press.modifiers);
            HWND menu = ui::WaitForWindow(L"#32768", nullptr, 5000);
            ASSERT_NE(nullptr, menu) << "key " << press.key << " opened no menu";
            EXPECT_EQ(3u, ReadMenu(menu).items.size());
            ChooseMenuItem(dialog, menu, 1);
        }
        const HWND menu = OpenFindMenu(dialog);
        ASSERT_NE(nullptr, menu);
        const MenuSnapshot scope = ReadMenu(menu);
        DismissMenu(dialog, menu);
        EXPECT_TRUE(scope.items[1].checked) << "Description was chosen three times from the keyboard";
    });
}

TEST(DialogKeys, CtrlNNewNoteCtrlSSavesCtrlOOpensAndDeleteOnARowDeletesAfterTheQuestion)
{
    const std::wstring path = MakeSample(L"accelerators.mdb");
    ExecuteOnOpenedFile(path, [&](HWND dialog) {
        const Pages pages = FindPages(dialog);
        DoubleClickRow(dialog, FindRow(dialog, L"zeta top"));
        PressKey(dialog, 'N', kCtrl);
        EXPECT_EQ(L"Edit", CurrentTab(dialog)) << "Ctrl+N brings Edit to the front";
        EXPECT_EQ(L"", ItemText(pages.edit, IDC_EDIT_TITLE)) << "with a new note";
        ASSERT_EQ(::GetDlgItem(pages.edit, IDC_EDIT_TITLE), FocusedWindow(dialog)) << "ready to type its title";
        SetItemText(pages.edit, IDC_EDIT_TITLE, L"typed by keys");
        SetItemText(pages.edit, IDC_EDIT_QUERY, L"SELECT 42");
        EXPECT_TRUE(PressKey(dialog, 'S', kCtrl).empty());
        EXPECT_EQ((Names{L"typed by keys|SELECT 42"}), notefiles::Rows(path, L"SELECT name, query FROM notes WHERE name = 'typed by keys'"))
            << "Ctrl+S saved it";

        // Delete on a row asks the Edit page's question; No keeps the note, Yes deletes it.
        Find(dialog, L"");
        SelectRow(dialog, FindRow(dialog, L"alpha top"));
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_NOTE_LIST)), TRUE);
        const Boxes kept = PressKey(dialog, VK_DELETE, kNoModifier, {IDNO});
        ASSERT_EQ(1u, kept.size()) << Describe(kept);
        EXPECT_EQ(L"Are you shure you want to remove current node?", kept[0].text);
        EXPECT_EQ(1u, notefiles::Rows(path, L"SELECT id FROM notes WHERE name = 'alpha top'").size());
        EXPECT_NE(-1, FindRow(dialog, L"alpha top"));
        const Boxes deleted = PressKey(dialog, VK_DELETE, kNoModifier, {IDYES});
        ASSERT_EQ(1u, deleted.size()) << Describe(deleted);
        EXPECT_TRUE(notefiles::Rows(path, L"SELECT id FROM notes WHERE name = 'alpha top'").empty()) << "the note is gone";
        EXPECT_EQ(-1, FindRow(dialog, L"alpha top")) << "and so is its row";

        // Ctrl+O shows the Open dialog.
        PressKey(dialog, 'O', kCtrl);
        HWND open = ui::WaitForWindow(L"#32770", L"Open", 5000);
        ASSERT_NE(nullptr, open) << "Ctrl+O showed no Open dialog";
        ::PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
        ui::WaitForWindowGone(open);
        Settle(dialog);
    });
}

// The client area of `window` as it draws itself into a bitmap.
std::vector<COLORREF> Picture(HWND window)
{
    RECT client = {};
    ::GetClientRect(window, &client);
    DibCanvas canvas(client.right, client.bottom);
    ::FillRect(canvas.Dc(), &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x) pixels.push_back(canvas.At(x, y));
    return pixels;
}

TEST(DialogKeys, TheFindButtonAndAnEmptyListShowTheirFocus)
{
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        HWND button = ::GetDlgItem(dialog, IDC_FIND);
        HWND list = ::GetDlgItem(dialog, IDC_NOTE_LIST);
        PressKey(dialog, VK_TAB);  // the keyboard is in use: focus marks are shown from now on
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_FIND_TEXT)), TRUE);
        const std::vector<COLORREF> buttonWithout = Picture(button), listWithout = Picture(list);
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
        EXPECT_NE(buttonWithout, Picture(button)) << "the focused Find button draws a focus mark";
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
        EXPECT_EQ(0, ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        EXPECT_NE(listWithout, Picture(list)) << "the focused empty list draws a focus mark";
    });
}

TEST(DialogKeys, TheStripAnswersClicksAfterADoubleClickBroughtViewToTheFront)
{
    ASSERT_TRUE(harness::ClearUserSettings());
    const std::wstring path = MakeSample(L"strip after double click.mdb");
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        HWND sheet = OpenOptions(dialog);
        ASSERT_NE(nullptr, sheet);
        ChooseShowPage(sheet, 1);  // View
        ASSERT_TRUE(CloseOptions(dialog, sheet, IDOK));
        ASSERT_TRUE(OpenFile(dialog, path).boxes.empty());

        ClickTab(dialog, 1);
        ASSERT_EQ(L"Edit", CurrentTab(dialog));
        DoubleClickRow(dialog, FindRow(dialog, L"zeta top"));
        ASSERT_EQ(L"View", CurrentTab(dialog)) << "the double-click brings View to the front";
        for (int index : {1, 2, 0}) {
            ClickTab(dialog, index);
            EXPECT_EQ(TabCaptions(::GetDlgItem(dialog, IDC_TAB))[index], CurrentTab(dialog)) << "a click on tab " << index;
        }
        EXPECT_TRUE(::IsWindowVisible(FindPages(dialog).view));
        EXPECT_EQ(L"zeta top", ItemText(FindPages(dialog).edit, IDC_EDIT_TITLE));
    });
}

} // namespace
