// What the dialog remembers for its user: the tab a double-click brings to
// the front, chosen in Options, and the recent note databases on the File
// menu; across Execute calls, across host processes, and with stored values
// that are damaged. Every test starts from an empty HKEY_CURRENT_USER of
// this program's own (harness::ClearUserSettings).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "tests/support/DialogHarness.h"
#include "tests/twousers/PeerProcess.h"
#include "tests/window/StoredSettings.h"
#include "tests/window/WindowTestSupport.h"

namespace {

using namespace dialogdriver;
using windowtest::FileIn;
using windowtest::Join;
using windowtest::MakeSample;
using windowtest::Narrow;
using Texts = std::vector<std::wstring>;

const wchar_t kPageValue[] = L"DoubleClickPage";
const wchar_t kRecentValue[] = L"RecentFiles";

std::string Stored(const wchar_t* name) { return storedsettings::Describe(storedsettings::Read(name)); }
// As storedsettings::Describe shows a multi-string of `paths`.
std::string StoredList(const Texts& paths)
{
    std::string out;
    for (const std::wstring& path : paths) out += (out.empty() ? "" : " | ") + Narrow(path);
    return "multi [" + out + "]";
}

// The file name after the last backslash.
std::wstring NameOf(const std::wstring& path) { return path.substr(path.rfind(L'\\') + 1); }

// Each entry is "&<n> " and a path no longer than 40 characters that ends
// with the file's name; names[i] belongs to entry i + 1.
void ExpectRecentEntries(const Texts& entries, const Texts& paths)
{
    ASSERT_EQ(paths.size(), entries.size()) << "entries: " << Join(entries);
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::wstring prefix = L"&" + std::to_wstring(i + 1) + L" ";
        const std::wstring& entry = entries[i];
        EXPECT_EQ(prefix, entry.substr(0, prefix.size())) << Narrow(entry);
        EXPECT_LE(entry.size(), prefix.size() + 40) << Narrow(entry);
        const std::wstring name = L"\\" + NameOf(paths[i]);
        EXPECT_EQ(name, entry.substr(entry.size() - std::min(entry.size(), name.size()))) << Narrow(entry) << " should show " << Narrow(paths[i]);
        if (paths[i].size() > 40) {
            EXPECT_NE(std::wstring::npos, entry.find(L"\\...\\")) << Narrow(entry) << " is not shortened";
        }
    }
}

void ExpectNoBoxes(const std::vector<SeenBox>& boxes, const char* what)
{
    EXPECT_TRUE(boxes.empty()) << what << " showed: " << Narrow(boxes.empty() ? L"" : boxes[0].text);
}

// The window with the keyboard focus on the dialog's thread.
// The double-click page the Options sheet shows as chosen, read by opening
// the sheet and cancelling it.
std::wstring ChoiceInOptions(HWND dialog)
{
    HWND sheet = OpenOptions(dialog);
    if (!sheet) return L"(the Options sheet did not open)";
    const std::wstring chosen = ChosenShowPage(sheet);
    EXPECT_TRUE(CloseOptions(dialog, sheet, IDCANCEL));
    return chosen;
}

// The answers of a second host process (QuillboxPeer.exe with a dialog of
// its own, on this program's settings) to `commands`, then File, Exit.
Texts RunHost(const Texts& commands)
{
    CPeerProcess host(true);
    EXPECT_TRUE(host.IsReady()) << "the second host process did not start";
    Texts answers;
    for (const std::wstring& command : commands) answers.push_back(host.Ask(command));
    EXPECT_EQ(L"ok", host.Ask(L"exit"));
    return answers;
}

std::wstring Line(const Texts& lines, size_t index) { return index < lines.size() ? lines[index] : L"(missing)"; }

