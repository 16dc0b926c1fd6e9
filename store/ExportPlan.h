// What an export writes into a folder, from the database's groups and notes
// and what the folder already holds: one folder per group with its group
// file, one .sql file per note (group 0's in the folder itself), the names
// that earlier exports gave kept where the note or group is the same, and
// the earlier export files that no note claims any more. Files the export
// did not write are never named for writing or removal. Portable.
#pragma once

#include "NoteFile.h"

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
    NoteFileFields note;       // when isNoteFile
    GroupFileFields group;     // when isGroupFile
};

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

constexpr wchar_t kGroupFileName[] = L"README";
constexpr wchar_t kGroupFileExtension[] = L".md";
constexpr wchar_t kNoteFileExtension[] = L".sql";

// groups must hold group 0; notes of a group not among them go with group 0.
ExportPlan PlanExport(const std::vector<ExportGroup>& groups, const std::vector<ExportNote>& notes,
                      const std::vector<ExistingEntry>& existing);
