// File, Synchronize of the main dialog: the folder picker, the summary of
// what each side will add, change and delete with the conflicts, the
// question, the progress window, and the messages that end the command.
#pragma once

#include "framework/CString.h"

class CDatabase;
class CWnd;

// `lastFolder` is where the picker starts, and receives the folder chosen.
// True when the sync changed the database (the caller reloads the catalogue).
bool RunSync(CWnd& owner, CDatabase& database, const CString& databasePath, CString& lastFolder);
