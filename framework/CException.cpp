// Exception texts; ReportError lives with the message box (Windows only).
#include "CException.h"

#include <algorithm>
#include <cwchar>

bool CException::GetErrorMessage(wchar_t* buffer, unsigned size, unsigned* helpContext) const
{
    if (helpContext) *helpContext = 0;
    if (!buffer || size == 0) return false;
    const CString text = GetErrorText();
    const size_t n = std::min<size_t>(static_cast<size_t>(text.GetLength()), size - 1);
    std::wmemcpy(buffer, text.GetString(), n);
    buffer[n] = L'\0';
    return true;
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowResourceException() { throw new CResourceException; }
