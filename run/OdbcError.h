// The first diagnostic record of an ODBC handle: SQLSTATE and message.
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
