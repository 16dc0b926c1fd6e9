// CRawNoteConnection: plain ODBC calls on the note database driver.
#include "tests/twousers/RawNoteConnection.h"

#include <sqlext.h>

namespace {

constexpr wchar_t kConnectFormat[] = L"DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=";

bool Succeeded(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// The first diagnostic record of `handle`: "STATE text".
std::wstring ErrorOf(const COdbcHandle& handle)
{
    SQLWCHAR state[6] = {};
    SQLWCHAR text[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!Succeeded(::SQLGetDiagRecW(handle.Type(), handle.Get(), 1, state, &native, text, 1024, &length))) return L"(no diagnostic)";
    return std::wstring(reinterpret_cast<wchar_t*>(state)) + L" " + reinterpret_cast<wchar_t*>(text);
}

// The current row's first column as text; empty when NULL.
std::wstring FirstColumnText(const COdbcHandle& statement)
{
    SQLWCHAR value[512] = {};
    SQLLEN length = 0;
    ::SQLGetData(statement.Get(), 1, SQL_C_WCHAR, value, sizeof value, &length);
    return length == SQL_NULL_DATA ? std::wstring() : std::wstring(reinterpret_cast<wchar_t*>(value));
}

} // namespace

std::wstring CRawNoteConnection::Connect(const std::wstring& path)
{
    Release();
    if (!m_environment) {
        if (!Succeeded(m_environment.Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE))) return L"no ODBC environment";
        ::SQLSetEnvAttr(m_environment.Get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    }
    COdbcHandle connection;
    if (!Succeeded(connection.Allocate(SQL_HANDLE_DBC, m_environment.Get()))) return L"no ODBC connection handle";
    std::wstring text = kConnectFormat + path;
    const SQLRETURN rc = ::SQLDriverConnectW(connection.Get(), nullptr, reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS, nullptr, 0,
                                             nullptr, SQL_DRIVER_NOPROMPT);
    if (!Succeeded(rc)) return ErrorOf(connection);
    m_connection = std::move(connection);
    return std::wstring();
}

COdbcHandle CRawNoteConnection::Execute(const std::wstring& sql, SQLRETURN& rc)
{
    COdbcHandle statement;
    statement.Allocate(SQL_HANDLE_STMT, m_connection.Get());
    std::wstring text = sql;
    rc = ::SQLExecDirectW(statement.Get(), reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS);
    return statement;
}

std::wstring CRawNoteConnection::OpenAndFetchOne(const std::wstring& sql, std::wstring& firstValue)
{
    if (!IsConnected()) return L"not connected";
    m_statement.Free();
    SQLRETURN rc = SQL_ERROR;
    COdbcHandle statement = Execute(sql, rc);
    if (!Succeeded(rc)) return ErrorOf(statement);
    const SQLRETURN fetched = ::SQLFetch(statement.Get());
    if (!Succeeded(fetched)) return fetched == SQL_NO_DATA ? L"no row" : ErrorOf(statement);
    firstValue = FirstColumnText(statement);
    m_statement = std::move(statement);
    return std::wstring();
}

std::wstring CRawNoteConnection::Run(const std::wstring& sql)
{
    if (!IsConnected()) return L"not connected";
    SQLRETURN rc = SQL_ERROR;
    const COdbcHandle statement = Execute(sql, rc);
    return Succeeded(rc) || rc == SQL_NO_DATA ? std::wstring() : ErrorOf(statement);
}

std::wstring CRawNoteConnection::ReadColumn(const std::wstring& sql, std::wstring& joined)
{
    joined.clear();
    if (!IsConnected()) return L"not connected";
    SQLRETURN rc = SQL_ERROR;
    const COdbcHandle statement = Execute(sql, rc);
    if (!Succeeded(rc)) return ErrorOf(statement);
    for (bool first = true; Succeeded(rc = ::SQLFetch(statement.Get())); first = false) {
        joined += (first ? L"" : L"|") + FirstColumnText(statement);
    }
    return rc == SQL_NO_DATA ? std::wstring() : ErrorOf(statement);
}

void CRawNoteConnection::Release()
{
    m_statement.Free();
    if (!m_connection) return;
    // An exclusive transaction begun with BEGIN is undone: nothing was written in it.
    Run(L"ROLLBACK");
    ::SQLDisconnect(m_connection.Get());
    m_connection.Free();
}
