// CDatabase: connecting through the driver manager and running statements.
#include "CDatabase.h"

#include "BoundParameters.h"
#include "CDBException.h"
#include "CRecordset.h"

#include <sqlext.h>

#include <algorithm>

CDatabase::~CDatabase() { Close(); }

BOOL CDatabase::Open(LPCWSTR dataSource, BOOL exclusive, BOOL readOnly, LPCWSTR connect, BOOL useCursorLibrary)
{
    CString text = connect ? connect : L"ODBC;";
    if (dataSource && *dataSource) {
        const CString rest = text.Left(5).CompareNoCase(L"ODBC;") == 0 ? text.Mid(5) : text;
        text = CString(L"ODBC;DSN=") + dataSource + L";" + rest;
    }
    DWORD options = 0;
    if (exclusive) options |= openExclusive;
    if (readOnly) options |= openReadOnly;
    if (useCursorLibrary) options |= useCursorLib;
    return OpenEx(text, options);
}

BOOL CDatabase::OpenEx(LPCWSTR connect, DWORD options)
{
    Close();
    CString text = connect ? connect : L"";
    // The framework's prefix is not part of what the driver manager accepts.
    if (text.Left(5).CompareNoCase(L"ODBC;") == 0) text = text.Mid(5);

    SQLRETURN rc = m_environment.Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    if (!SQL_SUCCEEDED(rc)) AfxThrowDBException(L"The ODBC driver manager could not be started.");
    ::SQLSetEnvAttr(m_environment.Get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    rc = m_connection.Allocate(SQL_HANDLE_DBC, m_environment.Get());
    if (!SQL_SUCCEEDED(rc)) AfxThrowDBException(rc, SQL_HANDLE_ENV, m_environment.Get());

    // Always the driver's own cursors, even when the cursor library is asked
    // for: under the driver manager used here the cursor library refuses
    // SQLFetch on a statement without bound columns (SL009), and recordsets
    // read every field with SQLGetData. Forward-only reading needs no library.
    ::SQLSetConnectAttrW(m_connection.Get(), SQL_ATTR_ODBC_CURSORS, reinterpret_cast<SQLPOINTER>(SQL_CUR_USE_DRIVER), SQL_IS_UINTEGER);
    ::SQLSetConnectAttrW(m_connection.Get(), SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), SQL_IS_UINTEGER);
    m_readOnly = (options & openReadOnly) != 0;
    if (m_readOnly) {
        ::SQLSetConnectAttrW(m_connection.Get(), SQL_ATTR_ACCESS_MODE, reinterpret_cast<SQLPOINTER>(SQL_MODE_READ_ONLY), SQL_IS_UINTEGER);
    }

    const bool prompt = (options & noOdbcDialog) == 0;
    HWND owner = prompt ? ::GetActiveWindow() : nullptr;
    if (prompt && !owner) owner = ::GetDesktopWindow();
    const SQLUSMALLINT completion = !prompt ? SQL_DRIVER_NOPROMPT : (options & forceOdbcDialog) ? SQL_DRIVER_PROMPT : SQL_DRIVER_COMPLETE;
    SQLWCHAR completed[1024] = {};
    SQLSMALLINT completedLength = 0;
    rc = ::SQLDriverConnectW(m_connection.Get(), owner, reinterpret_cast<SQLWCHAR*>(const_cast<wchar_t*>(text.GetString())),
                             SQL_NTS, completed, 1024, &completedLength, completion);
    if (rc == SQL_NO_DATA) {
        // The user cancelled the driver's prompt: the database stays closed.
        m_connection.Free();
        m_environment.Free();
        return FALSE;
    }
    if (!SQL_SUCCEEDED(rc)) {
        auto* e = new CDBException(rc);
        e->BuildErrorString(SQL_HANDLE_DBC, m_connection.Get());
        m_connection.Free();
        m_environment.Free();
        throw e;
    }
    m_connected = true;
    // Whether a statement can have further results to run through after the first.
    SQLWCHAR multiple[2] = {};
    SQLSMALLINT multipleLength = 0;
    m_multipleResults = SQL_SUCCEEDED(::SQLGetInfoW(m_connection.Get(), SQL_MULT_RESULT_SETS, multiple, sizeof multiple, &multipleLength)) &&
                        multiple[0] == L'Y';
    m_connect = CString(L"ODBC;") + reinterpret_cast<const wchar_t*>(completed);
    return TRUE;
}

