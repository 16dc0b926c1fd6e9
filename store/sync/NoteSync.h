// Sync of a note database with a folder of note files, for the dialog's
// File, Synchronize and the command-line tool alike: each side's notes and
// groups are compared with the state both held at this database's last sync
// with that folder, which the database itself remembers (SyncMemory). The
// database's changes and the new state, with the folder's changes still
// marked as to come, are written in one transaction; then only the folder's
// files that change are written, each checked first to be what the plan
// read; then the state is marked complete. A kill at any point leaves every
// note on at least one side, and the next sync completes the work. The
// caller holds the database's sync lock (CSyncLock) from planning to the
// end. No windows.
#pragma once

#include "store/exchange/ImportPlan.h"
#include "store/exchange/NoteExchange.h"
#include "store/sync/SyncMemory.h"
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
    SyncMemoryRow memory;       // this folder's row of the database's memory (id -1 when it has none yet)
    bool earlierSync = false;   // the database remembers an earlier sync with this folder
    CString firstSyncReason;    // when not: why, for the summary
    CString legacyStatePath;    // a memory an earlier build kept beside the database, taken over by this sync
    SyncState base;             // what both held at the last sync
    SyncPlan plan;
    std::vector<SyncNoteEntry> databaseEntries;  // by database index
    std::vector<SyncNoteEntry> folderEntries;    // by folder index
    std::vector<ImportRefusal> refusals;                    // files of the folder a sync cannot read
    std::vector<int> databaseNoteIds;                       // by database index
    std::map<std::wstring, std::vector<int>> databaseGroups;  // ids by group key, lowest first
    std::map<std::wstring, SyncHash> databaseGroupHashes;     // by group key: the fields the plan read
    std::vector<NoteFileFields> folderNotes;                // by folder index; texts kept only where the database takes them
    std::vector<bool> usedNoteIds, usedGroupIds;
    std::vector<CString> folderSources;                     // by folder index: the note's file, "folder\name"
    std::vector<bool> folderUnread;                         // by folder index: the memory gave the note, its file was not read
    std::map<std::wstring, SyncFileEntry> fileEntries;      // the folder's note files as the next sync may take them unread
    std::map<std::wstring, SyncGroupFolder> groupFolders;   // by group key
    std::map<std::wstring, SyncHash> folderGroupHashes;     // by group key: the fields the plan read in the folder
    std::vector<CString> legacyNoneFiles;  // group 0's files an earlier version wrote in the folder (README.md), taken over
    std::vector<CString> leftovers;  // temporary files of a write a kill cut off: removed before writing
};

// Reads both sides and the state, and decides; changes nothing. A note
// file whose listing entry is the one the memory keeps is not opened,
// unless `readEveryFile`; the plan is the same either way.
ExchangeOutcome PlanNoteSync(CDatabase& database, const CString& databasePath, const CString& folder, NoteSync& sync,
                             IExchangeProgress* progress, bool readEveryFile = false);
// Carries the plan out: the database in one transaction, then the folder,
// then the state. A row or file that changed since the plan read it is left
// to the next sync (counted in the outcome's `leftForNextSync`).
ExchangeOutcome ApplyNoteSync(CDatabase& database, NoteSync& sync, IExchangeProgress* progress);
// The notes a plan deletes on a side, "group\title" ("title" in group 0), for a question.
std::vector<CString> NotesDeletedFromDatabase(const NoteSync& sync);
std::vector<CString> NotesDeletedFromFolder(const NoteSync& sync);
// The sentence that says a sync is a mass deletion (see IsMassDeletion), or
// empty when it is not.
CString DescribeMassDeletion(const NoteSync& sync);
