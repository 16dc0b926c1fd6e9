// COdbcStatement: direct execution and forward reading.
#include "bench/OdbcStatement.h"

#include "bench/OdbcConnection.h"

#include <sqlext.h>

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

void COdbcStatement::Execute(const std::wstring& sql)
{
    const SQLRETURN rc = ::SQLExecDirectW(m_statement, reinterpret_cast<SQLWCHAR*>(const_cast<wchar_t*>(sql.c_str())), SQL_NTS);
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
