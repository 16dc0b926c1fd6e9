// COdbcStatement: one statement handle, executed directly and read forward
// with SQLFetch and SQLGetData, as a bare ODBC program reads a result.
#pragma once

#include <windows.h>
#include <sql.h>

#include <string>
#include <vector>

class COdbcConnection;

class COdbcStatement {
public:
    explicit COdbcStatement(COdbcConnection& connection);
    ~COdbcStatement();
    COdbcStatement(const COdbcStatement&) = delete;
    COdbcStatement& operator=(const COdbcStatement&) = delete;

    // Binds `text` to marker `number` (1 to 4) with SQLBindParameter, as the
    // Access driver takes a text: up to 255 characters in place, a longer one
    // as data sent in pieces at execution. `text` must live until Execute ends.
    void BindText(SQLUSMALLINT number, const std::wstring& text);
    // SQLExecDirectW, with SQLParamData and SQLPutData for the texts sent at
    // execution; throws std::runtime_error with the diagnostics on failure.
    void Execute(const std::wstring& sql);
    // The next row; false at the end.
    bool Fetch();
    // Column `column` (1-based) as a signed 16-bit number (0 when NULL).
    int GetShort(SQLUSMALLINT column);
    // Column `column` as text, read in pieces until complete ("" when NULL).
    void GetText(SQLUSMALLINT column, std::wstring& text);
    // The result's columns: their names, and whether each holds numbers.
    struct Column {
        std::wstring name;
        bool number = false;
    };
    std::vector<Column> Columns();

private:
    [[noreturn]] void Fail(const char* what);

    struct BoundText {
        const std::wstring* text = nullptr;  // the caller's
        SQLLEN length = 0;                    // read by the driver at execution
    };

    SQLHSTMT m_statement = SQL_NULL_HSTMT;  // owned
    BoundText m_bound[4];
};
