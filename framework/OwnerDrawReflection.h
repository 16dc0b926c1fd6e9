// Hands a reflected WM_DRAWITEM or WM_MEASUREITEM to the control's own
// DrawItem or MeasureItem; FALSE for any other message.
#pragma once

#include <windows.h>

template <class Control>
BOOL ReflectOwnerDraw(Control& control, UINT message, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DRAWITEM) control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    else if (message == WM_MEASUREITEM) control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    else return FALSE;
    if (result) *result = TRUE;
    return TRUE;
}
