// COdbcHandle: owns one ODBC handle (environment, connection or statement)
// and frees it with SQLFreeHandle. Disconnecting a connection before it is
// freed is the owner's business (CDatabase does it).
#pragma once

#include <windows.h>
#include <sql.h>

#include "UniqueHandle.h"

// Frees an ODBC handle as the type it was allocated with.
struct OdbcHandleFree {
    SQLSMALLINT type = SQL_HANDLE_ENV;
    void operator()(SQLHANDLE handle) const { ::SQLFreeHandle(type, handle); }
};

class COdbcHandle {
public:
    // Allocates a handle of `type` under `parent`, freeing the one held before.
    SQLRETURN Allocate(SQLSMALLINT type, SQLHANDLE parent)
    {
        Free();
        SQLHANDLE handle = SQL_NULL_HANDLE;
        const SQLRETURN rc = ::SQLAllocHandle(type, parent, &handle);
        m_handle.Reset(handle, OdbcHandleFree{type});
        return rc;
    }
    void Free() { m_handle.Reset(); }
    SQLHANDLE Detach() { return m_handle.Detach(); }
    SQLHANDLE Get() const { return m_handle.Get(); }
    SQLSMALLINT Type() const { return m_handle.GetRelease().type; }
    explicit operator bool() const { return static_cast<bool>(m_handle); }

private:
    CUniqueHandle<SQLHANDLE, OdbcHandleFree> m_handle;
};
