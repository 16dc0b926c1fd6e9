// Running notes: Execute on the View page runs the box's text on a data
// source through Debian's SQLite ODBC driver, and the Results page shows the
// rows. The data file is made and read back through a connection of the
// test's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "framework/CDatabase.h"
#include "framework/CRecordset.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/SecretSearch.h"
#include "tests/support/UnixPath.h"
#include "tests/window/NoteFiles.h"
#include "tests/window/WindowTestSupport.h"

namespace {

using namespace dialogdriver;
using Texts = std::vector<std::wstring>;

const wchar_t kSqliteDriver[] = L"SQLite3 ODBC Driver";

std::wstring SqliteConnection(const std::wstring& file)
{
    return L"DRIVER={" + std::wstring(kSqliteDriver) + L"};Database=" + UnixPathOf(file) + L";";
}

// Runs `statements` on the SQLite file through the test's own connection.
void RunOnSqlite(const std::wstring& file, const Texts& statements)
{
    CDatabase database;
    database.OpenEx((L"ODBC;" + SqliteConnection(file)).c_str(), CDatabase::noOdbcDialog);
    for (const std::wstring& sql : statements) database.ExecuteSQL(sql.c_str());
}

// The first column of `sql`'s rows on the SQLite file.
Texts FirstColumn(const std::wstring& file, const std::wstring& sql)
{
    CDatabase database;
    database.OpenEx((L"ODBC;" + SqliteConnection(file)).c_str(), CDatabase::noOdbcDialog);
    CRecordset rows(&database);
    rows.Open(CRecordset::forwardOnly, sql.c_str());
    Texts texts;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        CString value;
        rows.GetFieldValue(static_cast<short>(0), value);
        texts.emplace_back(value.GetString());
    }
    return texts;
}

const Texts kItems = {
    L"CREATE TABLE items (id INTEGER PRIMARY KEY, name TEXT, price REAL)",
    L"INSERT INTO items VALUES (1, 'pen', 1.5)",
    L"INSERT INTO items VALUES (2, 'ink', 12.25)",
    L"INSERT INTO items VALUES (3, 'pad', 3)",
};

// A note database with one note per query, named "n1", "n2", ...
std::wstring NotesFor(const wchar_t* name, const Texts& queries)
{
    Texts statements;
    for (std::size_t i = 0; i < queries.size(); ++i) {
        std::wstring quoted;
        for (wchar_t c : queries[i]) quoted += c == L'\'' ? std::wstring(L"''") : std::wstring(1, c);
        statements.push_back(L"INSERT INTO notes VALUES(" + std::to_wstring(i + 1) + L",0,'n" + std::to_wstring(i + 1) + L"',NULL,'" + quoted + L"')");
    }
    const std::wstring path = windowtest::FileIn(name);
    EXPECT_EQ(L"", notefiles::MakeNoteDatabase(path, statements));
    return path;
}

// Double-clicks note `name` so that the View page shows its query.
void ShowNote(HWND dialog, const wchar_t* name)
{
    SelectTab(dialog, 0);
    EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, name)).empty());
}

HWND ResultList(HWND dialog) { return ::GetDlgItem(FindPages(dialog).results, IDC_RESULTS_LIST); }

int ColumnFormat(HWND dialog, int column)
{
    LVCOLUMNW info = {};
    info.mask = LVCF_FMT;
    ::SendMessageW(ResultList(dialog), LVM_GETCOLUMNW, static_cast<WPARAM>(column + 1), reinterpret_cast<LPARAM>(&info));
    return info.fmt & LVCFMT_JUSTIFYMASK;
}

