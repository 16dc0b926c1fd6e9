// The statements on a note database's memory of its syncs: one row per
// folder it synchronized with, keyed by what identifies the folder, with
// the state both held after the last sync. Kept in the database itself, so
// a database moved, copied or put back from a backup carries the memory
// that matches its notes. Portable.
#pragma once

#include "store/records/NoteSql.h"

extern const wchar_t* const kCreateSyncMemoryStatement;
// id, folderKey, folderPath, pending of every remembered folder.
extern const wchar_t* const kListSyncMemoryStatement;
extern const wchar_t* const kNextSyncMemoryIdStatement;
CString BuildReadSyncStateStatement(int id);
SqlStatement BuildInsertSyncMemoryStatement(int id, const CString& folderKey, const CString& folderPath, int pending,
                                            const CString& state);
SqlStatement BuildUpdateSyncMemoryStatement(int id, const CString& folderPath, int pending, const CString& state);
