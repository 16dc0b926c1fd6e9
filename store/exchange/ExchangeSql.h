// The statements of exports and imports: the whole library read in one go,
// and the changes an import makes, with NULL kept as NULL. Portable.
#pragma once

#include "store/exchange/ImportPlan.h"
#include "store/records/NoteSql.h"

extern const wchar_t* const kExportGroupsStatement;
extern const wchar_t* const kExportNotesStatement;

// Every imported text travels as a parameter.
SqlStatement BuildImportGroupStatement(const ImportGroupStep& step);
SqlStatement BuildImportNoteStatement(const ImportNoteStep& step);
// A note to another group and title, its texts as they are.
SqlStatement BuildMoveNoteStatement(int id, int groupId, const CString& title);
