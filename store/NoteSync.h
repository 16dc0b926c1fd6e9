// Sync of a note database with a folder of note files, for the dialog's
// File, Synchronize and the command-line tool alike: each side's notes and
// groups are compared with the state both held at this database's last sync
// with that folder (a file beside the database, `<database>.sync\`), the
// database is changed in one transaction, the folder is written by an
// export, and the new state is written last. A kill at any point leaves
// every note on at least one side, and the next sync completes the work.
// No windows.
#pragma once

#include "ImportPlan.h"
#include "NoteExchange.h"
#include "SyncPlan.h"

#include <map>
#include <utility>
#include <string>
#include <vector>

// What planning found, kept for carrying the plan out.
struct NoteSync {
    CString folder;
    CString statePath;
    bool earlierSync = false;  // a state of an earlier sync with this folder was found
    SyncPlan plan;
    std::vector<ImportRefusal> refusals;                    // files of the folder a sync cannot read
    std::vector<int> databaseNoteIds;                       // by database index
    std::map<std::wstring, std::vector<int>> databaseGroups;  // ids by group key, lowest first
    std::vector<NoteFileFields> folderNotes;                // by folder index; texts kept only where the database takes them
    std::vector<bool> usedNoteIds, usedGroupIds;
    // Group folders without a group file (made by hand): one is written into
    // each before the export, so the export takes the folder and its notes as
    // its own instead of writing the group again beside it.
    std::vector<std::pair<CString, GroupFileFields>> foldersToAdopt;
};

// Reads both sides and the state, and decides; changes nothing.
ExchangeOutcome PlanNoteSync(CDatabase& database, const CString& databasePath, const CString& folder, NoteSync& sync,
                             IExchangeProgress* progress);
// Carries the plan out: the database in one transaction, then the folder, then the state.
ExchangeOutcome ApplyNoteSync(CDatabase& database, NoteSync& sync, IExchangeProgress* progress);
