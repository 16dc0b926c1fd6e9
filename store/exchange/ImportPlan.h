// What an import does to the open note database, decided before anything is
// written: the groups to add or change, the notes to add, change or leave,
// and the files it refuses with the reason. Notes are matched against what
// the database held before the import, by group and exact title; an import
// never deletes. Portable.
#pragma once

#include "store/format/NoteFile.h"
#include "store/records/NoteRecord.h"

#include <string>
#include <vector>

struct DatabaseGroup {
    int id = 0;
    GroupFileFields fields;
};

struct DatabaseNote {
    int id = 0;
    int groupId = 0;
    NoteFileFields fields;  // fields.group is not used
};

// One file of the folder, read and decoded (or not) by the caller.
struct ImportFile {
    CString folder;          // "" for the chosen folder itself, else its subfolder's name
    CString name;            // the file's name, with its extension
    bool isText = true;      // false: not text in any encoding an import reads
    bool tooLarge = false;   // larger than kImportFileLimit
    CString unreadable;      // when not empty: why the file could not be read (gone, locked, no permission)
    CString text;            // the decoded text when isText
};

constexpr long long kImportFileLimit = 32LL * 1024 * 1024;

// The reason given for a file with git's markers.
extern const wchar_t* const kMergeConflictReason;

enum class ImportAction { Add, Change, Unchanged };

struct ImportGroupStep {
    ImportAction action = ImportAction::Add;
    int id = 0;
    GroupFileFields fields;
};

struct ImportNoteStep {
    ImportAction action = ImportAction::Add;
    int id = 0;  // the note changed, or the number a new note gets
    int groupId = 0;
    NoteFileFields fields;
    CString source;  // "folder\name" of the file
    bool fromHeader = false;  // the file's own header named the note (else its name and folder did)
};

// A note a refused file may hold: its group's key ("" for group 0) and title.
struct HiddenNote {
    CString group;
    CString title;
    CString fileStem;  // when the note is known by its file's name alone: that name without ".sql"
};

struct ImportRefusal {
    CString source;
    CString reason;
    bool mayHideANote = true;  // false: what can never be a note (a folder inside a group's folder)
    std::vector<HiddenNote> notes;  // the notes it may hold: its readable header's, each side's of a merge, else the one named after it
    std::vector<CString> groups;    // the groups whose description it may hold (a group file), or whose notes (a folder)
};

struct ImportPlan {
    std::vector<ImportGroupStep> groups;
    std::vector<ImportNoteStep> notes;
    std::vector<ImportRefusal> refusals;

    int Count(ImportAction action) const;
    int CountGroups(ImportAction action) const;
    bool ChangesNothing() const { return Count(ImportAction::Add) + Count(ImportAction::Change) + CountGroups(ImportAction::Add) + CountGroups(ImportAction::Change) == 0; }
};

// Takes the files (moved in, their texts are let go as they are planned).
ImportPlan PlanImport(const std::vector<DatabaseGroup>& groups, const std::vector<DatabaseNote>& notes,
                      std::vector<ImportFile> files);
