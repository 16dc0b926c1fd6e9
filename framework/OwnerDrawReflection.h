// Hands a reflected WM_DRAWITEM (and, for controls that measure their items,
// WM_MEASUREITEM) to the control's own DrawItem or MeasureItem; FALSE for any
// other message, which the caller then reflects as usual.
#pragma once

#include <windows.h>

template <class Control>
BOOL ReflectDrawItem(Control& control, UINT message, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM) return FALSE;
    control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (result) *result = TRUE;
    return TRUE;
}

template <class Control>
BOOL ReflectOwnerDraw(Control& control, UINT message, LPARAM lParam, LRESULT* result)
{
    if (message != WM_MEASUREITEM) return ReflectDrawItem(control, message, lParam, result);
    control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    if (result) *result = TRUE;
    return TRUE;
}
