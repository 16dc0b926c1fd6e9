// Carrying a sync's plan out in its folder: group folders made and their
// group files written, note files added, changed and removed, and the
// folders of groups that are gone removed once empty. Only what the plan
// changes is touched, each file written beside its place and renamed, so a
// kill leaves every file whole and the next sync completes the work.
// No windows.
#pragma once

#include "store/sync/NoteSync.h"

#include <map>
#include <vector>

// `databaseNotes` holds the texts of the database notes the folder takes, by
// database index; the folder's own texts (a conflict's copy) are in `sync`.
// A note file or group file is read again before it is overwritten or
// removed; one that changed since the plan read it is left as it is, and
// its step goes to `leftFiles` or `leftGroups`.
ExchangeOutcome WriteSyncFolder(const NoteSync& sync, const std::map<size_t, NoteFileFields>& databaseNotes,
                                IExchangeProgress* progress, std::vector<const SyncFileStep*>& leftFiles,
                                std::vector<const SyncGroupStep*>& leftGroups);
