// COdbcStatement: direct execution and forward reading.
#include "bench/OdbcStatement.h"

#include "bench/OdbcConnection.h"

#include <sqlext.h>

#include <algorithm>
#include <cwchar>
#include <stdexcept>

COdbcStatement::COdbcStatement(COdbcConnection& connection)
{
    if (!SQL_SUCCEEDED(::SQLAllocHandle(SQL_HANDLE_STMT, connection.Handle(), &m_statement))) {
        m_statement = SQL_NULL_HSTMT;
        throw std::runtime_error("SQLAllocHandle(STMT) failed: " + OdbcDiagnostics(SQL_HANDLE_DBC, connection.Handle()));
    }
}

COdbcStatement::~COdbcStatement()
{
    if (m_statement) ::SQLFreeHandle(SQL_HANDLE_STMT, m_statement);
}

void COdbcStatement::Fail(const char* what)
{
    throw std::runtime_error(std::string(what) + ": " + OdbcDiagnostics(SQL_HANDLE_STMT, m_statement));
}

void COdbcStatement::BindText(SQLUSMALLINT number, const std::wstring& text)
{
    constexpr size_t kLongestBoundText = 255;
    if (number < 1 || number > sizeof m_bound / sizeof *m_bound) throw std::runtime_error("BindText: no room for marker " + std::to_string(number));
    BoundText& bound = m_bound[number - 1];
    bound.text = &text;
    const auto bytes = static_cast<SQLLEN>(text.size() * sizeof(SQLWCHAR));
    SQLRETURN rc;
    if (text.size() <= kLongestBoundText) {
        bound.length = bytes;
        rc = ::SQLBindParameter(m_statement, number, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, text.empty() ? 1 : text.size(), 0,
                                const_cast<wchar_t*>(text.c_str()), bytes, &bound.length);
    } else {
        bound.length = SQL_LEN_DATA_AT_EXEC(bytes);
        rc = ::SQLBindParameter(m_statement, number, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WLONGVARCHAR, text.size(), 0, &bound, 0, &bound.length);
    }
    if (!SQL_SUCCEEDED(rc)) Fail("SQLBindParameter");
}

void COdbcStatement::Execute(const std::wstring& sql)
{
    constexpr size_t kPieceChars = 8192;
    SQLRETURN rc = ::SQLExecDirectW(m_statement, reinterpret_cast<SQLWCHAR*>(const_cast<wchar_t*>(sql.c_str())), SQL_NTS);
    while (rc == SQL_NEED_DATA) {
        SQLPOINTER token = nullptr;
        rc = ::SQLParamData(m_statement, &token);
        if (rc != SQL_NEED_DATA) break;
        const std::wstring& text = *static_cast<BoundText*>(token)->text;
        for (size_t sent = 0; sent < text.size();) {
            const size_t piece = std::min(kPieceChars, text.size() - sent);
            if (!SQL_SUCCEEDED(::SQLPutData(m_statement, const_cast<wchar_t*>(text.c_str() + sent), static_cast<SQLLEN>(piece * sizeof(SQLWCHAR)))))
                Fail("SQLPutData");
            sent += piece;
        }
    }
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) Fail("SQLExecDirectW");
}

bool COdbcStatement::Fetch()
{
    const SQLRETURN rc = ::SQLFetch(m_statement);
    if (rc == SQL_NO_DATA) return false;
    if (!SQL_SUCCEEDED(rc)) Fail("SQLFetch");
    return true;
}

int COdbcStatement::GetShort(SQLUSMALLINT column)
{
    SQLSMALLINT value = 0;
    SQLLEN indicator = 0;
    if (!SQL_SUCCEEDED(::SQLGetData(m_statement, column, SQL_C_SSHORT, &value, sizeof value, &indicator))) Fail("SQLGetData");
    return indicator == SQL_NULL_DATA ? 0 : value;
}

void COdbcStatement::GetText(SQLUSMALLINT column, std::wstring& text)
{
    text.clear();
    SQLWCHAR buffer[1024];
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = ::SQLGetData(m_statement, column, SQL_C_WCHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA || indicator == SQL_NULL_DATA) return;
        if (!SQL_SUCCEEDED(rc)) Fail("SQLGetData");
        const bool complete = rc == SQL_SUCCESS;
        const size_t chars = complete && indicator != SQL_NO_TOTAL ? static_cast<size_t>(indicator) / sizeof(SQLWCHAR)
                                                                   : wcsnlen(reinterpret_cast<wchar_t*>(buffer), 1023);
        text.append(reinterpret_cast<wchar_t*>(buffer), chars);
        if (complete) return;
    }
}

std::vector<COdbcStatement::Column> COdbcStatement::Columns()
{
    SQLSMALLINT count = 0;
    if (!SQL_SUCCEEDED(::SQLNumResultCols(m_statement, &count))) Fail("SQLNumResultCols");
    std::vector<Column> columns(static_cast<size_t>(count));
    for (SQLUSMALLINT i = 1; i <= count; ++i) {
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameLength = 0, type = 0, digits = 0, nullable = 0;
        SQLULEN size = 0;
        if (!SQL_SUCCEEDED(::SQLDescribeColW(m_statement, i, name, 256, &nameLength, &type, &size, &digits, &nullable)))
            Fail("SQLDescribeColW");
        columns[i - 1].name = reinterpret_cast<wchar_t*>(name);
        columns[i - 1].number = type == SQL_INTEGER || type == SQL_SMALLINT || type == SQL_TINYINT || type == SQL_BIGINT || type == SQL_REAL ||
                                type == SQL_FLOAT || type == SQL_DOUBLE || type == SQL_NUMERIC || type == SQL_DECIMAL;
    }
    return columns;
}
