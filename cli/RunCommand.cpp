// A note run from a script: found by its title or by "group/title", its
// blanks filled from --set (never asked, never remembered), its statements
// run in order until the first failure.
#include "cli/RunCommand.h"

#include "framework/CDBException.h"
#include "framework/CDatabase.h"
#include "framework/ThrownException.h"
#include "run/BoundExecution.h"
#include "run/CellText.h"
#include "run/OdbcConnection.h"
#include "run/Placeholders.h"
#include "run/ResultFetch.h"
#include "run/SqlStatements.h"
#include "store/format/Utf8Text.h"
#include "store/records/CatalogueRows.h"
#include "store/records/NoteDatabaseFile.h"
#include "store/records/NoteRecords.h"

#include <sqlext.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

void Write(FILE* stream, const std::wstring& text)
{
    const std::string bytes = ToUtf8(CString(text.c_str()));
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

int Fail(const std::wstring& message)
{
    Write(stderr, L"QuillboxCli: " + message + L"\n");
    std::fflush(stderr);
    return 1;
}

struct RunOptions {
    std::wstring database;
    std::wstring note;
    std::wstring connection;
    PlaceholderValues values;
    bool csv = false;
};

bool ParseOptions(int argc, wchar_t** argv, RunOptions& options, std::wstring& error)
{
    if (argc < 4) return false;
    options.database = argv[2];
    options.note = argv[3];
    bool formatGiven = false;
    for (int i = 4; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (i + 1 >= argc) return false;
        const std::wstring value = argv[++i];
        if (option == L"--connect" && options.connection.empty()) {
            options.connection = value;
        } else if (option == L"--set") {
            const size_t equals = value.find(L'=');
            if (equals == std::wstring::npos || equals == 0) {
                error = L"--set takes name=value, not \"" + value + L"\"";
                return false;
            }
            options.values.Set(value.substr(0, equals), value.substr(equals + 1));
        } else if (option == L"--format" && !formatGiven && (value == L"tsv" || value == L"csv")) {
            formatGiven = true;
            options.csv = value == L"csv";
        } else {
            return false;
        }
    }
    if (options.connection.empty()) error = L"run needs --connect <connection string>";
    return !options.connection.empty();
}

// The notes whose title is `name`, or whose group and title are what
// "group/title" names (a group's name may hold '/' too), without regard to case.
class CNoteMatches : public CRowReceiver<CatalogueRow> {
public:
    explicit CNoteMatches(const std::wstring& name) : m_name(name.c_str()) {}
    void OnRow(CatalogueRow&& row) override
    {
        const CString path = row.groupName + L"/" + row.name;
        if (row.name.CompareNoCase(m_name) == 0 || path.CompareNoCase(m_name) == 0) m_found.push_back(std::move(row));
    }
    const std::vector<CatalogueRow>& Found() const { return m_found; }

private:
    CString m_name;
    std::vector<CatalogueRow> m_found;
};

// The note's query, or the reason none can be run.
bool ReadNamedQuery(const RunOptions& options, std::wstring& query, std::wstring& error)
{
    CDatabase database;
    try {
        if (!database.OpenEx(BuildConnectString(options.database.c_str()), CDatabase::noOdbcDialog)) {
            error = options.database + L": the note database could not be opened";
            return false;
        }
        CNoteMatches matches(options.note);
        const StoreOutcome read = ReadCatalogue(database, matches);
        if (!read.IsDone()) {
            error = options.database + L": the notes could not be read";
            return false;
        }
        if (matches.Found().empty()) {
            error = options.database + L": no note \"" + options.note + L"\"";
            return false;
        }
        if (matches.Found().size() > 1) {
            error = L"\"" + options.note + L"\" names " + std::to_wstring(matches.Found().size()) + L" notes; name one as group/title:";
            for (const CatalogueRow& row : matches.Found()) error += L"\n  " + std::wstring((row.groupName + L"/" + row.name).GetString());
            return false;
        }
        CString text;
        if (!ReadNoteQuery(database, matches.Found().front().id, text).IsDone()) {
            error = options.database + L": the note's query could not be read";
            return false;
        }
        query = text.GetString();
        return true;
    } catch (CDBException* e) {
        const CThrownException<CDBException> thrown(e);
        error = options.database + L": " + std::wstring(thrown->m_strError.GetString());
        return false;
    }
}

// A field of the output: tab-separated text quotes what would break a row or
// a column; CSV quotes as RFC 4180 says.
std::wstring Field(const std::wstring& value, bool csv)
{
    const wchar_t* special = csv ? L",\"\r\n" : L"\t\"\r\n";
    if (value.find_first_of(special) == std::wstring::npos) return value;
    std::wstring quoted = L"\"";
    for (const wchar_t c : value) {
        if (c == L'"') quoted += L'"';
        quoted += c;
    }
    return quoted + L"\"";
}

void WriteRow(const std::vector<std::wstring>& fields, bool csv)
{
    std::wstring line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i ? (csv ? L"," : L"\t") : L"") + Field(fields[i], csv);
    // CSV's records end in CR LF; tab-separated lines as a Unix tool reads them.
    line += csv ? L"\r\n" : L"\n";
    Write(stdout, line);
}