void SelectResultRows(HWND dialog, const std::vector<int>& rows)
{
    HWND list = ResultList(dialog);
    LVITEMW none = {};
    none.stateMask = LVIS_SELECTED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    for (int row : rows) {
        LVITEMW item = {};
        item.state = item.stateMask = LVIS_SELECTED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(::GetParent(list), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return L"(clipboard not opened)";
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) text = chars;
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// Moves the mouse over a cell of the Results list and reads the tooltip the list keeps.
std::wstring TipOverCell(HWND dialog, int row, int column)
{
    HWND list = ResultList(dialog);
    RECT cell = {};
    cell.top = column + 1;
    cell.left = LVIR_BOUNDS;
    ::SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    ::PostMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    Settle(dialog);
    for (HWND window : ui::OwnTopLevelWindows()) {
        if (ui::ClassName(window) != L"tooltips_class32") continue;
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        if (!::SendMessageW(window, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)) || tool.hwnd != list) continue;
        std::vector<wchar_t> text(40000, L'\0');
        tool.lpszText = text.data();
        ::SendMessageW(window, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
        return text.data();
    }
    return L"(no tooltip)";
}

TEST(Results, NoteRunsOnTheDataSourceAsShownEditedOrSelected)
{
    const std::wstring data = windowtest::FileIn(L"shop.sqlite");
    RunOnSqlite(data, kItems);
    const std::wstring notes = NotesFor(L"shop notes.mdb", {L"SELECT id, name, price FROM items ORDER BY id"});
    harness::Host host(true);
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        SetRunSource(dialog, SqliteConnection(data));
        ShowNote(dialog, L"n1");
        EXPECT_TRUE(Execute(dialog).empty());
        EXPECT_EQ(L"Results", CurrentTab(dialog)) << "the Results tab comes to the front";
        EXPECT_EQ((Texts{L"id", L"name", L"price"}), ResultColumns(dialog));
        ASSERT_EQ(3, ResultRowCount(dialog)) << Narrow(ResultStatus(dialog));
        EXPECT_EQ(L"2", ResultCell(dialog, 1, 0));
        EXPECT_EQ(L"ink", ResultCell(dialog, 1, 1));
        EXPECT_EQ(L"12.25", ResultCell(dialog, 1, 2));
        EXPECT_EQ(LVCFMT_RIGHT, ColumnFormat(dialog, 2)) << "numbers are right-aligned";
        EXPECT_EQ(LVCFMT_RIGHT, ColumnFormat(dialog, 0)) << "in the first column too";
        // The list's own empty first column that allows it is never widened.
        HWND header = reinterpret_cast<HWND>(::SendMessageW(ResultList(dialog), LVM_GETHEADER, 0, 0));
        NMHEADERW track = {};
        track.hdr.hwndFrom = header;
        track.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(header));
        track.hdr.code = HDN_BEGINTRACKW;
        EXPECT_TRUE(::SendMessageW(ResultList(dialog), WM_NOTIFY, track.hdr.idFrom, reinterpret_cast<LPARAM>(&track)));
        track.iItem = 1;
        EXPECT_FALSE(::SendMessageW(ResultList(dialog), WM_NOTIFY, track.hdr.idFrom, reinterpret_cast<LPARAM>(&track))) << "the others are";
        EXPECT_EQ(LVCFMT_LEFT, ColumnFormat(dialog, 1));
        EXPECT_TRUE(Contains(ResultStatus(dialog), L"Statement 1: 3 rows, ")) << Narrow(ResultStatus(dialog));

        // The box as edited runs, never saved.
        const HWND view = FindPages(dialog).view;
        SetItemText(view, IDC_VIEW_QUERY, L"SELECT name FROM items WHERE price > 2 ORDER BY name");
        EXPECT_TRUE(Execute(dialog).empty());
        EXPECT_EQ((Texts{L"name"}), ResultColumns(dialog));
        ASSERT_EQ(2, ResultRowCount(dialog));
        EXPECT_EQ(L"ink", ResultCell(dialog, 0, 0));
        EXPECT_EQ(L"pad", ResultCell(dialog, 1, 0));

        // A selection runs alone; F5 in the box runs as the button does.
        const std::wstring two = L"SELECT 'first' AS a;\r\nSELECT 'second' AS b";
        SetItemText(view, IDC_VIEW_QUERY, two);
        SelectTab(dialog, 0);
        ::SendMessageW(view, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(view, IDC_VIEW_QUERY)), TRUE);
        const auto at = static_cast<WPARAM>(two.find(L"SELECT 'second'"));
        ::SendMessageW(::GetDlgItem(view, IDC_VIEW_QUERY), EM_SETSEL, at, static_cast<LPARAM>(two.size()));
        EXPECT_TRUE(PressKey(dialog, VK_F5).empty());
        WaitForRunEnd(dialog);
        EXPECT_EQ((Texts{L"b"}), ResultColumns(dialog));
        EXPECT_EQ(L"second", ResultCell(dialog, 0, 0));

        // Both statements, with Ctrl+Enter: two results, chosen on the page.
        SelectTab(dialog, 0);
        ::SendMessageW(view, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(view, IDC_VIEW_QUERY)), TRUE);
        ::SendMessageW(::GetDlgItem(view, IDC_VIEW_QUERY), EM_SETSEL, 0, 0);
        EXPECT_TRUE(PressKey(dialog, VK_RETURN, kCtrl).empty());
        WaitForRunEnd(dialog);
        EXPECT_EQ(two, ItemText(view, IDC_VIEW_QUERY)) << "Ctrl+Enter adds no line";
        EXPECT_EQ((Texts{L"a"}), ResultColumns(dialog));
        const HWND results = FindPages(dialog).results;
        EXPECT_EQ(2u, ComboEntries(::GetDlgItem(results, IDC_RESULTS_CHOICE)).size());
        EXPECT_TRUE(ChooseEntry(results, IDC_RESULTS_CHOICE, L"Result 2: statement 2").empty());
        EXPECT_EQ((Texts{L"b"}), ResultColumns(dialog));

        // A refused connection is told on the page, with the driver manager's
        // state and message, and the rows shown stay.
        SetRunSource(dialog, L"DRIVER={No Such Driver};Database=x");
        EXPECT_TRUE(Execute(dialog).empty());
        const std::wstring refused = ResultStatus(dialog);
        EXPECT_TRUE(Contains(refused, L"Could not connect to DRIVER={No Such Driver};Database=x;: [")) << Narrow(refused);
        EXPECT_TRUE(Contains(refused, L"No Such Driver")) << Narrow(refused);
        EXPECT_EQ((Texts{L"b"}), ResultColumns(dialog));
        EXPECT_EQ(L"second", ResultCell(dialog, 0, 0));
        EXPECT_EQ(2u, ComboEntries(::GetDlgItem(results, IDC_RESULTS_CHOICE)).size());
    });
}

