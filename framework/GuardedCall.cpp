// The two reports of AfxGuardedCall.
#include "GuardedCall.h"

void AfxReportException(const CException& exception) { exception.ReportError(MB_ICONEXCLAMATION); }

void AfxReportUnexpected(HWND owner)
{
    ::MessageBoxW(owner ? owner : ::GetActiveWindow(), L"An unexpected error has occurred.", nullptr, MB_OK | MB_ICONHAND);
}
