// Diagnostics::Add.
#include "Diagnostics.h"

#include "Utf.h"

SQLRETURN Diagnostics::Add(const DriverError& error, SQLRETURN rc)
{
    DiagRecord record;
    record.sqlState = error.sqlState.size() == 5 ? error.sqlState : std::string("HY000");
    record.message = Utf8ToUtf16("[Quillbox][Note database driver] " + error.message);
    record.nativeCode = error.nativeCode;
    m_records.push_back(std::move(record));
    if (rc == SQL_ERROR || m_return != SQL_ERROR) m_return = rc;
    return rc;
}
