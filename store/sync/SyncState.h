// What a note database and a folder both held when they were last
// synchronized: per note a hash of its place (group and title) and one of
// its texts, per group one of its name and one of its description. A sync
// compares each side with it to tell which side changed what. It is the
// database's own and lives beside it, never in the shared folder. Portable.
#pragma once

#include "store/format/NoteFile.h"
#include "store/sync/SyncFileEntry.h"

#include <map>
#include <string>

struct SyncState {
    std::map<SyncHash, SyncHash> notes;   // place hash -> texts hash
    std::map<SyncHash, SyncHash> groups;  // name hash -> fields hash
    std::map<std::wstring, SyncFileEntry> files;  // note file ("folder\name") -> its listing entry and note
};

// A note's place: its group's name ("" for group 0), its exact title, and
// its rank among notes of that same place (0 for the usual single one).
SyncHash HashNotePlace(const CString& group, const CString& title, int rank);
// The hash with the query's line ends as stored, which memories written
// before line ends were no change hold for a query with a CR.
SyncHash HashNoteTextsAsStored(const NoteFileFields& note);
SyncHash HashGroupName(const CString& key);
SyncHash HashGroupFields(const GroupFileFields& group);

// The state file's name for a folder ("<16 hex digits>.state"), from its
// full path without regard to case, so each folder has its own.
CString SyncStateFileName(const CString& folderPath);

// "Quillbox sync state 1", then one line per note ("n <place> <texts>") and
// per group ("g <name> <fields>"), hashes as 16 hex digits; then one line
// per remembered file ("f <size> <time> <texts> <stored>", a tab, its path,
// group and title tab-separated, each character outside printable ASCII
// and '%' written "%hhhh"). A memory without file lines is read as well.
std::string ComposeSyncState(const SyncState& state);
// False (and `state` empty) when the bytes are not such a state.
bool ParseSyncState(const std::string& bytes, SyncState& state);