// Writes every row of the result open on `statement`; false on a failure.
bool WriteResult(SQLHSTMT statement, bool csv, bool& firstResult, OdbcError& error)
{
    const std::vector<ResultColumn> columns = DescribeResult(statement);
    if (!firstResult) Write(stdout, csv ? L"\r\n" : L"\n");
    firstResult = false;
    std::vector<std::wstring> fields;
    for (const ResultColumn& column : columns) fields.push_back(column.name);
    WriteRow(fields, csv);
    const auto never = [] { return false; };
    for (;;) {
        ResultRows rows(columns.size());
        const FetchStop stop = FetchRows(statement, columns, rows, 1000, never, error);
        for (size_t r = 0; r < rows.RowCount(); ++r) {
            fields.clear();
            for (size_t c = 0; c < columns.size(); ++c) fields.push_back(CellCopyText(rows.Cell(r, c)));
            WriteRow(fields, csv);
        }
        if (stop == FetchStop::Failed) return false;
        if (stop == FetchStop::End) return true;
    }
}

// Runs one statement and writes its results; false with the driver's error.
bool RunStatement(SQLHDBC connection, const BoundStatement& bound, bool csv, bool& firstResult, OdbcError& error)
{
    COdbcHandle statement;
    statement.Allocate(SQL_HANDLE_STMT, connection);
    SQLRETURN rc = ExecuteBound(statement.Get(), bound);
    if (rc == SQL_NO_DATA) return true;   // a searched UPDATE or DELETE that found no row
    while (SQL_SUCCEEDED(rc)) {
        SQLSMALLINT columns = 0;
        ::SQLNumResultCols(statement.Get(), &columns);
        if (columns > 0 && !WriteResult(statement.Get(), csv, firstResult, error)) return false;
        rc = ::SQLMoreResults(statement.Get());
        if (rc == SQL_NO_DATA) return true;
    }
    error = ReadOdbcError(SQL_HANDLE_STMT, statement.Get());
    return false;
}

} // namespace

int RunNoteCommand(int argc, wchar_t** argv)
{
    RunOptions options;
    std::wstring error;
    if (!ParseOptions(argc, argv, options, error)) {
        return Fail(error.empty() ? L"usage: QuillboxCli run <database> <note> --connect <connection string> "
                                    L"[--set name=value ...] [--format tsv|csv]"
                                  : error);
    }
    std::wstring query;
    if (!ReadNamedQuery(options, query, error)) return Fail(error);
    // Every blank needs a value before anything runs.
    std::wstring missing;
    for (const std::wstring& name : FindPlaceholders(query))
        if (!options.values.Find(name)) missing += (missing.empty() ? L"" : L", ") + name;
    if (!missing.empty()) return Fail(L"no value for " + missing + L": give each with --set name=value");
    const std::vector<ScriptStatement> statements = SplitSqlStatements(query);
    if (statements.empty()) return Fail(L"the note holds no statement to run");

    COdbcConnection connection;
    OdbcError odbcError;
    if (!connection.Open(options.connection, odbcError)) return Fail(L"no connection: " + odbcError.Text());
    bool firstResult = true;
    for (const ScriptStatement& statement : statements) {
        const BoundStatement bound = BindPlaceholders(statement.text, options.values);
        if (!RunStatement(connection.Handle(), bound, options.csv, firstResult, odbcError)) {
            std::fflush(stdout);
            return Fail(L"statement " + std::to_wstring(statement.number) + L" (" + FirstLineOf(statement.text) +
                        L") failed: " + odbcError.Text());
        }
    }
    std::fflush(stdout);
    return 0;
}
