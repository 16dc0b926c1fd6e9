// NoteRecord: one row of the notes table as the Edit page holds it. Portable.
#pragma once

#include "framework/CString.h"

// The most characters (UTF-16) a title, a note's comments and a group name
// hold: their columns are VARCHAR(255).
constexpr int kTextColumnLimit = 255;
// The largest note or group id: ids are SMALLINT.
constexpr int kLastNumber = 32767;

struct NoteRecord {
    int id = -1;       // notes.id; chosen by NextNoteId for a new note
    int groupId = 0;   // notes.groupId; 0 is the built-in group "None"
    CString name;      // notes.name, at most 255 characters
    CString comments;  // notes.comments, at most 255 characters; '' when empty, never NULL
    CString query;     // notes.query, the SQL text the note keeps
};