TEST(Results, ChangesAreAskedForAndTheFirstErrorStopsTheRun)
{
    const std::wstring data = windowtest::FileIn(L"errors.sqlite");
    RunOnSqlite(data, kItems);
    const std::wstring notes = NotesFor(L"error notes.mdb", {L"DELETE FROM items",
                                                             L"INSERT INTO items VALUES (4, 'cap', 2);\r\nSELECT * FROM\r\n  missing;\r\nDELETE FROM items"});
    harness::Host host(true);
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        SetRunSource(dialog, SqliteConnection(data));
        ShowNote(dialog, L"n1");
        const Boxes asked = Execute(dialog, {IDCANCEL});
        ASSERT_EQ(1u, asked.size());
        EXPECT_TRUE(Contains(asked[0].text, L"1 statement will run on DRIVER={SQLite3 ODBC Driver}")) << Narrow(asked[0].text);
        EXPECT_TRUE(Contains(asked[0].text, L"1: DELETE FROM items")) << Narrow(asked[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), asked[0].icon);
        EXPECT_EQ((Texts{L"1", L"2", L"3"}), FirstColumn(data, L"SELECT id FROM items ORDER BY id")) << "Cancel runs nothing";

        ShowNote(dialog, L"n2");
        const Boxes three = Execute(dialog, {IDOK});
        ASSERT_EQ(1u, three.size());
        EXPECT_TRUE(Contains(three[0].text, L"3 statements will run")) << Narrow(three[0].text);
        EXPECT_TRUE(Contains(three[0].text, L"1: INSERT INTO items VALUES (4, 'cap', 2)")) << Narrow(three[0].text);
        EXPECT_TRUE(Contains(three[0].text, L"3: DELETE FROM items")) << Narrow(three[0].text);
        EXPECT_FALSE(Contains(three[0].text, L"2: SELECT")) << "a query changes nothing";
        const std::wstring status = ResultStatus(dialog);
        EXPECT_TRUE(Contains(status, L"Statement 1: 1 row affected")) << Narrow(status);
        EXPECT_TRUE(Contains(status, L"Statement 2 failed (SELECT * FROM): [HY000]")) << Narrow(status);
        EXPECT_TRUE(Contains(status, L"missing")) << "the driver's message: " << Narrow(status);
        EXPECT_EQ((Texts{L"1", L"2", L"3", L"4"}), FirstColumn(data, L"SELECT id FROM items ORDER BY id")) << "the third never ran";
    });
}

