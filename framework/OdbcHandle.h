// COdbcHandle: owns one ODBC handle (environment, connection or statement)
// and frees it with SQLFreeHandle. Disconnecting a connection before it is
// freed is the owner's business (CDatabase does it).
#pragma once

#include <windows.h>
#include <sql.h>

class COdbcHandle {
public:
    COdbcHandle() = default;
    ~COdbcHandle() { Free(); }
    COdbcHandle(const COdbcHandle&) = delete;
    COdbcHandle& operator=(const COdbcHandle&) = delete;
    COdbcHandle(COdbcHandle&& other) noexcept : m_type(other.m_type), m_handle(other.Detach()) {}
    COdbcHandle& operator=(COdbcHandle&& other) noexcept
    {
        if (this != &other) {
            Free();
            m_type = other.m_type;
            m_handle = other.Detach();
        }
        return *this;
    }

    // Allocates a handle of `type` under `parent`, freeing the one held before.
    SQLRETURN Allocate(SQLSMALLINT type, SQLHANDLE parent)
    {
        Free();
        m_type = type;
        return ::SQLAllocHandle(type, parent, &m_handle);
    }
    void Free()
    {
        if (m_handle) ::SQLFreeHandle(m_type, m_handle);
        m_handle = SQL_NULL_HANDLE;
    }
    SQLHANDLE Detach()
    {
        SQLHANDLE handle = m_handle;
        m_handle = SQL_NULL_HANDLE;
        return handle;
    }
    SQLHANDLE Get() const { return m_handle; }
    SQLSMALLINT Type() const { return m_type; }
    explicit operator bool() const { return m_handle != SQL_NULL_HANDLE; }

private:
    SQLSMALLINT m_type = SQL_HANDLE_ENV;
    SQLHANDLE m_handle = SQL_NULL_HANDLE;  // owned
};
