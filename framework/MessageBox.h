// The framework's message box: owned by the active window, captioned with the
// application's name; an icon is added when the type has none.
#pragma once

#include <windows.h>

int AfxMessageBox(const wchar_t* text, UINT type = MB_OK, UINT helpId = 0);
