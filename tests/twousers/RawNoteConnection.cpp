// CRawNoteConnection: plain ODBC calls on the note database driver.
#include "tests/twousers/RawNoteConnection.h"

#include <sqlext.h>

#include <vector>

namespace {

constexpr wchar_t kConnectFormat[] = L"DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=";

bool Succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

} // namespace

CRawNoteConnection::~CRawNoteConnection()
{
    Release();
    if (m_environment != SQL_NULL_HENV) ::SQLFreeHandle(SQL_HANDLE_ENV, m_environment);
}

std::wstring CRawNoteConnection::ErrorOf(SQLSMALLINT type, SQLHANDLE handle) const
{
    SQLWCHAR state[6] = {};
    SQLWCHAR text[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!Succeeded(::SQLGetDiagRecW(type, handle, 1, state, &native, text, 1024, &length))) return L"(no diagnostic)";
    return std::wstring(reinterpret_cast<wchar_t*>(state)) + L" " + reinterpret_cast<wchar_t*>(text);
}

std::wstring CRawNoteConnection::Connect(const std::wstring& path)
{
    Release();
    if (m_environment == SQL_NULL_HENV) {
        if (!Succeeded(::SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_environment))) return L"no ODBC environment";
        ::SQLSetEnvAttr(m_environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    }
    SQLHDBC connection = SQL_NULL_HDBC;
    if (!Succeeded(::SQLAllocHandle(SQL_HANDLE_DBC, m_environment, &connection))) return L"no ODBC connection handle";
    std::wstring text = kConnectFormat + path;
    const SQLRETURN rc = ::SQLDriverConnectW(connection, nullptr, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS, nullptr, 0,
                                             nullptr, SQL_DRIVER_NOPROMPT);
    if (!Succeeded(rc)) {
        std::wstring error = ErrorOf(SQL_HANDLE_DBC, connection);
        ::SQLFreeHandle(SQL_HANDLE_DBC, connection);
        return error;
    }
    m_connection = connection;
    return std::wstring();
}

std::wstring CRawNoteConnection::OpenAndFetchOne(const std::wstring& sql, std::wstring& firstValue)
{
    if (!IsConnected()) return L"not connected";
    CloseStatement();
    ::SQLAllocHandle(SQL_HANDLE_STMT, m_connection, &m_statement);
    std::wstring text = sql;
    if (!Succeeded(::SQLExecDirectW(m_statement, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS))) {
        std::wstring error = ErrorOf(SQL_HANDLE_STMT, m_statement);
        CloseStatement();
        return error;
    }
    const SQLRETURN fetched = ::SQLFetch(m_statement);
    if (!Succeeded(fetched)) {
        std::wstring error = fetched == SQL_NO_DATA ? L"no row" : ErrorOf(SQL_HANDLE_STMT, m_statement);
        CloseStatement();
        return error;
    }
    SQLWCHAR value[512] = {};
    SQLLEN length = 0;
    ::SQLGetData(m_statement, 1, SQL_C_WCHAR, value, sizeof value, &length);
    firstValue = length == SQL_NULL_DATA ? L"" : reinterpret_cast<wchar_t*>(value);
    return std::wstring();
}

std::wstring CRawNoteConnection::Run(const std::wstring& sql)
{
    if (!IsConnected()) return L"not connected";
    SQLHSTMT statement = SQL_NULL_HSTMT;
    ::SQLAllocHandle(SQL_HANDLE_STMT, m_connection, &statement);
    std::wstring text = sql;
    const SQLRETURN rc = ::SQLExecDirectW(statement, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS);
    std::wstring error = Succeeded(rc) || rc == SQL_NO_DATA ? std::wstring() : ErrorOf(SQL_HANDLE_STMT, statement);
    ::SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return error;
}

std::wstring CRawNoteConnection::ReadColumn(const std::wstring& sql, std::wstring& joined)
{
    joined.clear();
    if (!IsConnected()) return L"not connected";
    SQLHSTMT statement = SQL_NULL_HSTMT;
    ::SQLAllocHandle(SQL_HANDLE_STMT, m_connection, &statement);
    std::wstring text = sql;
    std::wstring error;
    if (!Succeeded(::SQLExecDirectW(statement, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS))) {
        error = ErrorOf(SQL_HANDLE_STMT, statement);
    } else {
        bool first = true;
        SQLRETURN rc;
        while (Succeeded(rc = ::SQLFetch(statement))) {
            SQLWCHAR value[512] = {};
            SQLLEN length = 0;
            ::SQLGetData(statement, 1, SQL_C_WCHAR, value, sizeof value, &length);
            joined += (first ? L"" : L"|") + std::wstring(length == SQL_NULL_DATA ? L"" : reinterpret_cast<wchar_t*>(value));
            first = false;
        }
        if (rc != SQL_NO_DATA) error = ErrorOf(SQL_HANDLE_STMT, statement);
    }
    ::SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return error;
}

void CRawNoteConnection::CloseStatement()
{
    if (m_statement == SQL_NULL_HSTMT) return;
    ::SQLFreeHandle(SQL_HANDLE_STMT, m_statement);
    m_statement = SQL_NULL_HSTMT;
}

void CRawNoteConnection::Release()
{
    CloseStatement();
    if (m_connection == SQL_NULL_HDBC) return;
    // An exclusive transaction begun with BEGIN is undone: nothing was written in it.
    Run(L"ROLLBACK");
    ::SQLDisconnect(m_connection);
    ::SQLFreeHandle(SQL_HANDLE_DBC, m_connection);
    m_connection = SQL_NULL_HDBC;
}
