// The diagnostic records of one ODBC handle: SQLSTATE, native code and text,
// as SQLGetDiagRecW and SQLGetDiagFieldW hand them out.
#pragma once

#include "DriverErrors.h"

#include <sql.h>
#include <string>
#include <vector>

struct DiagRecord {
    std::string sqlState;
    std::u16string message;  // with the [Quillbox][Note database driver] origin prefix
    SQLINTEGER nativeCode = 0;
};

class Diagnostics {
public:
    void Clear() { m_records.clear(); m_return = SQL_SUCCESS; }
    // Records `error` and returns `rc` (SQL_ERROR or SQL_SUCCESS_WITH_INFO).
    SQLRETURN Add(const DriverError& error, SQLRETURN rc = SQL_ERROR);
    // Records the table's failure `id` with its details; a warning returns
    // SQL_SUCCESS_WITH_INFO, anything else SQL_ERROR.
    SQLRETURN Add(DriverErrorId id, std::initializer_list<std::string> details = {});
    const std::vector<DiagRecord>& Records() const { return m_records; }
    SQLRETURN LastReturn() const { return m_return; }
    void SetLastReturn(SQLRETURN rc) { m_return = rc; }

private:
    std::vector<DiagRecord> m_records;
    SQLRETURN m_return = SQL_SUCCESS;
};