TEST(Results, CancelAndCloseDuringALongQuery)
{
    const std::wstring data = windowtest::FileIn(L"long.sqlite");
    RunOnSqlite(data, kItems);
    const std::wstring endless = L"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT count(*) FROM c";
    const std::wstring notes = NotesFor(L"long notes.mdb", {endless});
    harness::Host host(true);
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        SetRunSource(dialog, SqliteConnection(data));
        ShowNote(dialog, L"n1");
        const HWND view = FindPages(dialog).view;
        EXPECT_TRUE(Click(view, IDC_VIEW_EXECUTE).empty());
        EXPECT_EQ(L"Cancel", ItemText(view, IDC_VIEW_EXECUTE));
        EXPECT_FALSE(IsBusy(dialog)) << "the dialog answers while the query runs";
        EXPECT_TRUE(Contains(ResultStatus(dialog), L"Running statement 1 of 1")) << Narrow(ResultStatus(dialog));
        SelectTab(dialog, 1);
        EXPECT_EQ(L"Edit", CurrentTab(dialog)) << "the pages stay usable";
        EXPECT_TRUE(PressKey(dialog, VK_ESCAPE).empty());
        ASSERT_TRUE(WaitForRunEnd(dialog, 10000)) << "Escape cancels";
        EXPECT_TRUE(::IsWindowVisible(dialog)) << "and leaves the dialog open";
        EXPECT_TRUE(Contains(ResultStatus(dialog), L"Cancelled at statement 1")) << Narrow(ResultStatus(dialog));

        // Again, and the dialog is closed while it runs.
        EXPECT_TRUE(Click(view, IDC_VIEW_EXECUTE).empty());
        EXPECT_EQ(L"Cancel", ItemText(view, IDC_VIEW_EXECUTE));
        ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(ui::WaitForWindowGone(dialog, 15000)) << "closing cancels the run and closes";
    });
}

TEST(Results, LargeResultsScrollToTheEndAndRowsCopyOut)
{
    const std::wstring data = windowtest::FileIn(L"big.sqlite");
    RunOnSqlite(data, {L"CREATE TABLE big (n INTEGER, label TEXT)",
                       L"WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 100000) "
                       L"INSERT INTO big SELECT x, 'row ' || x FROM c",
                       L"CREATE TABLE odd (name TEXT, note TEXT)",
                       L"INSERT INTO odd VALUES ('tab', 'a' || char(9) || 'b')",
                       L"INSERT INTO odd VALUES ('lines', 'one' || char(10) || 'two')",
                       L"INSERT INTO odd VALUES ('plain', 'say \"hi\"')"});
    const std::wstring notes = NotesFor(L"big notes.mdb", {L"SELECT n, label FROM big ORDER BY n", L"SELECT name, note FROM odd ORDER BY rowid"});
    harness::Host host(true);
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        SetRunSource(dialog, SqliteConnection(data));
        ShowNote(dialog, L"n1");
        EXPECT_TRUE(Execute(dialog).empty());
        EXPECT_LT(ResultRowCount(dialog), 100000) << "rows are read as the list needs them";
        // A thousand or two ahead of the screen, never all: "1,000+ rows", "2,000+ rows".
        EXPECT_TRUE(Contains(ResultStatus(dialog), L",000+ rows")) << Narrow(ResultStatus(dialog));
        SelectResultRows(dialog, {0});
        EXPECT_TRUE(PressKey(dialog, VK_END).empty());
        ASSERT_TRUE(WaitForRunEnd(dialog)) << "End reads every row, Execute reading Cancel meanwhile";
        ASSERT_EQ(100000, ResultRowCount(dialog));
        EXPECT_TRUE(Contains(ResultStatus(dialog), L"Statement 1: 100,000 rows")) << Narrow(ResultStatus(dialog));
        EXPECT_EQ(L"row 100000", ResultCell(dialog, 99999, 1));
        const HWND list = ResultList(dialog);
        EXPECT_EQ(99999, static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED))) << "End goes to the last row";
        const int top = static_cast<int>(::SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
        const int page = static_cast<int>(::SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        EXPECT_GE(top + page, 99999) << "the last row is in view";

        // Three rows copied, a header line first; a tab or a line break is quoted.
        ShowNote(dialog, L"n2");
        EXPECT_TRUE(Execute(dialog).empty());
        SelectResultRows(dialog, {0, 1, 2});
        EXPECT_TRUE(PressKey(dialog, 'C', kCtrl).empty());
        EXPECT_EQ(L"name\tnote\r\ntab\t\"a\tb\"\r\nlines\t\"one\ntwo\"\r\nplain\t\"say \"\"hi\"\"\"\r\n", ClipboardText());
        EXPECT_EQ(L"a b", ResultCell(dialog, 0, 1)) << "a tab shows as a space in its cell";

        // The right-click menu: Copy leaves the header line out.
        SelectResultRows(dialog, {2});
        RECT row = {};
        row.left = LVIR_BOUNDS;
        ::SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
        const LPARAM at = MAKELPARAM(row.left + 40, (row.top + row.bottom) / 2);
        ::PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
        ::PostMessageW(list, WM_RBUTTONUP, 0, at);
        HWND menu = ui::WaitForWindow(L"#32768", nullptr);
        ASSERT_NE(nullptr, menu) << "a right-click opens the menu";
        const MenuSnapshot items = ReadMenu(menu);
        ASSERT_EQ(2u, items.items.size());
        EXPECT_EQ(L"&Copy", items.items[0].text);
        EXPECT_EQ(L"Copy with &headers", items.items[1].text);
        ChooseMenuItem(dialog, menu, 0);
        EXPECT_EQ(L"plain\t\"say \"\"hi\"\"\"\r\n", ClipboardText());
    });
}

