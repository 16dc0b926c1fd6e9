// Sync of a note database with a folder of note files, for the dialog's
// File, Synchronize and the command-line tool alike: each side's notes and
// groups are compared with the state both held at this database's last sync
// with that folder (a file beside the database, `<database>.sync\`), the
// database is changed in one transaction, then only the folder's files that
// change are written, and the new state is written last. A kill at any point leaves
// every note on at least one side, and the next sync completes the work.
// No windows.
#pragma once

#include "store/exchange/ImportPlan.h"
#include "store/exchange/NoteExchange.h"
#include "store/sync/SyncPlan.h"

#include <map>
#include <utility>
#include <string>
#include <vector>

// Where a group's notes live in the folder.
struct SyncGroupFolder {
    CString folder;     // "" for group 0: the folder itself
    CString groupFile;  // the file naming the group, or "" when it has none
};

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
    std::vector<CString> folderSources;                     // by folder index: the note's file, "folder\name"
    std::map<std::wstring, SyncGroupFolder> groupFolders;   // by group key
    std::vector<CString> leftovers;  // temporary files of a write a kill cut off: removed before writing
};

// Reads both sides and the state, and decides; changes nothing.
ExchangeOutcome PlanNoteSync(CDatabase& database, const CString& databasePath, const CString& folder, NoteSync& sync,
                             IExchangeProgress* progress);
// Carries the plan out: the database in one transaction, then the folder, then the state.
ExchangeOutcome ApplyNoteSync(CDatabase& database, NoteSync& sync, IExchangeProgress* progress);
