// CDatabase: one ODBC connection, opened with a connect string ("ODBC;..."),
// used by CRecordset and ExecuteSQL, closed by Close or the destructor.
#pragma once

#include "CDBParameters.h"
#include "CString.h"
#include "OdbcHandle.h"

#include <vector>

class CRecordset;

class CDatabase {
public:
    enum DbOpenOptions {
        openExclusive = 0x0001,
        openReadOnly = 0x0002,
        useCursorLib = 0x0004,
        noOdbcDialog = 0x0008,
        forceOdbcDialog = 0x0010,
    };

    CDatabase() = default;
    virtual ~CDatabase();
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Opens the connection: `dataSource` names a data source (or null), and
    // `connect` is a connect string that starts with "ODBC;". Returns FALSE
    // when the driver's own prompt was cancelled; throws CDBException when the
    // connection is refused.
    virtual BOOL Open(LPCWSTR dataSource, BOOL exclusive = FALSE, BOOL readOnly = FALSE, LPCWSTR connect = L"ODBC;",
                      BOOL useCursorLibrary = TRUE);
    virtual BOOL OpenEx(LPCWSTR connect, DWORD options = 0);
    virtual void Close();
    BOOL IsOpen() const { return m_connected; }
    BOOL CanUpdate() const { return m_connected && !m_readOnly; }
    // The connect string the driver completed, with the leading "ODBC;".
    const CString& GetConnect() const { return m_connect; }

    // Runs one statement that returns no rows; throws CDBException on failure.
    void ExecuteSQL(LPCWSTR sql);
    // The same with a value for each '?' marker of `sql`, in order.
    void ExecuteSQL(LPCWSTR sql, const CDBParameters& parameters);
    // How many rows the last ExecuteSQL inserted, changed or deleted (-1 when the driver cannot tell).
    long GetRowsAffected() const { return m_rowsAffected; }

    // One transaction on the connection: BeginTrans turns automatic commits
    // off, CommitTrans and Rollback end it and turn them back on. Failures
    // throw CDBException; Rollback throws nothing (it is what cleans up).
    BOOL BeginTrans();
    BOOL CommitTrans();
    BOOL Rollback();
    bool InTransaction() const { return m_inTransaction; }

    SQLHDBC GetConnectionHandle() const { return m_connection.Get(); }

    // Recordsets open on this connection; Close closes them first.
    void AttachRecordset(CRecordset* recordset);
    void DetachRecordset(CRecordset* recordset);

private:
    COdbcHandle m_environment;
    COdbcHandle m_connection;
    bool m_connected = false;
    long m_rowsAffected = -1;
    bool m_readOnly = false;
    bool m_multipleResults = true;  // the driver's SQL_MULT_RESULT_SETS
    bool m_inTransaction = false;
    CString m_connect;
    std::vector<CRecordset*> m_recordsets;  // not owned
};
