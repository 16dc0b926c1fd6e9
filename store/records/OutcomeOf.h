// OutcomeOf: runs database work and turns the exception a failed statement
// raises into the Failed outcome, so that no store operation lets one leave.
#pragma once

#include "store/records/StoreOutcome.h"
#include "framework/CDBException.h"
#include "framework/ThrownException.h"

// `work` returns a StoreOutcome; a CDBException it raises becomes the Failed
// outcome with the database's text and kind.
template <class Work>
StoreOutcome OutcomeOf(Work work)
{
    try {
        return work();
    } catch (CDBException* e) {
        const CThrownException<CDBException> thrown(e);
        return StoreOutcome::Failure(*thrown);
    }
}
