// The framework's message box: owned by the active window, captioned with the
// application's name; an icon is added when the type has none.
#pragma once

#include <windows.h>

int AfxMessageBox(const wchar_t* text, UINT type = MB_OK, UINT helpId = 0);
// MessageBoxW, the box placed over the middle of its owner's top-level
// window (inside that window's work area) rather than where the system puts it.
int CenteredMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
