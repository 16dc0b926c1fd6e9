// CRawNoteConnection: a second user's plain ODBC connection to a note
// database, used to hold locks the way another program would: a SELECT left
// half-fetched (a shared lock that writers must wait for) or an open
// exclusive transaction (a write lock that readers must wait for).
#pragma once

#include "framework/OdbcHandle.h"

#include <string>

class CRawNoteConnection {
public:
    ~CRawNoteConnection() { Release(); }

    // Connects to `path` with the connect string the module uses. Empty on
    // success, else the driver's error text.
    std::wstring Connect(const std::wstring& path);
    // Runs `sql` and fetches its first row, leaving the statement open;
    // `firstValue` gets the row's first column. Empty on success.
    std::wstring OpenAndFetchOne(const std::wstring& sql, std::wstring& firstValue);
    // Runs `sql` to its end (no result kept open). Empty on success.
    std::wstring Run(const std::wstring& sql);
    // Every row's first column of `sql`, joined with '|'. Empty error on success.
    std::wstring ReadColumn(const std::wstring& sql, std::wstring& joined);
    // Closes the open statement, undoes an open transaction, disconnects.
    void Release();
    bool IsConnected() const { return static_cast<bool>(m_connection); }

private:
    // A new statement of the connection that has run `sql`; `rc` is what running it returned.
    COdbcHandle Execute(const std::wstring& sql, SQLRETURN& rc);

    COdbcHandle m_environment;
    COdbcHandle m_connection;  // connected while held
    COdbcHandle m_statement;   // the statement kept open
};
