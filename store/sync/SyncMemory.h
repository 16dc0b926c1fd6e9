// A note database's memory of its syncs, read and written through its
// connection (see SyncMemorySql). No windows.
#pragma once

#include "store/sync/SyncState.h"

#include <vector>

class CDatabase;

struct SyncMemoryRow {
    int id = -1;  // -1: not yet in the database
    CString folderKey;
    CString folderPath;
    int pending = 0;  // changes the folder had still to receive when the row was written
};

// Every folder the database remembers; false (and none) when it has no memory table.
bool ListSyncMemories(CDatabase& database, std::vector<SyncMemoryRow>& rows);
// The state kept in a row; an unreadable one is no state (then false).
bool ReadSyncMemoryState(CDatabase& database, int id, SyncState& state);
// Makes the memory table when the database has none. Outside any transaction.
void EnsureSyncMemoryTable(CDatabase& database);
// Inserts the row (giving it the next id) or updates it.
void WriteSyncMemory(CDatabase& database, SyncMemoryRow& row, const SyncState& state);
