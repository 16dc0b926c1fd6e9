// The keyboard's tab order through a dialog whose pages are child dialogs
// (WS_EX_CONTROLPARENT) held by one of its controls, as CTabCtrlSSL holds
// them. The platform's dialog manager enters a control parent but never
// stops at the control that holds it; here that control (the tab strip) is
// a stop of its own, followed by the visible pages it holds.
#pragma once

#include <windows.h>

#include <vector>

// The visible, enabled tab stops under `dialog` in the order Tab visits them.
std::vector<HWND> CollectTabStops(HWND dialog);
// The stop after (or before, `backward`) the one that holds `from`, going
// round at the ends; the first (last) stop when `from` holds none. Null
// when the dialog has no stop.
HWND NextTabStop(HWND dialog, HWND from, bool backward);
// Gives `stop` the focus as the dialog manager does when Tab reaches it: an
// edit box's text is selected.
void FocusTabStop(HWND stop);
