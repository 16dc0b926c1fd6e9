// Diagnostics::Add.
#include "Diagnostics.h"

#include "Utf.h"

SQLRETURN Diagnostics::Add(const DriverError& error, SQLRETURN rc)
{
    DiagRecord record;
    record.sqlState = error.sqlState.size() == 5 ? error.sqlState : std::string(DriverErrorFor(DriverErrorId::UnexpectedFailure).sqlState);
    record.message = Utf8ToUtf16("[Quillbox][Note database driver] " + error.message);
    record.nativeCode = error.nativeCode;
    m_records.push_back(std::move(record));
    if (rc == SQL_ERROR || m_return != SQL_ERROR) m_return = rc;
    return rc;
}

SQLRETURN Diagnostics::Add(DriverErrorId id, std::initializer_list<std::string> details)
{
    const DriverError error = MakeDriverError(id, details);
    return Add(error, IsWarningState(error.sqlState) ? SQL_SUCCESS_WITH_INFO : SQL_ERROR);
}