TEST(Results, NullNumbersBinaryAndLongTextInOneRow)
{
    const std::wstring data = windowtest::FileIn(L"mixed.sqlite");
    RunOnSqlite(data, {L"CREATE TABLE mixed (missing TEXT, amount INTEGER, bytes BLOB, word TEXT, long TEXT)",
                       L"INSERT INTO mixed VALUES (NULL, 42, x'00A1FF', 'NULL', substr(replace(hex(zeroblob(5000)), '00', 'ab'), 1, 10000))",
                       L"INSERT INTO mixed VALUES ('', -7, NULL, NULL, 'short')"});
    const std::wstring notes = NotesFor(L"mixed notes.mdb", {L"SELECT * FROM mixed ORDER BY rowid"});
    harness::Host host(true);
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        SetRunSource(dialog, SqliteConnection(data));
        ShowNote(dialog, L"n1");
        EXPECT_TRUE(Execute(dialog).empty());
        ASSERT_EQ(2, ResultRowCount(dialog)) << Narrow(ResultStatus(dialog));
        EXPECT_EQ(L"<NULL>", ResultCell(dialog, 0, 0));
        EXPECT_EQ(L"", ResultCell(dialog, 1, 0)) << "an empty text is not NULL";
        EXPECT_EQ(L"NULL", ResultCell(dialog, 0, 3)) << "the text NULL is not NULL";
        EXPECT_EQ(L"42", ResultCell(dialog, 0, 1));
        EXPECT_EQ(LVCFMT_RIGHT, ColumnFormat(dialog, 1));
        EXPECT_EQ(L"0x00A1FF", ResultCell(dialog, 0, 2));
        const std::wstring longCell = ResultCell(dialog, 0, 4);
        EXPECT_EQ(L"abababab", longCell.substr(0, 8));
        EXPECT_LT(longCell.size(), 1000u) << "the cell shows the text's beginning";
        EXPECT_EQ(L"abababab", TipOverCell(dialog, 0, 4).substr(0, 8));
        EXPECT_GT(TipOverCell(dialog, 0, 4).size(), 1000u) << "the tooltip holds more than the cell";
        SelectResultRows(dialog, {0});
        EXPECT_TRUE(PressKey(dialog, 'C', kCtrl).empty());
        std::wstring longText;
        for (int i = 0; i < 5000; ++i) longText += L"ab";
        EXPECT_EQ(L"missing\tamount\tbytes\tword\tlong\r\n\t42\t0x00A1FF\tNULL\t" + longText + L"\r\n", ClipboardText())
            << "NULL copies as nothing, the long text whole";
    });
}

// unixODBC's odbc.ini, named by $ODBCINI, as Wine's programs reach it.
std::wstring OdbcIniFile()
{
    wchar_t path[1024] = L"";
    if (!::GetEnvironmentVariableW(L"ODBCINI", path, 1024)) return std::wstring();
    std::wstring windows = L"Z:" + std::wstring(path);
    for (wchar_t& c : windows) c = c == L'/' ? L'\\' : c;
    return windows;
}

std::string ReadFileBytes(const std::wstring& file)
{
    std::string bytes;
    if (FILE* in = _wfopen(file.c_str(), L"rb")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) bytes.append(buffer, got);
        std::fclose(in);
    }
    return bytes;
}

