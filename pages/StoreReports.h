// How the dialog tells the user about a note store outcome: one call after
// each operation, naming the icon its failures show and the text a missing
// row shows.
#pragma once

#include <windows.h>

struct StoreOutcome;

// Shows what `outcome` means to the user and returns whether it is Done.
// A failure (or the failure that cut a Done row's text short) shows the
// database's text in the framework's message box with `failureIcon`
// (MB_ICONHAND or MB_ICONEXCLAMATION). A missing row shows the string-table
// text `notFoundText` in a box owned by `owner`, captioned "Internal
// mailfunction", with the stop icon; nothing when `notFoundText` is 0.
bool ReportStoreOutcome(const StoreOutcome& outcome, UINT failureIcon, HWND owner = nullptr, UINT notFoundText = 0);
