// COdbcConnection: SQLDriverConnectW with SQL_DRIVER_NOPROMPT. The
// connection's commit mode is left as the driver has it.
#include "run/OdbcConnection.h"

#include <sqlext.h>

COdbcConnection::~COdbcConnection()
{
    if (m_connected) ::SQLDisconnect(m_connection.Get());
}

bool COdbcConnection::Open(const std::wstring& text, OdbcError& error)
{
    m_environment.Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    ::SQLSetEnvAttr(m_environment.Get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    m_connection.Allocate(SQL_HANDLE_DBC, m_environment.Get());
    ::SQLSetConnectAttrW(m_connection.Get(), SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    std::wstring copy = text;
    SQLWCHAR completed[1024];
    SQLSMALLINT length = 0;
    const SQLRETURN rc = ::SQLDriverConnectW(m_connection.Get(), nullptr, reinterpret_cast<SQLWCHAR*>(&copy[0]), SQL_NTS, completed, 1024, &length,
                                             SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        error = ReadOdbcError(SQL_HANDLE_DBC, m_connection.Get());
        return false;
    }
    m_connected = true;
    m_text = text;
    return true;
}
