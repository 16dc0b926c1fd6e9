// QuillboxSample.exe <file.mdb>: creates a note database with a few groups
// and realistic SQL notes, through the same store functions the dialog uses
// (the file is created by the note database driver's installer routine).
// The file must not exist yet.
#include <windows.h>

#include <cstdio>

#include "framework/CDBException.h"
#include "framework/CDatabase.h"
#include "framework/ThrownException.h"
#include "store/records/NoteDatabaseFile.h"
#include "store/records/NoteRecords.h"

namespace {

struct SampleGroup {
    const wchar_t* name;
    const wchar_t* description;
};

struct SampleNote {
    int group;  // id of the group, 0 for none
    const wchar_t* name;
    const wchar_t* comments;
    const wchar_t* query;
};

const SampleGroup kGroups[] = {
    {L"Customers", L"Looking up and cleaning customer records"},
    {L"Orders", L"Order book: open, late and big orders"},
    {L"Reports", L"Monthly and yearly figures for the finance team"},
    {L"Maintenance", L"Housekeeping that the DBA runs now and then"},
};

const SampleNote kNotes[] = {
    {1, L"Customers by country", L"How many customers each country has",
     L"SELECT country, COUNT(*) AS customers\r\nFROM customers\r\nGROUP BY country\r\nORDER BY customers DESC"},
    {1, L"Duplicate e-mail addresses", L"Candidates for merging",
     L"SELECT email, COUNT(*) AS copies\r\nFROM customers\r\nGROUP BY email\r\nHAVING COUNT(*) > 1"},
    {1, L"O'Brien's account", L"The customer who calls every Monday",
     L"SELECT *\r\nFROM customers\r\nWHERE last_name = 'O''Brien'"},
    {2, L"Open orders", L"Everything not shipped yet, oldest first",
     L"SELECT o.id, c.name, o.ordered_on, o.total\r\nFROM orders o\r\nJOIN customers c ON c.id = o.customer_id\r\n"
     L"WHERE o.shipped_on IS NULL\r\nORDER BY o.ordered_on"},
    {2, L"Late shipments", L"Promised date passed, not shipped",
     L"SELECT id, customer_id, promised_on\r\nFROM orders\r\nWHERE shipped_on IS NULL\r\n  AND promised_on < CURRENT_DATE"},
    {2, L"Orders over 10,000", L"Big orders need a second signature",
     L"SELECT id, customer_id, total\r\nFROM orders\r\nWHERE total > 10000\r\nORDER BY total DESC"},
    {3, L"Monthly revenue", L"Revenue per month of the current year",
     L"SELECT strftime('%Y-%m', ordered_on) AS month,\r\n       SUM(total) AS revenue\r\nFROM orders\r\n"
     L"WHERE ordered_on >= date('now', 'start of year')\r\nGROUP BY month\r\nORDER BY month"},
    {3, L"Top ten products", L"By units sold",
     L"SELECT p.name, SUM(l.quantity) AS units\r\nFROM order_lines l\r\nJOIN products p ON p.id = l.product_id\r\n"
     L"GROUP BY p.name\r\nORDER BY units DESC\r\nLIMIT 10"},
    {4, L"Table sizes", L"Rows per table",
     L"SELECT 'customers' AS table_name, COUNT(*) FROM customers\r\nUNION ALL\r\nSELECT 'orders', COUNT(*) FROM orders"},
    {4, L"Purge old sessions", L"Sessions idle for more than 30 days",
     L"DELETE FROM sessions\r\nWHERE last_seen < date('now', '-30 days')"},
    {0, L"Scratch: server time", L"", L"SELECT CURRENT_TIMESTAMP"},
};

// True when done; otherwise the database's text goes to the error stream.
bool Succeeded(const StoreOutcome& outcome)
{
    if (!outcome.IsDone()) std::fwprintf(stderr, L"%ls", outcome.error.GetString());
    return outcome.IsDone();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: QuillboxSample <new file.mdb>\n");
        return 2;
    }
    const CString path = argv[1];
    if (!RequestNoteDatabaseFile(path)) {
        std::fwprintf(stderr, L"cannot create %ls\n", path.GetString());
        return 1;
    }
    CDatabase database;
    try {
        ConnectNoteDatabase(database, path);
    } catch (CDBException* e) {
        const CThrownException<CDBException> thrown(e);
        std::fwprintf(stderr, L"cannot open %ls: %ls\n", path.GetString(), thrown->m_strError.GetString());
        return 1;
    }
    if (!Succeeded(CreateSchema(database))) return 1;
    int groupId = 0;
    for (const SampleGroup& group : kGroups) {
        CString idText;
        idText.Format(L"%d", ++groupId);
        if (!Succeeded(InsertGroup(database, idText, group.name, group.description))) return 1;
    }
    int noteId = 0;
    for (const SampleNote& sample : kNotes) {
        NoteRecord note;
        note.id = noteId++;
        note.groupId = sample.group;
        note.name = sample.name;
        note.comments = sample.comments;
        note.query = sample.query;
        if (!Succeeded(InsertNote(database, note))) return 1;
    }
    database.Close();
    std::fwprintf(stdout, L"%d groups and %d notes in %ls\n", groupId, noteId, path.GetString());
    return 0;
}