void WriteFileBytes(const std::wstring& file, const std::string& bytes)
{
    if (FILE* out = _wfopen(file.c_str(), L"wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
}

TEST(Results, TheDriverManagersDataSourcesAreListedAndRunOn)
{
    const std::wstring data = windowtest::FileIn(L"listed.sqlite");
    RunOnSqlite(data, kItems);
    const std::wstring ini = OdbcIniFile();
    ASSERT_FALSE(ini.empty()) << "ODBCINI names unixODBC's odbc.ini";
    const std::string before = ReadFileBytes(ini);
    const std::wstring unixPath = UnixPathOf(data);
    WriteFileBytes(ini, before + "\n[Quillbox Shop]\nDriver=SQLite3 ODBC Driver\nDatabase=" + std::string(unixPath.begin(), unixPath.end()) + "\n");
    const std::wstring notes = NotesFor(L"listed notes.mdb", {L"SELECT name FROM items ORDER BY id"});
    harness::Host host(true);
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        const HWND results = FindPages(dialog).results;
        const Texts listed = ComboEntries(::GetDlgItem(results, IDC_RESULTS_SOURCE));
        EXPECT_NE(listed.end(), std::find(listed.begin(), listed.end(), L"Quillbox Shop")) << windowtest::Join(listed);
        EXPECT_TRUE(ChooseEntry(results, IDC_RESULTS_SOURCE, L"Quillbox Shop").empty());
        ShowNote(dialog, L"n1");
        EXPECT_TRUE(Execute(dialog).empty());
        EXPECT_EQ(3, ResultRowCount(dialog)) << Narrow(ResultStatus(dialog));
        EXPECT_EQ(L"pen", ResultCell(dialog, 0, 0));
    });
    WriteFileBytes(ini, before);
    // The choice of a listed data source is kept by its name.
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        EXPECT_EQ(L"Quillbox Shop", ItemText(FindPages(dialog).results, IDC_RESULTS_SOURCE));
    });
}

TEST(Results, APasswordIsAskedForOnceAndNeverStored)
{
    const std::wstring secret = L"s3cret-Pa55";
    const std::wstring data = windowtest::FileIn(L"guarded.sqlite");
    RunOnSqlite(data, kItems);
    const std::wstring notes = NotesFor(L"guarded notes.mdb", {L"SELECT count(*) AS items FROM items"});
    const std::wstring typed = SqliteConnection(data) + L"UID=me;PWD=" + secret + L";";
    harness::Host host(true);
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        SetRunSource(dialog, typed);
        ShowNote(dialog, L"n1");
        EXPECT_TRUE(Execute(dialog).empty()) << "a typed password is not asked for";
        EXPECT_EQ(L"3", ResultCell(dialog, 0, 0)) << Narrow(ResultStatus(dialog));
        EXPECT_EQ(SqliteConnection(data) + L"UID=me;PWD=;", ItemText(FindPages(dialog).results, IDC_RESULTS_SOURCE))
            << "the box keeps no password";
    });
    // A new dialog on the same notes: the choice is back, the password asked once.
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        EXPECT_EQ(SqliteConnection(data) + L"UID=me;PWD=;", ItemText(FindPages(dialog).results, IDC_RESULTS_SOURCE));
        ShowNote(dialog, L"n1");
        EXPECT_TRUE(Click(FindPages(dialog).view, IDC_VIEW_EXECUTE).empty());
        HWND ask = ui::WaitForWindow(L"#32770", L"Password");
        ASSERT_NE(nullptr, ask) << "the password is asked for";
        SetItemText(ask, IDC_PASSWORD_TEXT, secret);
        ui::PressButton(ask, IDOK);
        ASSERT_TRUE(WaitForRunEnd(dialog));
        EXPECT_EQ(L"3", ResultCell(dialog, 0, 0)) << Narrow(ResultStatus(dialog));
        EXPECT_TRUE(Execute(dialog).empty()) << "asked once per dialog";
        EXPECT_EQ(nullptr, ui::WaitForWindow(L"#32770", L"Password", 300));
        EXPECT_EQ(L"3", ResultCell(dialog, 0, 0));
    });
    const Texts found = RegistryPlacesHolding(HKEY_CURRENT_USER, L"HKCU", secret);
    EXPECT_TRUE(found.empty()) << "the registry holds the password at " << windowtest::Join(found);
    const Texts files = FilesHolding(windowtest::Folder().Path(), secret);
    EXPECT_TRUE(files.empty()) << windowtest::Join(files);
}

