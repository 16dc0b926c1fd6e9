// The steps that export, import and sync share.
#include "store/exchange/ExchangeSteps.h"

ExchangeOutcome Failed(const CString& message)
{
    ExchangeOutcome outcome;
    outcome.ok = false;
    outcome.message = message;
    return outcome;
}

ExchangeOutcome Cancelled()
{
    ExchangeOutcome outcome = Failed(L"Cancelled.");
    outcome.cancelled = true;
    return outcome;
}
