// File, Export and File, Import of the main dialog: the folder picker, the
// progress window, the import's summary and question, and the messages that
// end each command.
#pragma once

#include "framework/CString.h"

class CDatabase;
class CWnd;
struct ImportPlan;

// True when `database` is open; otherwise tells the user to open or create
// one first. Export, Import and Synchronize start with it.
bool EnsureOpen(const CDatabase& database);
// `lastFolder` is where the picker starts, and receives the folder chosen.
void RunExport(CWnd& owner, CDatabase& database, CString& lastFolder);
// True when the import changed the database (the caller reloads the catalogue).
bool RunImport(CWnd& owner, CDatabase& database, CString& lastFolder);

// The text of the question an import asks before it changes anything.
CString DescribeImportPlan(const CString& folder, const ImportPlan& plan);
