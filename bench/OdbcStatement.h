// COdbcStatement: one statement handle, executed directly and read forward
// with SQLFetch and SQLGetData, as a bare ODBC program reads a result.
#pragma once

#include <windows.h>
#include <sql.h>

#include <string>

class COdbcConnection;

class COdbcStatement {
public:
    explicit COdbcStatement(COdbcConnection& connection);
    ~COdbcStatement();
    COdbcStatement(const COdbcStatement&) = delete;
    COdbcStatement& operator=(const COdbcStatement&) = delete;

    // SQLExecDirectW; throws std::runtime_error with the diagnostics on failure.
    void Execute(const std::wstring& sql);
    // The next row; false at the end.
    bool Fetch();
    // Column `column` (1-based) as a signed 16-bit number (0 when NULL).
    int GetShort(SQLUSMALLINT column);
    // Column `column` as text, read in pieces until complete ("" when NULL).
    void GetText(SQLUSMALLINT column, std::wstring& text);

private:
    [[noreturn]] void Fail(const char* what);

    SQLHSTMT m_statement = SQL_NULL_HSTMT;  // owned
};
