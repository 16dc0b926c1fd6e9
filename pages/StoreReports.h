// How the dialog tells the user about a note store outcome: one call after
// each operation, naming the icon its failures show and the text a missing
// row shows.
#pragma once

#include "framework/CString.h"

#include <windows.h>

struct StoreOutcome;

// The text between quotation marks, as the messages name a note or group.
CString Quoted(const CString& text);

// Asks before Save goes over a version the database got after the page
// loaded its own (a synchronization, an import, another user). `subject`
// names it ("The note "Daily totals""). IDYES: save over it; IDNO: load the
// newer version; IDCANCEL: go on editing.
int AskAboutNewerVersion(const CString& subject);

// Shows what `outcome` means to the user and returns whether it is Done.
// A failure (or the failure that cut a Done row's text short) shows the
// database's text in the framework's message box with `failureIcon`
// (MB_ICONHAND or MB_ICONEXCLAMATION). A missing row shows the string-table
// text `notFoundText` in a box owned by `owner`, captioned "Internal
// mailfunction", with the stop icon; nothing when `notFoundText` is 0.
bool ReportStoreOutcome(const StoreOutcome& outcome, UINT failureIcon, HWND owner = nullptr, UINT notFoundText = 0);
