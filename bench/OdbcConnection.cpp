// COdbcConnection: connecting and disconnecting with plain ODBC calls.
#include "bench/OdbcConnection.h"

#include "bench/OdbcStatement.h"

#include <sqlext.h>

#include <cstdio>
#include <stdexcept>

std::string OdbcDiagnostics(SQLSMALLINT type, SQLHANDLE handle)
{
    std::string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {}, message[1024] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(::SQLGetDiagRecW(type, handle, record, state, &native, message, 1024, &length))) break;
        char line[1200];
        std::snprintf(line, sizeof line, "%s[%ls] %ls", text.empty() ? "" : "; ", reinterpret_cast<wchar_t*>(state),
                      reinterpret_cast<wchar_t*>(message));
        text += line;
    }
    return text.empty() ? "no diagnostics" : text;
}

void COdbcConnection::Connect(const std::wstring& connect)
{
    Disconnect();
    if (!SQL_SUCCEEDED(m_environment.Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE))) {
        m_environment.Detach();
        throw std::runtime_error("SQLAllocHandle(ENV) failed");
    }
    ::SQLSetEnvAttr(m_environment.Get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(m_connection.Allocate(SQL_HANDLE_DBC, m_environment.Get()))) {
        m_connection.Detach();
        throw std::runtime_error("SQLAllocHandle(DBC) failed");
    }
    SQLWCHAR completed[1024] = {};
    SQLSMALLINT completedLength = 0;
    const SQLRETURN rc = ::SQLDriverConnectW(m_connection.Get(), nullptr, reinterpret_cast<SQLWCHAR*>(const_cast<wchar_t*>(connect.c_str())),
                                             SQL_NTS, completed, 1024, &completedLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        const std::string diagnostics = OdbcDiagnostics(SQL_HANDLE_DBC, m_connection.Get());
        Disconnect();
        throw std::runtime_error("connect failed: " + diagnostics);
    }
    m_connected = true;
}

void COdbcConnection::Disconnect()
{
    if (m_connected) ::SQLDisconnect(m_connection.Get());
    m_connected = false;
    m_connection.Free();
    m_environment.Free();
}

void COdbcConnection::Execute(const std::wstring& sql)
{
    COdbcStatement statement(*this);
    statement.Execute(sql);
}
