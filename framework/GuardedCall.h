// AfxGuardedCall: runs code where no exception may escape (a window
// procedure, a dialog callback, a DLL export) and reports what it throws,
// so that every such place fails the same way.
#pragma once

#include "CException.h"
#include "ThrownException.h"

#include <windows.h>

// Shows a framework exception's text with the exclamation icon.
void AfxReportException(const CException& exception);
// Shows "An unexpected error has occurred." with the stop icon, owned by
// `owner`, or by the active window when `owner` is null.
void AfxReportUnexpected(HWND owner);

// Runs `call`. True when it finished; false when it threw, after the
// exception has been reported and, for a framework exception, deleted.
template <class Call>
bool AfxGuardedCall(HWND owner, Call&& call)
{
    try {
        call();
        return true;
    } catch (CException* e) {
        const CThrownException<CException> thrown(e);
        AfxReportException(*thrown);
    } catch (...) {
        AfxReportUnexpected(owner);
    }
    return false;
}
