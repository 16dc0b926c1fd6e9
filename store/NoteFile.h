// The text of an exported note file and of a group's description file, and
// reading them back. A note file is ordinary SQL: a few comment lines carry
// what a file name cannot (the exact title, group and comments, each a
// JSON string so any character survives on one line), then an empty line,
// then the query exactly as stored. Portable.
#pragma once

#include "framework/CString.h"

#include <string>

// One note as it leaves or enters the database. Comments may be NULL.
struct NoteFileFields {
    CString title;
    CString group;
    bool hasComments = false;  // false: notes.comments is NULL
    CString comments;
    CString query;
};

// One group as its description file holds it. The description may be NULL.
struct GroupFileFields {
    CString name;
    bool hasDescription = false;
    CString description;
};

// The file's bytes (UTF-8, no BOM, header lines end in "\n").
std::string ComposeNoteFile(const NoteFileFields& note);
std::string ComposeGroupFile(const GroupFileFields& group);

// True when the text starts with the export's header; fills the fields (the
// query is everything after the header). A malformed header is not ours.
bool ParseNoteFile(const CString& text, NoteFileFields& note);
bool ParseGroupFile(const CString& text, GroupFileFields& group);

// The value as a JSON string literal, and back; `>` is escaped too, so the
// value can stand inside an HTML comment.
CString QuoteFieldValue(const CString& value);
bool UnquoteFieldValue(const CString& literal, CString& value);