void CDatabase::Close()
{
    // Recordsets on this connection go first; each detaches itself.
    while (!m_recordsets.empty()) m_recordsets.back()->Close();
    // A transaction left open is undone, never half kept.
    if (m_inTransaction) Rollback();
    if (m_connected) ::SQLDisconnect(m_connection.Get());
    m_connected = false;
    m_connection.Free();
    m_environment.Free();
    m_connect.Empty();
}

void CDatabase::ExecuteSQL(LPCWSTR sql) { ExecuteSQL(sql, CDBParameters()); }

void CDatabase::ExecuteSQL(LPCWSTR sql, const CDBParameters& parameters)
{
    if (!m_connected) AfxThrowDBException(L"The database is not open.");
    m_rowsAffected = -1;
    COdbcHandle statement;
    SQLRETURN rc = statement.Allocate(SQL_HANDLE_STMT, m_connection.Get());
    if (!SQL_SUCCEEDED(rc)) AfxThrowDBException(rc, this, nullptr);
    rc = ExecuteDirectWithParameters(statement.Get(), sql, parameters);
    // SQL_NO_DATA: a searched UPDATE or DELETE that touched no row, which is not a failure.
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) AfxThrowDBException(rc, this, statement.Get());
    SQLLEN rows = -1;
    if (rc == SQL_NO_DATA) rows = 0;
    else if (!SQL_SUCCEEDED(::SQLRowCount(statement.Get(), &rows))) rows = -1;
    m_rowsAffected = static_cast<long>(rows);
    // A driver without multiple results has none to run through.
    if (m_multipleResults) {
        while (SQL_SUCCEEDED(::SQLMoreResults(statement.Get()))) {}
    }
}

BOOL CDatabase::BeginTrans()
{
    if (!m_connected) AfxThrowDBException(L"The database is not open.");
    const SQLRETURN rc = ::SQLSetConnectAttrW(m_connection.Get(), SQL_ATTR_AUTOCOMMIT,
                                              reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_AUTOCOMMIT_OFF)), SQL_IS_UINTEGER);
    if (!SQL_SUCCEEDED(rc)) AfxThrowDBException(rc, SQL_HANDLE_DBC, m_connection.Get());
    m_inTransaction = true;
    return TRUE;
}

BOOL CDatabase::CommitTrans()
{
    if (!m_inTransaction) return FALSE;
    const SQLRETURN rc = ::SQLEndTran(SQL_HANDLE_DBC, m_connection.Get(), SQL_COMMIT);
    if (!SQL_SUCCEEDED(rc)) AfxThrowDBException(rc, SQL_HANDLE_DBC, m_connection.Get());
    m_inTransaction = false;
    ::SQLSetConnectAttrW(m_connection.Get(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_AUTOCOMMIT_ON)),
                         SQL_IS_UINTEGER);
    return TRUE;
}

BOOL CDatabase::Rollback()
{
    if (!m_inTransaction) return FALSE;
    const SQLRETURN rc = ::SQLEndTran(SQL_HANDLE_DBC, m_connection.Get(), SQL_ROLLBACK);
    m_inTransaction = false;
    ::SQLSetConnectAttrW(m_connection.Get(), SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_AUTOCOMMIT_ON)),
                         SQL_IS_UINTEGER);
    return SQL_SUCCEEDED(rc) ? TRUE : FALSE;
}

void CDatabase::AttachRecordset(CRecordset* recordset) { m_recordsets.push_back(recordset); }

void CDatabase::DetachRecordset(CRecordset* recordset)
{
    m_recordsets.erase(std::remove(m_recordsets.begin(), m_recordsets.end(), recordset), m_recordsets.end());
}
