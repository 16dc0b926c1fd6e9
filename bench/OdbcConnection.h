// COdbcConnection: a bare ODBC connection (environment and connection
// handles) as a program without any framework opens it; the floors of the
// benchmark and its checks read and write through it.
#pragma once

#include <windows.h>
#include <sql.h>

#include <string>

#include "framework/OdbcHandle.h"

class COdbcConnection {
public:
    ~COdbcConnection() { Disconnect(); }

    // Connects with a driver connect string; throws std::runtime_error with
    // the driver's diagnostics when refused.
    void Connect(const std::wstring& connect);
    void Disconnect();
    bool IsOpen() const { return m_connected; }
    SQLHDBC Handle() const { return m_connection.Get(); }
    // Runs a statement that returns no rows.
    void Execute(const std::wstring& sql);

private:
    COdbcHandle m_environment;
    COdbcHandle m_connection;
    bool m_connected = false;
};

// The diagnostics of a handle as one line of text.
std::string OdbcDiagnostics(SQLSMALLINT type, SQLHANDLE handle);
