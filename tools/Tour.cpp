// QuillboxTour.exe <note database> <output folder>: loads Quillbox.dll
// through the host contract, runs its command and, from a second thread,
// opens the note database through File, Open as a user would, then saves
// screenshots of the list with expanded groups, the View page showing a
// note, the Edit page and the Group Edit page, then exports the notes into a
// folder, adds a note file there and captures the import's summary; last it
// runs the note "Open orders" on a small shop database (Debian's SQLite ODBC
// driver) and captures the Results page with its rows. Each <name>.bmp is the whole
// screen; <name>.crop beside it holds the dialog's rectangle (WxH+X+Y).
#include <windows.h>
#include <commctrl.h>

#include <sql.h>
#include <sqlext.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/PluginModule.h"
#include "host/ScreenCapture.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/HostedDialog.h"
#include "tests/support/UnixPath.h"

namespace {

using namespace dialogdriver;

bool Capture(HWND dialog, const std::wstring& folder, const wchar_t* name)
{
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(500);  // let the desktop's own drawing settle before the copy
    RECT window = {};
    ::GetWindowRect(dialog, &window);
    const std::wstring base = folder + L"\\" + name;
    FILE* crop = _wfopen((base + L".crop").c_str(), L"w");
    if (!crop) return false;
    std::fprintf(crop, "%ldx%ld+%ld+%ld\n", window.right - window.left, window.bottom - window.top, window.left, window.top);
    std::fclose(crop);
    const bool saved = SaveScreenToBitmap((base + L".bmp").c_str());
    std::fwprintf(stdout, L"%ls %ls\n", saved ? L"saved" : L"could not save", (base + L".bmp").c_str());
    return saved;
}

// Exports the notes, drops a note from another tool into a group's
// folder, imports, and captures the summary the import ends with.
bool CaptureImportSummary(HWND dialog, const std::wstring& folder)
{
    const std::wstring notes = folder + L"\\tour notes";
    ::CreateDirectoryW(notes.c_str(), nullptr);
    const CommandResult exported = ChooseFolder(dialog, ID_FILE_EXPORT, notes);
    if (exported.boxes.size() != 1) {
        std::fprintf(stderr, "the export ended with %s\n", Describe(exported).c_str());
        return false;
    }
    FILE* file = _wfopen((notes + L"\\Orders\\Orders by region.sql").c_str(), L"wb");
    if (!file) return false;
    std::fputs("SELECT region, Count(*) FROM orders GROUP BY region\n", file);
    std::fclose(file);
    bool captured = false;
    const CommandResult imported = ChooseFolder(dialog, ID_FILE_IMPORT, notes, IDCANCEL, [&](HWND summary) { captured = Capture(summary, folder, L"quillbox-import"); });
    if (!captured || imported.boxes.size() != 1) std::fprintf(stderr, "the import ended with %s\n", Describe(imported).c_str());
    return captured && imported.boxes.size() == 1;
}

// The shop the sample's order notes ask about, made afresh through ODBC;
// the connection string that reaches it, empty when it could not be made.
std::wstring MakeShop(const std::wstring& folder)
{
    const std::wstring file = folder + L"\\tour shop.sqlite";
    ::DeleteFileW(file.c_str());
    const std::wstring connection = L"DRIVER={SQLite3 ODBC Driver};Database=" + UnixPathOf(file) + L";";
    const std::vector<std::wstring> statements = {
        L"CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT)",
        L"CREATE TABLE orders (id INTEGER PRIMARY KEY, customer_id INTEGER, ordered_on DATE, promised_on DATE, shipped_on DATE, total REAL)",
        L"INSERT INTO customers VALUES (1, 'Ada Lovelace'), (2, 'Brian O''Brien'), (3, 'Chen Wei'), (4, 'Dora Kahn')",
        L"INSERT INTO orders VALUES (101, 1, '2026-10-02', '2026-10-16', NULL, 1250.00), (102, 2, '2026-10-09', '2026-10-20', '2026-10-18', 480.50),"
        L" (103, 3, '2026-10-21', '2026-11-04', NULL, 12900.00), (104, 2, '2026-11-03', '2026-11-17', NULL, 75.20),"
        L" (105, 4, '2026-11-12', '2026-11-26', NULL, 3310.00), (106, 1, '2026-11-30', '2026-12-14', NULL, NULL)",
    };
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC database = SQL_NULL_HDBC;
    SQLHSTMT statement = SQL_NULL_HSTMT;
    bool made = SQL_SUCCEEDED(::SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment)) &&
                SQL_SUCCEEDED(::SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)) &&
                SQL_SUCCEEDED(::SQLAllocHandle(SQL_HANDLE_DBC, environment, &database));
    std::wstring text = connection;
    made = made && SQL_SUCCEEDED(::SQLDriverConnectW(database, nullptr, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS, nullptr, 0, nullptr,
                                                     SQL_DRIVER_NOPROMPT));
    made = made && SQL_SUCCEEDED(::SQLAllocHandle(SQL_HANDLE_STMT, database, &statement));
    for (std::wstring sql : statements) made = made && SQL_SUCCEEDED(::SQLExecDirectW(statement, reinterpret_cast<SQLWCHAR*>(&sql[0]), SQL_NTS));
    if (statement) ::SQLFreeHandle(SQL_HANDLE_STMT, statement);
    if (database) {
        ::SQLDisconnect(database);
        ::SQLFreeHandle(SQL_HANDLE_DBC, database);
    }
    if (environment) ::SQLFreeHandle(SQL_HANDLE_ENV, environment);
    if (!made) std::fprintf(stderr, "the shop database could not be made\n");
    return made ? connection : std::wstring();
}