TEST(Settings, DoubleClickPageIsAppliedStoredOnOkAndApplyOnlyAndKeptAcrossExecutesAndProcesses)
{
    ASSERT_TRUE(harness::ClearUserSettings());
    const std::wstring path = MakeSample(L"double click.mdb");
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ExpectNoBoxes(OpenFile(dialog, path).boxes, "Open");
        const Pages pages = FindPages(dialog);

        HWND sheet = OpenOptions(dialog);
        ASSERT_NE(nullptr, sheet);
        EXPECT_EQ(Join({L"None", L"View", L"Edit"}), Join(ComboEntries(ShowPageList(sheet))));
        EXPECT_EQ(L"None", ChosenShowPage(sheet));
        EXPECT_FALSE(ApplyEnabled(sheet)) << "nothing changed yet";
        ChooseShowPage(sheet, 2);
        EXPECT_TRUE(ApplyEnabled(sheet)) << "a new choice can be applied";
        EXPECT_TRUE(CloseOptions(dialog, sheet, IDCANCEL));
        EXPECT_EQ("absent", Stored(kPageValue)) << "Cancel stores nothing";

        // None: the pages show the note and the tab in front stays.
        SelectTab(dialog, 2);
        ExpectNoBoxes(DoubleClickRow(dialog, FindRow(dialog, L"zeta top")), "double-click");
        EXPECT_EQ(L"Group Edit", CurrentTab(dialog));
        EXPECT_EQ(L"SELECT 1", ItemText(pages.view, IDC_VIEW_QUERY));

        sheet = OpenOptions(dialog);
        ASSERT_NE(nullptr, sheet);
        EXPECT_EQ(L"None", ChosenShowPage(sheet)) << "the cancelled choice is not shown again";
        ChooseShowPage(sheet, 2);
        EXPECT_TRUE(CloseOptions(dialog, sheet, IDOK));
        EXPECT_EQ("dword 2", Stored(kPageValue));

        // Edit: every page still gets the note, then Edit comes to the front.
        SelectTab(dialog, 0);
        ExpectNoBoxes(DoubleClickRow(dialog, FindRow(dialog, L"alpha top")), "double-click");
        EXPECT_EQ(L"Edit", CurrentTab(dialog));
        EXPECT_EQ(L"alpha top", ItemText(pages.edit, IDC_EDIT_TITLE));
        EXPECT_EQ(L"SELECT 2", ItemText(pages.view, IDC_VIEW_QUERY));
        EXPECT_TRUE(::IsWindowVisible(pages.edit) && !::IsWindowVisible(pages.view)) << "the Edit page is the one shown";
        EXPECT_EQ(::GetDlgItem(dialog, IDC_NOTE_LIST), FocusedWindow(dialog)) << "the focus stays in the list";

        // A group row only expands: no tab changes.
        SelectTab(dialog, 2);
        DoubleClickRow(dialog, FindRow(dialog, L"Work"));
        EXPECT_EQ(L"Group Edit", CurrentTab(dialog));

        // Apply stores at once; the Cancel after it takes nothing back.
        sheet = OpenOptions(dialog);
        ASSERT_NE(nullptr, sheet);
        EXPECT_EQ(L"Edit", ChosenShowPage(sheet));
        ChooseShowPage(sheet, 1);
        PressApply(sheet);
        EXPECT_EQ("dword 1", Stored(kPageValue));
        EXPECT_TRUE(::IsWindow(sheet)) << "Apply keeps the sheet open";
        EXPECT_TRUE(CloseOptions(dialog, sheet, IDCANCEL));
        EXPECT_EQ("dword 1", Stored(kPageValue));
        SelectTab(dialog, 1);
        DoubleClickRow(dialog, FindRow(dialog, L"zeta top"));
        EXPECT_EQ(L"View", CurrentTab(dialog));
    });

    // The next Execute of this host shows and applies the stored choice.
    harness::Execute(host, [&](HWND dialog) {
        EXPECT_EQ(L"View", ChoiceInOptions(dialog));
        ExpectNoBoxes(OpenFile(dialog, path).boxes, "Open");
        SelectTab(dialog, 2);
        DoubleClickRow(dialog, FindRow(dialog, L"alpha top"));
        EXPECT_EQ(L"View", CurrentTab(dialog));
    });

    // Another host process finds it too, and what it chooses reaches a third.
    const std::wstring shown = L"open " + path;
    Texts lines = RunHost({L"options 2", shown, L"tab 2", L"show zeta top"});
    EXPECT_EQ(L"ok View", Line(lines, 0));
    EXPECT_EQ(L"ok", Line(lines, 1));
    EXPECT_EQ(L"ok Group Edit", Line(lines, 2));
    EXPECT_EQ(L"ok Edit", Line(lines, 3)) << "OK in the sheet applies at once";
    EXPECT_EQ("dword 2", Stored(kPageValue));
    lines = RunHost({L"options -1", shown, L"tab 0", L"show alpha top"});
    EXPECT_EQ(L"ok Edit", Line(lines, 0));
    EXPECT_EQ(L"ok Edit", Line(lines, 3));

    ASSERT_TRUE(harness::ClearUserSettings());
}

