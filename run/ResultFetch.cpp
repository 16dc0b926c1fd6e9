// Rows read with SQLGetData, a cell at a time: text as UTF-16 (a long one in
// pieces), binary values as bytes. Forward-only reading needs no cursor library.
#include "run/ResultFetch.h"

#include <sqlext.h>

namespace {

CellKind KindOf(SQLSMALLINT type)
{
    switch (type) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return CellKind::Number;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return CellKind::Binary;
    default:
        return CellKind::Text;
    }
}

// Reads one cell; false when the driver refused.
bool ReadCell(SQLHSTMT statement, SQLUSMALLINT column, CellKind kind, ResultRows& rows, std::wstring& text, std::string& bytes)
{
    const bool binary = kind == CellKind::Binary;
    const SQLSMALLINT type = binary ? SQL_C_BINARY : SQL_C_WCHAR;
    const std::size_t unit = binary ? 1 : sizeof(SQLWCHAR);
    char buffer[2048];
    text.clear();
    bytes.clear();
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = ::SQLGetData(statement, column, type, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        if (!SQL_SUCCEEDED(rc)) return false;
        if (indicator == SQL_NULL_DATA) {
            rows.AddNull();
            return true;
        }
        // A piece fills the buffer (less a text's terminator) when more follows.
        const std::size_t room = binary ? sizeof buffer : sizeof buffer - sizeof(SQLWCHAR);
        const bool more = rc == SQL_SUCCESS_WITH_INFO && (indicator == SQL_NO_TOTAL || static_cast<std::size_t>(indicator) > room);
        const std::size_t got = more ? room : static_cast<std::size_t>(indicator);
        if (binary) bytes.append(buffer, got);
        else text.append(reinterpret_cast<const wchar_t*>(buffer), got / unit);
        if (!more) break;
    }
    if (binary) rows.AddBytes(bytes.data(), bytes.size());
    else rows.AddText(text.data(), text.size(), kind);
    return true;
}

} // namespace

std::vector<ResultColumn> DescribeResult(SQLHSTMT statement)
{
    SQLSMALLINT count = 0;
    ::SQLNumResultCols(statement, &count);
    std::vector<ResultColumn> columns;
    for (SQLUSMALLINT c = 1; c <= count; ++c) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        ::SQLDescribeColW(statement, c, name, 256, &nameLength, &type, &size, &digits, &nullable);
        columns.push_back(ResultColumn{reinterpret_cast<const wchar_t*>(name), KindOf(type)});
    }
    return columns;
}

FetchStop FetchRows(SQLHSTMT statement, const std::vector<ResultColumn>& columns, ResultRows& rows, std::size_t limit,
                    const std::function<bool()>& cancelled, OdbcError& error)
{
    std::wstring text;
    std::string bytes;
    for (std::size_t read = 0; read < limit; ++read) {
        if (cancelled()) return FetchStop::Cancelled;
        const SQLRETURN rc = ::SQLFetch(statement);
        if (rc == SQL_NO_DATA) return FetchStop::End;
        if (!SQL_SUCCEEDED(rc)) {
            error = ReadOdbcError(SQL_HANDLE_STMT, statement);
            return cancelled() ? FetchStop::Cancelled : FetchStop::Failed;
        }
        for (SQLUSMALLINT c = 1; c <= columns.size(); ++c) {
            if (!ReadCell(statement, c, columns[c - 1].kind, rows, text, bytes)) {
                error = ReadOdbcError(SQL_HANDLE_STMT, statement);
                // The row stays whole, so that the rows before it can be kept.
                for (std::size_t rest = c; rest <= columns.size(); ++rest) rows.AddNull();
                return FetchStop::Failed;
            }
        }
    }
    return FetchStop::Limit;
}
