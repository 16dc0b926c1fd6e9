// The data sources notes run on, reached from the DLL's side of Wine by the
// names scripts/prefix registers: Debian's SQLite ODBC driver on a file, and
// psqlODBC on the tests' PostgreSQL server, which lets its role in with the
// password only.
#include "tests/support/UnixPath.h"
#include "tests/support/WideText.h"

#include "framework/CDBException.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"
#include "framework/ThrownException.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? Wide(value) : std::wstring();
}

// The first column of the first row `sql` returns, as text.
std::wstring FirstValue(CDatabase& db, const wchar_t* sql)
{
    CRecordset rs(&db);
    rs.Open(CRecordset::forwardOnly, sql, CRecordset::executeDirect);
    if (rs.IsEOF()) return L"(no row)";
    CString value;
    rs.GetFieldValue(static_cast<short>(0), value);
    return value.str();
}

// The error text an Open with `connect` throws, or "(opened)".
std::wstring OpenError(CDatabase& db, const std::wstring& connect)
{
    try {
        db.OpenEx(connect.c_str(), CDatabase::noOdbcDialog);
    } catch (CDBException* e) {
        const CThrownException<CDBException> caught(e);
        return caught->m_strError.str();
    }
    return L"(opened)";
}

TEST(DataSourceDrivers, SqliteDriverWritesAndReadsAFileGivenByItsUnixPath)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring file = std::wstring(temp) + L"quillbox sqlite source " + std::to_wstring(::GetCurrentProcessId()) + L".db";
    ::DeleteFileW(file.c_str());
    const std::wstring unixPath = UnixPathOf(file);
    ASSERT_FALSE(unixPath.empty()) << "not under Wine?";
    {
        CDatabase db;
        ASSERT_EQ(L"(opened)", OpenError(db, L"ODBC;DRIVER={SQLite3 ODBC Driver};Database=" + unixPath));
        db.ExecuteSQL(L"CREATE TABLE t (id INTEGER, name TEXT)");
        db.ExecuteSQL(L"INSERT INTO t VALUES (1, 'Grüße; 東京')");
        EXPECT_EQ(L"Grüße; 東京", FirstValue(db, L"SELECT name FROM t WHERE id = 1"));
    }
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(file.c_str())) << "the driver wrote where Windows sees it";
    ::DeleteFileW(file.c_str());
}

TEST(DataSourceDrivers, PostgreSqlServerLetsTheRoleInWithItsPasswordOnly)
{
    const std::wstring connect = Environment("QB_PG_CONNECT");
    ASSERT_FALSE(connect.empty()) << "QB_PG_CONNECT is set by scripts/pg-server exec";
    CDatabase refused;
    EXPECT_NE(L"(opened)", OpenError(refused, L"ODBC;" + connect)) << "no password";
    CDatabase wrong;
    EXPECT_NE(L"(opened)", OpenError(wrong, L"ODBC;" + connect + L";PWD=wrong"));
    CDatabase db;
    ASSERT_EQ(L"(opened)", OpenError(db, L"ODBC;" + connect + L";PWD=" + Environment("QB_PG_PASSWORD")));
    EXPECT_EQ(L"quillbox", FirstValue(db, L"SELECT current_user"));
    EXPECT_EQ(L"Grüße", FirstValue(db, L"SELECT $$Grüße$$"));
}

} // namespace
