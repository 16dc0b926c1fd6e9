// What an export writes into a folder, from the database's groups and notes
// and what the folder already holds: one folder per group with its group
// file, one .sql file per note (group 0's in the folder itself), the names
// that earlier exports gave kept where the note or group is the same, and
// the earlier export files that no note claims any more. Files the export
// did not write are never named for writing or removal, with one exception:
// a plain .sql file an import took in is its note's file from then on, so a
// note with no file of its own takes the plain file that import named after
// it (same folder, title and query) and it is rewritten with the header; a
// group takes the folder, without a group file, that import named after it.
// Names starting with a dot are neither read nor written. Portable.
#pragma once

#include "store/format/NoteFile.h"

#include <string>
#include <vector>

struct ExportGroup {
    int id = 0;
    GroupFileFields fields;
};

struct ExportNote {
    int groupId = 0;
    NoteFileFields fields;  // fields.group is filled in by the plan
};

// One entry the folder or one of its subfolders holds today.
struct ExistingEntry {
    CString folder;            // "" for the export folder itself
    CString name;              // file or folder name
    bool isFolder = false;
    bool isNoteFile = false;   // a file an export wrote as a note
    bool isGroupFile = false;  // a file an export wrote as a group's description
    bool isPlainNoteFile = false;  // a .sql file without the header, which an import takes as a note
    NoteFileFields note;       // when isNoteFile; when isPlainNoteFile, the title and query an import gives it
    GroupFileFields group;     // when isGroupFile
};

// Fills in what a file of the folder is from its decoded text: an export's
// note file or group file, or a plain .sql file an import would take in (not
// empty, no merge conflict). The entry's name must be set.
void ClassifyExistingFile(const CString& text, ExistingEntry& entry);

struct PlannedFolder {
    CString name;
    CString existingName;  // the same folder under other letter case today, or empty
};

struct PlannedFile {
    CString folder;        // "" for the export folder itself
    CString name;
    CString existingName;  // an export file of the same name but other letter case, or empty
    std::string bytes;
};

struct StaleEntry {
    CString folder;
    CString name;
};

struct ExportPlan {
    std::vector<PlannedFolder> folders;
    std::vector<PlannedFile> files;
    std::vector<StaleEntry> staleFiles;  // earlier export files no note or group claims
    std::vector<CString> staleFolders;   // earlier group folders no group claims; removed once empty
};

// A group folder's stem: a group folder's name never looks like an export
// file's, so folders and group 0's files in the export folder cannot claim
// the same name.
CString GroupFolderStem(const CString& groupName);

// groups must hold group 0; notes of a group not among them go with group 0.
ExportPlan PlanExport(const std::vector<ExportGroup>& groups, const std::vector<ExportNote>& notes,
                      const std::vector<ExistingEntry>& existing);
