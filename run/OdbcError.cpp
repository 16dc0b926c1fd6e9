// Reading an ODBC handle's diagnostics.
#include "run/OdbcError.h"

#include <sqlext.h>

#include <vector>

std::wstring OdbcError::Text() const { return L"[" + state + L"] " + message; }

OdbcError ReadOdbcError(SQLSMALLINT handleType, SQLHANDLE handle)
{
    OdbcError error;
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    std::vector<SQLWCHAR> message(1024);
    SQLRETURN rc = ::SQLGetDiagRecW(handleType, handle, 1, state, &native, message.data(), static_cast<SQLSMALLINT>(message.size()), &length);
    if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
        message.resize(static_cast<std::size_t>(length) + 1);
        rc = ::SQLGetDiagRecW(handleType, handle, 1, state, &native, message.data(), static_cast<SQLSMALLINT>(message.size()), &length);
    }
    if (!SQL_SUCCEEDED(rc)) {
        error.state = L"HY000";
        error.message = L"The driver gave no reason.";
        return error;
    }
    error.state.assign(reinterpret_cast<const wchar_t*>(state));
    error.message.assign(reinterpret_cast<const wchar_t*>(message.data()));
    return error;
}