// `text` with CR LF line ends, as a box or the clipboard holds it.
std::wstring WithCrLf(const std::wstring& text)
{
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) out += L'\r';
        out += text[i];
    }
    return out;
}

// Right-clicks note `name` in the list; the menu it opens, or null.
HWND OpenNoteMenu(HWND dialog, const std::wstring& name)
{
    const int row = FindRow(dialog, name);
    HWND list = ::GetDlgItem(dialog, IDC_NOTE_LIST);
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM(rect.left + 40, (rect.top + rect.bottom) / 2);
    ::PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
    ::PostMessageW(list, WM_RBUTTONUP, 0, at);
    return ui::WaitForWindow(L"#32768", nullptr);
}

// The question for a query's blanks, once it shows.
HWND WaitForBlanks() { return ui::WaitForWindow(L"#32770", L"Values for the query"); }

// The names the question asks for and the values its boxes offer, "name=value".
Texts BlankRows(HWND ask)
{
    Texts rows;
    for (int id = IDC_PLACEHOLDER_FIRST; ::GetDlgItem(ask, id); id += 2) rows.push_back(ItemText(ask, id) + ItemText(ask, id + 1));
    return rows;
}

// Fills the question's boxes in order and accepts with Enter in the first.
void FillBlanks(HWND ask, const Texts& values)
{
    for (std::size_t i = 0; i < values.size(); ++i) SetItemText(ask, IDC_PLACEHOLDER_FIRST + static_cast<int>(i) * 2 + 1, values[i]);
    const HWND dialog = ::GetWindow(ask, GW_OWNER);
    PostKey(::GetDlgItem(ask, IDC_PLACEHOLDER_FIRST + 1), VK_RETURN);
    EXPECT_TRUE(ui::WaitForWindowGone(ask)) << "Enter accepts";
    // What Enter started (a run, a copy) goes on after the question is gone.
    Settle(dialog);
}


TEST(Results, BlanksAreAskedOnceAndOfferedAgainAfterARestart)
{
    const std::wstring data = windowtest::FileIn(L"people.sqlite");
    RunOnSqlite(data, {L"CREATE TABLE people (id INTEGER, name TEXT)", L"INSERT INTO people VALUES (1, 'Ann')",
                       L"INSERT INTO people VALUES (42, 'O''Brien')", L"INSERT INTO people VALUES (3, 'Bob')"});
    const std::wstring query = L"SELECT id, name FROM ${table} WHERE id = :id OR name = :name ORDER BY id;\r\n"
                               L"SELECT count(*) AS named, ':x' AS colon FROM ${Table} WHERE name = :NAME";
    const std::wstring notes = NotesFor(L"people notes.mdb", {query});
    harness::Host host(true);
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        SetRunSource(dialog, SqliteConnection(data));
        ShowNote(dialog, L"n1");
        const HWND view = FindPages(dialog).view;
        EXPECT_TRUE(Click(view, IDC_VIEW_EXECUTE).empty());
        HWND ask = WaitForBlanks();
        ASSERT_NE(nullptr, ask) << "a query with blanks asks first";
        EXPECT_EQ((Texts{L"table:", L"id:", L"name:"}), BlankRows(ask)) << "each name once, in order, none for ':x'";
        EXPECT_EQ(WithCrLf(query), ItemText(ask, IDC_PLACEHOLDER_QUERY)) << "the query is shown";
        // Values are plain: an integer finds its row, a text cannot change the statement.
        FillBlanks(ask, {L"people", L"42", L"1 OR 1=1"});
        ASSERT_TRUE(WaitForRunEnd(dialog));
        ASSERT_EQ(1, ResultRowCount(dialog)) << Narrow(ResultStatus(dialog));
        EXPECT_EQ(L"O'Brien", ResultCell(dialog, 0, 1));

        // The values come back; Escape runs nothing.
        EXPECT_TRUE(Click(view, IDC_VIEW_EXECUTE).empty());
        ask = WaitForBlanks();
        ASSERT_NE(nullptr, ask);
        EXPECT_EQ((Texts{L"table:people", L"id:42", L"name:1 OR 1=1"}), BlankRows(ask));
        PostKey(::GetDlgItem(ask, IDC_PLACEHOLDER_FIRST + 1), VK_ESCAPE);
        EXPECT_TRUE(ui::WaitForWindowGone(ask));
        EXPECT_EQ(L"&Execute", ItemText(view, IDC_VIEW_EXECUTE)) << "nothing runs";
    });
    // A new dialog offers them again; a quote in a value is the text's own.
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        ShowNote(dialog, L"n1");
        EXPECT_TRUE(Click(FindPages(dialog).view, IDC_VIEW_EXECUTE).empty());
        HWND ask = WaitForBlanks();
        ASSERT_NE(nullptr, ask);
        EXPECT_EQ((Texts{L"table:people", L"id:42", L"name:1 OR 1=1"}), BlankRows(ask));
        FillBlanks(ask, {L"people", L"0", L"O'Brien"});
        ASSERT_TRUE(WaitForRunEnd(dialog));
        ASSERT_EQ(1, ResultRowCount(dialog)) << Narrow(ResultStatus(dialog));
        EXPECT_EQ(L"42", ResultCell(dialog, 0, 0));
        EXPECT_TRUE(ChooseEntry(FindPages(dialog).results, IDC_RESULTS_CHOICE, L"Result 2: statement 2").empty());
        EXPECT_EQ(L"1", ResultCell(dialog, 0, 0)) << "the same name in the second statement is the same value";
        EXPECT_EQ(L":x", ResultCell(dialog, 0, 1));
    });
    EXPECT_EQ((Texts{L"1", L"3", L"42"}), FirstColumn(data, L"SELECT id FROM people ORDER BY id")) << "nothing else changed";
}