TEST(Settings, RecentFilesNewestFirstAtMostFourAcrossProcessesAndAMissingFileLeavesTheList)
{
    ASSERT_TRUE(harness::ClearUserSettings());
    const std::wstring a = MakeSample(L"recent notes a.mdb"), b = MakeSample(L"recent notes b.mdb");
    const std::wstring c = FileIn(L"recent notes c, made with New.mdb");
    const std::wstring d = MakeSample(L"recent notes d.mdb"), e = MakeSample(L"recent notes e.mdb");
    const Texts catalogue = windowtest::SampleCatalogue();
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        EXPECT_EQ(Join({L"&New=32781", L"&Open=32782", L"O&ptions=32776", L"|", L"&Export=32786", L"&Import=32787", L"&Synchronize...=32794", L"|", L"E&xit=32774"}),
                  Join(FileMenu(dialog)))
            << "no history yet";
        ExpectNoBoxes(OpenFile(dialog, a).boxes, "Open a");
        ExpectNoBoxes(OpenFile(dialog, b).boxes, "Open b");
        ExpectNoBoxes(NewFile(dialog, c).boxes, "New c");
        ExpectNoBoxes(OpenFile(dialog, d).boxes, "Open d");
        ExpectNoBoxes(OpenFile(dialog, e).boxes, "Open e");
        ExpectRecentEntries(RecentFileEntries(dialog), {e, d, c, b});
        const Texts menu = FileMenu(dialog);
        ASSERT_EQ(14u, menu.size()) << Join(menu);
        EXPECT_EQ(L"|", menu[7]);
        EXPECT_EQ(L"=32790", menu[8].substr(menu[8].size() - 6));
        EXPECT_EQ(L"=32793", menu[11].substr(menu[11].size() - 6));
        EXPECT_EQ(L"|", menu[12]);
        EXPECT_EQ(L"E&xit=32774", menu[13]);

        // Entry 4 opens b as File, Open would, and moves it to the top.
        ExpectNoBoxes(OpenFile(dialog, c).boxes, "Open c");  // c again: no repeat
        ExpectNoBoxes(ChooseRecentFile(dialog, 4), "recent 4");
        EXPECT_EQ(Join(catalogue), Join(RowNames(dialog)));
        ExpectRecentEntries(RecentFileEntries(dialog), {b, c, e, d});
    });
    EXPECT_EQ(StoredList({b, c, e, d}), Stored(kRecentValue));

    // A second host process: the same list, nothing opened by itself.
    Texts lines = RunHost({L"rows", L"menu", L"recent 3", L"rows", L"menu"});
    EXPECT_EQ(L"ok", Line(lines, 0)) << "the list starts empty";
    ExpectRecentEntries(AnswerTexts(Line(lines, 1)), {b, c, e, d});
    EXPECT_EQ(L"ok", Line(lines, 2));
    EXPECT_EQ(Join(catalogue), Join(AnswerTexts(Line(lines, 3)))) << "entry 3 opened e";
    ExpectRecentEntries(AnswerTexts(Line(lines, 4)), {e, b, c, d});
    EXPECT_EQ(StoredList({e, b, c, d}), Stored(kRecentValue));

    // A file that is gone: a message, the list leaves it, the open file stays.
    ASSERT_TRUE(::DeleteFileW(c.c_str()));
    harness::Execute(host, [&](HWND dialog) {
        ExpectRecentEntries(RecentFileEntries(dialog), {e, b, c, d});
        EXPECT_TRUE(RowNames(dialog).empty());
        ExpectNoBoxes(ChooseRecentFile(dialog, 1), "recent 1");
        const std::vector<SeenBox> boxes = ChooseRecentFile(dialog, 3);
        ASSERT_EQ(1u, boxes.size());
        EXPECT_NE(std::wstring::npos, boxes[0].text.find(c)) << Narrow(boxes[0].text);
        EXPECT_NE(std::wstring::npos, boxes[0].text.find(L"cannot be found")) << Narrow(boxes[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes[0].icon);
        EXPECT_EQ(Join(catalogue), Join(RowNames(dialog))) << "e stays open";
        ExpectRecentEntries(RecentFileEntries(dialog), {e, b, d});
    });
    EXPECT_EQ(StoredList({e, b, d}), Stored(kRecentValue));
    ExpectRecentEntries(AnswerTexts(Line(RunHost({L"menu"}), 0)), {e, b, d});

    ASSERT_TRUE(harness::ClearUserSettings());
}

