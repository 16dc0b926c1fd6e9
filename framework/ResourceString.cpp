// LoadResourceString: a 1024-character buffer whose size is given as 1023.
#include "ResourceString.h"

#include "ModuleState.h"

CString LoadResourceString(UINT id)
{
    wchar_t buffer[1024] = {};
    const int length = ::LoadStringW(AfxGetInstanceHandle(), id, buffer, 1023);
    return CString(buffer, length > 0 ? length : 0);
}
