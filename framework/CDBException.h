// CDBException: a failure reported by the ODBC driver or driver manager.
// m_strError holds the text of every diagnostic record without its
// [vendor][driver] origin, one line each; m_strStateNativeOrigin the
// SQLSTATE, native code and origin of each.
#pragma once

#include "CException.h"

#include <windows.h>
#include <sql.h>

class CDatabase;

class CDBException : public CException {
public:
    explicit CDBException(SQLRETURN retCode = SQL_ERROR) : m_nRetCode(retCode) {}

    // Reads the diagnostic records of `handle` into m_strError and m_strStateNativeOrigin.
    void BuildErrorString(SQLSMALLINT handleType, SQLHANDLE handle);
    CString GetErrorText() const override;

    SQLRETURN m_nRetCode;
    CString m_strError;
    CString m_strStateNativeOrigin;
};

// Throws a CDBException for the return code `retCode` with the diagnostics of
// `statement`, or of the connection of `database` when there is no statement.
[[noreturn]] void AfxThrowDBException(SQLRETURN retCode, CDatabase* database, SQLHSTMT statement);
// Throws a CDBException with the diagnostics of any handle.
[[noreturn]] void AfxThrowDBException(SQLRETURN retCode, SQLSMALLINT handleType, SQLHANDLE handle);
// Throws a CDBException that carries a text of the framework's own.
[[noreturn]] void AfxThrowDBException(const CString& text);
