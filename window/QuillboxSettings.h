// What Quillbox keeps for its user between runs, under
// HKEY_CURRENT_USER\Software\Quillbox: the tab a double-click on a note
// brings to the front ("DoubleClickPage", a DWORD) and the recent note
// databases ("RecentFiles", a multi-string), and for each note database the
// folder its last export or import used (a string in the subkey
// "ExchangeFolders", named by the database's path), and the data source its
// notes run on (a string in the subkey "RunSources", named likewise; the
// default value for no database), never holding a password. A stored value of the wrong
// type or with content that cannot be right reads as the default (or loses
// what is wrong in it) and is replaced at once by what was read. A key that
// cannot be opened or written reads as defaults and keeps nothing.
#pragma once

#include "framework/CString.h"
#include "window/DoubleClickPage.h"
#include "window/RecentNoteFiles.h"

DoubleClickPage LoadDoubleClickPage();
void SaveDoubleClickPage(DoubleClickPage page);

CRecentNoteFiles LoadRecentFiles();
void SaveRecentFiles(const CRecentNoteFiles& files);

// The folder last used for Export or Import with the note database at
// `databasePath`; empty when none is kept or the kept one is no full path.
CString LoadExchangeFolder(const CString& databasePath);
void SaveExchangeFolder(const CString& databasePath, const CString& folder);

// The data source chosen for running the notes of `databasePath`; empty when none.
CString LoadRunSource(const CString& databasePath);
// Keeps `choice` for `databasePath`, its password left out.
void SaveRunSource(const CString& databasePath, const CString& choice);
