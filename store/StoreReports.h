// How the note store tells the user about failures: the error box and the
// exception's own report for database failures, and the stop-icon message
// owned by a page for a row that should exist and does not. Each report
// releases nothing itself; callers Delete() the exception afterwards.
#pragma once

#include <windows.h>

class CDBException;

// The exception's error text in the framework's message box with the stop icon.
void ShowErrorBox(const CDBException* e);
// The exception's error text in the framework's message box with the exclamation icon.
void ShowWarningBox(const CDBException* e);
// The exception's own report with an OK button.
void ShowOwnReport(const CDBException* e);
// The string-table text `textId` in a box owned by `owner`, captioned
// "Internal mailfunction", with the stop icon.
void ShowNotFound(HWND owner, UINT textId);