// One damaged stored state, and what the dialog should make of it.
struct BadCase {
    const char* what;
    std::function<bool()> spoil;  // writes the damaged values
    Texts shownFiles;             // the recent entries the menu should show
    std::string pageAfter;        // DoubleClickPage once the dialog has started
    std::string recentAfter;      // RecentFiles likewise
};

TEST(Settings, DamagedStoredSettingsAreIgnoredAndReplacedAndOpenNothing)
{
    ASSERT_TRUE(harness::ClearUserSettings());
    const std::wstring a = MakeSample(L"kept a.mdb"), b = MakeSample(L"kept b.mdb");
    const std::wstring huge = L"C:\\" + std::wstring(4997, L'n');  // 5,000 characters
    using storedsettings::MultiString;
    using storedsettings::WriteDword;
    using storedsettings::WriteText;
    const std::vector<BadCase> cases = {
        {"text where numbers belong",
         [&] { return WriteText(kPageValue, REG_SZ, L"Edit") && WriteText(kRecentValue, REG_SZ, a + L"\0"); },
         {}, "dword 0", "multi []"},
        {"an unknown page and garbage among the paths",
         [&] {
             const Texts stored = {L"", a, std::wstring(L"C:\\bad\x01name.mdb"), huge, L"relative.mdb", L"C:\\folder\\",
                                   L"\\\\.\\PhysicalDrive0", L"C:\\x<y>.mdb", a, b};
             return WriteDword(kPageValue, 7) && WriteText(kRecentValue, REG_MULTI_SZ, MultiString(stored));
         },
         {a, b}, "dword 0", StoredList({a, b})},
        {"a page of eight bytes and a path list of odd bytes",
         [&] {
             const unsigned char page[8] = {2, 0, 0, 0, 0, 0, 0, 0}, odd[3] = {'C', 0, ':'};
             return storedsettings::Write(kPageValue, REG_BINARY, page, sizeof page) && storedsettings::Write(kRecentValue, REG_MULTI_SZ, odd, sizeof odd);
         },
         {}, "dword 0", "multi []"},
        {"one path of 5,000 characters and no closing NULs",
         [&] { return WriteDword(kPageValue, 0xFFFFFFFF) && WriteText(kRecentValue, REG_MULTI_SZ, huge); },
         {}, "dword 0", "multi []"},
        {"a list of 100,000 characters",
         [&] { return WriteText(kRecentValue, REG_MULTI_SZ, MultiString({b}) + std::wstring(100000, L'x')); },
         {}, "absent", "multi []"},
    };
    harness::Host host;
    for (const BadCase& bad : cases) {
        SCOPED_TRACE(bad.what);
        ASSERT_TRUE(harness::ClearUserSettings());
        ASSERT_TRUE(bad.spoil());
        harness::Execute(host, [&](HWND dialog) {
            ExpectNoBoxes(AnswerBoxes(dialog), "starting");
            // Replaced as soon as the dialog has read them.
            EXPECT_EQ(bad.pageAfter, Stored(kPageValue));
            EXPECT_EQ(bad.recentAfter, Stored(kRecentValue));
            EXPECT_TRUE(RowNames(dialog).empty()) << "nothing is opened by itself";
            ExpectRecentEntries(RecentFileEntries(dialog), bad.shownFiles);
            EXPECT_EQ(L"None", ChoiceInOptions(dialog));
            ExpectNoBoxes(OpenFile(dialog, b).boxes, "Open");
            SelectTab(dialog, 2);
            DoubleClickRow(dialog, FindRow(dialog, L"zeta top"));
            EXPECT_EQ(L"Group Edit", CurrentTab(dialog)) << "a damaged choice changes no tab";
            Texts expected = bad.shownFiles;
            expected.erase(std::remove(expected.begin(), expected.end(), b), expected.end());
            expected.insert(expected.begin(), b);
            ExpectRecentEntries(RecentFileEntries(dialog), expected);
        });
        EXPECT_EQ(bad.pageAfter, Stored(kPageValue));
    }
    ASSERT_TRUE(harness::ClearUserSettings());
}

} // namespace
