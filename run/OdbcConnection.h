// COdbcConnection: one connection to a user's data source: environment and
// connection handles, opened without the driver's prompt and with a login
// timeout, disconnected before they are freed.
#pragma once

#include <windows.h>
#include <sql.h>

#include <string>

#include "framework/OdbcHandle.h"
#include "run/OdbcError.h"

class COdbcConnection {
public:
    static constexpr SQLULEN kLoginTimeoutSeconds = 15;

    COdbcConnection() = default;
    ~COdbcConnection();
    COdbcConnection(const COdbcConnection&) = delete;
    COdbcConnection& operator=(const COdbcConnection&) = delete;

    // Connects with the connection string `text`; on failure `error` says why.
    bool Open(const std::wstring& text, OdbcError& error);
    SQLHDBC Handle() const { return m_connection.Get(); }
    // The connection string it was opened with.
    const std::wstring& Text() const { return m_text; }

private:
    COdbcHandle m_environment;
    COdbcHandle m_connection;
    bool m_connected = false;
    std::wstring m_text;
};