TEST(Results, QueriesCopyFilledInOrAsWrittenFromViewAndList)
{
    const std::wstring query = L"SELECT * FROM ${table}\nWHERE id = :id AND name = :name";
    const std::wstring notes = NotesFor(L"copy notes.mdb", {query});
    harness::Host host(false);
    windowtest::ExecuteOnOpenedFile(host, notes, [&](HWND dialog) {
        ShowNote(dialog, L"n1");
        const HWND view = FindPages(dialog).view;
        EXPECT_TRUE(IsItemEnabled(view, IDC_VIEW_COPY)) << "copying needs no permission";
        EXPECT_TRUE(Click(view, IDC_VIEW_COPY).empty());
        HWND ask = WaitForBlanks();
        ASSERT_NE(nullptr, ask);
        EXPECT_EQ(L"Copy", ItemText(ask, IDOK));
        FillBlanks(ask, {L"orders", L"7", L"O'Brien"});
        EXPECT_EQ(L"SELECT * FROM orders\r\nWHERE id = 7 AND name = 'O''Brien'", ClipboardText());

        // The list: Ctrl+C on a note copies it filled in, the values offered again.
        SelectRow(dialog, FindRow(dialog, L"n1"));
        ::SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, IDC_NOTE_LIST)), TRUE);
        EXPECT_TRUE(PressKey(dialog, 'C', kCtrl).empty());
        ask = WaitForBlanks();
        ASSERT_NE(nullptr, ask) << "Ctrl+C on a note asks for its blanks";
        EXPECT_EQ((Texts{L"table:orders", L"id:7", L"name:O'Brien"}), BlankRows(ask));
        FillBlanks(ask, {L"orders", L"8", L"Ann"});
        EXPECT_EQ(L"SELECT * FROM orders\r\nWHERE id = 8 AND name = 'Ann'", ClipboardText());

        // Its menu: no Execute without the host's permission; as written copies the saved text.
        HWND menu = OpenNoteMenu(dialog, L"n1");
        ASSERT_NE(nullptr, menu);
        Texts entries;
        for (const auto& item : ReadMenu(menu).items)
            if (!item.separator) entries.push_back(item.text);
        EXPECT_EQ((Texts{L"Show on &View", L"&Edit", L"&Copy query\tCtrl+C", L"Copy query as &written", L"&Delete...\tDel"}), entries);
        ChooseMenuItem(dialog, menu, 3);
        EXPECT_EQ(WithCrLf(query), ClipboardText());
        // Shift+F10 on the list opens the same menu.
        EXPECT_TRUE(PressKey(dialog, VK_F10, kShift | kAlt).empty());
        menu = ui::WaitForWindow(L"#32768", nullptr);
        ASSERT_NE(nullptr, menu) << "Shift+F10 opens the menu";
        DismissMenu(dialog, menu);
    });
}

} // namespace