// Runs "Open orders" on the shop and captures its rows on the Results page.
bool CaptureResults(HWND dialog, const std::wstring& folder)
{
    const std::wstring shop = MakeShop(folder);
    if (shop.empty()) return false;
    SetRunSource(dialog, shop);
    DoubleClickRow(dialog, FindRow(dialog, L"Open orders"));
    if (!Execute(dialog).empty() || ResultRowCount(dialog) == 0) {
        std::fprintf(stderr, "the run showed no rows: %s\n", Narrow(ResultStatus(dialog)).c_str());
        return false;
    }
    return Capture(dialog, folder, L"quillbox-results");
}

bool Tour(HWND dialog, const std::wstring& database, const std::wstring& folder)
{
    if (!OpenFile(dialog, database).boxes.empty() || ListRows(dialog).empty()) return false;
    bool ok = true;
    DoubleClickRow(dialog, FindRow(dialog, L"Orders"));
    ClickRow(dialog, FindRow(dialog, L"Open orders"));
    ::SendMessageW(::GetDlgItem(dialog, IDC_NOTE_LIST), LVM_ENSUREVISIBLE, 0, FALSE);
    ok = Capture(dialog, folder, L"quillbox-list") && ok;

    DoubleClickRow(dialog, FindRow(dialog, L"Open orders"));
    SelectTab(dialog, 0);
    ok = Capture(dialog, folder, L"quillbox-view") && ok;
    SelectTab(dialog, 1);
    ok = Capture(dialog, folder, L"quillbox-edit") && ok;
    SelectTab(dialog, 2);
    ChooseEntry(FindPages(dialog).groupEdit, IDC_GROUP_NAME, L"Reports");
    ok = Capture(dialog, folder, L"quillbox-group-edit") && ok;
    ok = CaptureImportSummary(dialog, folder) && ok;
    return CaptureResults(dialog, folder) && ok;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: QuillboxTour <note database> <output folder>\n");
        return 2;
    }
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
    PluginModule module(L"Quillbox.dll");
    if (!module.GetPluginInterface()) {
        std::fwprintf(stderr, L"Quillbox.dll could not be loaded\n");
        return 1;
    }
    Host host(true);
    bool toured = false;
    RunHostedDialog(module.GetPluginInterface(), host, [&](HWND dialog) { toured = Tour(dialog, argv[1], argv[2]); });
    if (!toured) std::fwprintf(stderr, L"the tour did not finish\n");
    return toured ? 0 : 1;
}
