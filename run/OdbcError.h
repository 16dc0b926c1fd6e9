// The diagnostic of an ODBC handle that tells why a call failed: SQLSTATE
// and message of its first record that is not a warning (class 01).
#pragma once

#include <windows.h>
#include <sql.h>

#include <string>

struct OdbcError {
    std::wstring state;
    std::wstring message;
    // "[42000] near "FORM": syntax error"
    std::wstring Text() const;
};

OdbcError ReadOdbcError(SQLSMALLINT handleType, SQLHANDLE handle);
