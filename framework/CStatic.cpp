// CStatic: creation.
#include "CStatic.h"

BOOL CStatic::Create(LPCWSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, L"STATIC", text, style | WS_CHILD, rect, parent, id);
}
