// CDBException: collecting the diagnostic records of a failed ODBC call.
#include "CDBException.h"

#include "CDatabase.h"

#include <sqlext.h>

void CDBException::BuildErrorString(SQLSMALLINT handleType, SQLHANDLE handle)
{
    if (handle) {
        for (SQLSMALLINT record = 1;; ++record) {
            SQLWCHAR state[6] = {};
            SQLINTEGER native = 0;
            SQLSMALLINT length = 0;
            SQLWCHAR probe[1];
            SQLRETURN rc = ::SQLGetDiagRecW(handleType, handle, record, state, &native, probe, 0, &length);
            if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) break;
            CString message;
            rc = ::SQLGetDiagRecW(handleType, handle, record, state, &native,
                                  reinterpret_cast<SQLWCHAR*>(message.GetBuffer(length + 1)), static_cast<SQLSMALLINT>(length + 1), &length);
            message.ReleaseBuffer();
            if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) break;

            // The [vendor][component] prefixes are the origin, not the message.
            CString origin;
            while (!message.IsEmpty() && message.GetAt(0) == L'[') {
                int close = message.Find(L']');
                if (close < 0) break;
                ++close;
                origin += message.Left(close);
                if (close < message.GetLength() && message.GetAt(close) == L' ') ++close;
                message = message.Mid(close);
            }
            CString stateLine;
            stateLine.Format(L"State:%s,Native:%ld,Origin:%s\n", reinterpret_cast<const wchar_t*>(state), static_cast<long>(native), origin.GetString());
            m_strStateNativeOrigin += stateLine;
            m_strError += message + L"\n";
        }
    }
    if (m_strError.IsEmpty()) {
        switch (m_nRetCode) {
        case SQL_INVALID_HANDLE: m_strError = L"Invalid ODBC handle.\n"; break;
        case SQL_NEED_DATA: m_strError = L"The ODBC driver needs more data.\n"; break;
        case SQL_STILL_EXECUTING: m_strError = L"The ODBC operation is still executing.\n"; break;
        default: m_strError = L"The ODBC operation failed and the driver gave no message.\n"; break;
        }
    }
}

CString CDBException::GetErrorText() const { return m_strError; }

void AfxThrowDBException(SQLRETURN retCode, SQLSMALLINT handleType, SQLHANDLE handle)
{
    auto* e = new CDBException(retCode);
    e->BuildErrorString(handleType, handle);
    throw e;
}

void AfxThrowDBException(SQLRETURN retCode, CDatabase* database, SQLHSTMT statement)
{
    if (statement) AfxThrowDBException(retCode, SQL_HANDLE_STMT, statement);
    AfxThrowDBException(retCode, SQL_HANDLE_DBC, database ? database->GetConnectionHandle() : SQL_NULL_HANDLE);
}

void AfxThrowDBException(const CString& text)
{
    auto* e = new CDBException(SQL_ERROR);
    e->m_strError = text + L"\n";
    throw e;
}
