// What a sync of a note database with a folder does, decided before
// anything is written: each note and group is compared on both sides with
// the state both held at the last sync. A change on one side goes to the
// other; a note changed differently on both sides is kept in both versions
// (the folder's under a new title) and named as a conflict; a deletion
// against a change keeps the change; with no earlier sync the result is the
// union. A note moved on one side and edited on the other is one note; what
// files the sync could not read may hold is held back. A group goes only
// once no note is left in it. Both sides are given as steps, so only what
// changed is written. Portable.
#pragma once

#include "store/exchange/ImportPlan.h"
#include "store/format/NoteFile.h"
#include "store/sync/SyncState.h"

#include <set>
#include <string>
#include <vector>

// One note as a side holds it; its texts stay with the caller.
struct SyncNoteEntry {
    CString group;      // the group's name, "" for group 0
    CString title;
    SyncHash texts = 0;  // HashNoteTexts
    size_t index = 0;   // the caller's own number for the note on its side
    SyncHash storedTexts = 0;  // HashNoteTextsAsStored, when the query holds a CR: what an older memory holds
};

struct SyncGroupEntry {
    CString key;  // the group's name, "" for group 0
    GroupFileFields fields;
    bool hasFile = true;  // the folder's group: false when only its notes show it (a plain folder; its group file gone)
};

// What files the sync could not read may hold, kept as the last sync left
// it: those notes, those groups' descriptions, every note of those groups.
struct SyncHeldBack {
    std::vector<HiddenNote> notes;
    std::set<std::wstring> groups;      // keys
    std::set<std::wstring> groupNotes;  // keys
    bool Any() const { return !notes.empty() || !groups.empty() || !groupNotes.empty(); }
};

enum class SyncAction { Add, Change, Delete };

// A change to the database's notes.
struct SyncNoteStep {
    SyncAction action = SyncAction::Add;
    size_t databaseIndex = 0;  // Change, Delete: the database note
    size_t folderIndex = 0;    // Add, Change: the folder note whose texts go in
    CString group;             // its group's key (Delete: the deleted note's)
    CString title;             // its title (Add: a conflict copy's own; Delete: the deleted note's)
    SyncHash place = 0;        // the note's place in the state
    SyncHash fromPlace = 0;    // Change of a note the folder moved: the database note's place until then
    bool keepTexts = false;    // Change: the note moves to the group and title, its texts stay the database's
};

// A change to the database's groups, or to the folder's group folders.
struct SyncGroupStep {
    SyncAction action = SyncAction::Add;
    CString key;             // the group's key ("" for group 0)
    GroupFileFields fields;  // Add, Change
    bool folderHad = false;  // group folder steps: the folder held this group when the plan was made
    SyncHash folderFields = 0;  // and these were its fields' hash
};

// A change to the folder's note files.
struct SyncFileStep {
    SyncAction action = SyncAction::Add;
    size_t folderIndex = 0;     // Change, Delete: the folder note whose file it is
    bool fromDatabase = true;   // Add, Change: the texts are the database note's, else (a conflict's copy) the folder note's
    size_t textsIndex = 0;      // Add, Change: that note's index on its side
    CString group;              // its group's key (Delete: the deleted file's note's)
    CString title;              // its title (Delete: the deleted file's note's)
    SyncHash place = 0;         // the note's place in the state
    bool folderHad = false;     // the folder held a note at this place when the plan was made
    SyncHash folderTexts = 0;   // and these were its texts
    SyncHash folderPlace = 0;   // Change of a note the database moved: the place the folder holds it at, its file renamed
};

struct SyncConflict {
    bool isGroup = false;
    CString group;  // the note's group, or the group's key
    CString title;  // the note's title (empty for a group)
    CString copy;   // the title (or group name) the folder's version is kept under
};

struct SyncCounts {
    int added = 0;
    int changed = 0;
    int deleted = 0;
    int Total() const { return added + changed + deleted; }
};

struct SyncPlan {
    std::vector<SyncNoteStep> notes;    // to the database
    std::vector<SyncGroupStep> groups;  // to the database
    std::vector<SyncFileStep> files;         // to the folder
    std::vector<SyncGroupStep> groupFolders;  // to the folder
    GroupFileFields none = NoneGroupFields();  // group 0 as both sides hold it afterwards
    SyncCounts databaseNotes, databaseGroups, folderNotes, folderGroups;
    std::vector<SyncConflict> conflicts;
    int unchanged = 0;          // notes both sides hold alike
    std::vector<CString> keptChanges;  // "group\title" of notes changed on one side and gone from the other, kept
    std::vector<CString> heldBack;  // "group\title" of the notes left as they were, as their files could not be read
    SyncState state;            // what both sides hold once the plan is carried out

    bool ChangesDatabase() const { return !notes.empty() || !groups.empty(); }
    bool ChangesFolder() const { return folderNotes.Total() + folderGroups.Total() != 0; }
    // What both sides hold while the folder has not yet received its
    // changes: the final state, but where the folder changes a note or
    // group, what the folder holds before. Kept with the database's changes,
    // it makes a sync cut off before the folder's last file complete the
    // work instead of undoing it.
    SyncState PendingState() const;
};

// A side losing this many of the notes it holds is a mass deletion, which a
// sync carries out only when asked to: all of them, or more than a fifth
// and more than 20.
bool IsMassDeletion(int deleted, int held);

// `base` is null when the two never synchronized. Both group lists hold
// group 0 (key ""). What `held` names is neither changed nor deleted on
// either side, and the new state keeps the base's entry for it, so the sync
// after the file can be read again sees each side's change since.
SyncPlan PlanSync(const SyncState* base, const std::vector<SyncNoteEntry>& database, const std::vector<SyncNoteEntry>& folder,
                  const std::vector<SyncGroupEntry>& databaseGroups, const std::vector<SyncGroupEntry>& folderGroups,
                  const SyncHeldBack& held = SyncHeldBack());

// The title under which a conflict keeps the folder's version: "<title>
// (conflict n)", the title cut so the whole stays within 255 characters.
CString ConflictTitle(const CString& title, int n);
