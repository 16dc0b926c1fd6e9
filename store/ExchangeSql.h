// The statements of exports and imports: the whole library read in one go,
// and the changes an import makes, with NULL kept as NULL. Portable.
#pragma once

#include "ImportPlan.h"

extern const wchar_t* const kExportGroupsStatement;
extern const wchar_t* const kExportNotesStatement;

CString BuildImportGroupStatement(const ImportGroupStep& step);
CString BuildImportNoteStatement(const ImportNoteStep& step);
