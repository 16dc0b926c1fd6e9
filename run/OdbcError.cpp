// Reading an ODBC handle's diagnostics.
#include "run/OdbcError.h"

#include <sqlext.h>

#include <vector>

std::wstring OdbcError::Text() const { return L"[" + state + L"] " + message; }

namespace {

bool ReadRecord(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT record, OdbcError& error)
{
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    std::vector<SQLWCHAR> message(1024);
    SQLRETURN rc = ::SQLGetDiagRecW(handleType, handle, record, state, &native, message.data(), static_cast<SQLSMALLINT>(message.size()), &length);
    if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
        message.resize(static_cast<std::size_t>(length) + 1);
        rc = ::SQLGetDiagRecW(handleType, handle, record, state, &native, message.data(), static_cast<SQLSMALLINT>(message.size()), &length);
    }
    if (!SQL_SUCCEEDED(rc)) return false;
    error.state.assign(reinterpret_cast<const wchar_t*>(state));
    error.message.assign(reinterpret_cast<const wchar_t*>(message.data()));
    return true;
}

} // namespace

OdbcError ReadOdbcError(SQLSMALLINT handleType, SQLHANDLE handle)
{
    OdbcError first;
    if (!ReadRecord(handleType, handle, 1, first)) return OdbcError{L"HY000", L"The driver gave no reason."};
    // A driver manager may put a warning before the error itself.
    OdbcError error = first;
    for (SQLSMALLINT record = 1; error.state.compare(0, 2, L"01") == 0; ++record) {
        if (!ReadRecord(handleType, handle, static_cast<SQLSMALLINT>(record + 1), error)) return first;
    }
    return error;
}
