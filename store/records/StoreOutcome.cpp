// StoreOutcome from a database exception.
#include "store/records/StoreOutcome.h"

#include "framework/CDBException.h"

StoreOutcome StoreOutcome::Failure(const CDBException& e)
{
    StoreOutcome outcome;
    outcome.result = StoreResult::Failed;
    outcome.error = e.m_strError;
    outcome.diagnostics = e.m_strStateNativeOrigin;
    return outcome;
}
