// Making and reading note database files for the main-dialog tests.
#include "tests/window/NoteFiles.h"

#include "framework/CDBException.h"
#include "framework/ThrownException.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"
#include "store/records/NoteDatabaseFile.h"
#include "store/records/NoteSql.h"

namespace notefiles {

namespace {

std::wstring Connect(CDatabase& database, const std::wstring& path)
{
    try {
        ConnectNoteDatabase(database, path.c_str());
    } catch (CDBException* e) {
        const CThrownException<CDBException> caught(e);
        std::wstring error = e->m_strError.str();
        return error.empty() ? L"(refused without a text)" : error;
    }
    return database.IsOpen() ? std::wstring() : L"(not connected)";
}

// The statements in one transaction: all of them, or none when one fails.
std::wstring Run(CDatabase& database, const std::vector<std::wstring>& statements)
{
    database.BeginTrans();
    for (const std::wstring& sql : statements) {
        try {
            database.ExecuteSQL(sql.c_str());
        } catch (CDBException* e) {
            const CThrownException<CDBException> caught(e);
            std::wstring error = sql + L": " + e->m_strError.str();
            database.Rollback();
            return error;
        }
    }
    database.CommitTrans();
    return std::wstring();
}

std::wstring Make(const std::wstring& path, bool schema, const std::vector<std::wstring>& statements)
{
    if (!RequestNoteDatabaseFile(path.c_str())) return L"the file was not created";
    CDatabase database;
    const std::wstring error = Connect(database, path);
    if (!error.empty()) return error;
    if (schema) {
        const StoreOutcome written = CreateSchema(database);
        if (!written.IsDone()) return L"the schema was not written: " + written.error.str();
    }
    return Run(database, statements);
}

} // namespace

std::wstring MakeNoteDatabase(const std::wstring& path, const std::vector<std::wstring>& statements)
{
    return Make(path, true, statements);
}

std::wstring MakeDatabase(const std::wstring& path, const std::vector<std::wstring>& statements)
{
    return Make(path, false, statements);
}

std::wstring RunStatements(const std::wstring& path, const std::vector<std::wstring>& statements)
{
    CDatabase database;
    const std::wstring error = Connect(database, path);
    return error.empty() ? Run(database, statements) : error;
}

std::wstring ConnectError(const std::wstring& path)
{
    CDatabase database;
    return Connect(database, path);
}

std::wstring StatementError(const std::wstring& path, const std::wstring& sql, const CDBParameters& parameters)
{
    CDatabase database;
    const std::wstring error = Connect(database, path);
    if (!error.empty()) return error;
    try {
        CRecordset rows(&database);
        rows.Open(CRecordset::forwardOnly, sql.c_str(), CRecordset::executeDirect, parameters);
        rows.Close();
    } catch (CDBException* e) {
        const CThrownException<CDBException> caught(e);
        std::wstring text = e->m_strError.str();
        return text;
    }
    return std::wstring();
}

std::vector<std::wstring> Rows(const std::wstring& path, const std::wstring& sql)
{
    std::vector<std::wstring> rows;
    CDatabase database;
    if (!Connect(database, path).empty()) return {L"(no connection)"};
    try {
        CRecordset set(&database);
        set.Open(CRecordset::forwardOnly, sql.c_str(), CRecordset::executeDirect);
        while (!set.IsEOF()) {
            std::wstring row;
            for (short column = 0; column < set.GetODBCFieldCount(); ++column) {
                CString value;
                set.GetFieldValue(column, value);
                if (column > 0) row += L'|';
                row += value.str();
            }
            rows.push_back(row);
            set.MoveNext();
        }
        set.Close();
    } catch (CDBException* e) {
        const CThrownException<CDBException> caught(e);
        rows.push_back(L"(failed: " + e->m_strError.str() + L")");
    }
    return rows;
}

std::vector<std::wstring> SampleStatements()
{
    return {
        L"INSERT INTO groups VALUES(1,'Work','work things');",
        L"INSERT INTO groups VALUES(2,'Admin',NULL);",
        L"INSERT INTO groups VALUES(3,'Empty',NULL);",
        L"INSERT INTO notes VALUES(1,0,'zeta top','last of the loose notes','SELECT 1');",
        L"INSERT INTO notes VALUES(2,0,'alpha top',NULL,'SELECT 2');",
        L"INSERT INTO notes VALUES(3,1,'report b','weekly','SELECT * FROM sales');",
        L"INSERT INTO notes VALUES(4,1,'Report a','daily','SELECT * FROM orders');",
        L"INSERT INTO notes VALUES(5,2,'users','who is there','SELECT name FROM people');",
    };
}

} // namespace notefiles
