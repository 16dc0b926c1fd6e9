// The statements on single notes and groups that the View, Edit and Group
// Edit pages run, with their failure reports built in: a page calls one
// operation and acts on its result; every message the user sees has already
// been shown. Texts are passed as the user entered them (after the page's own
// checks); the operations quote them. `owner` is the page window that owns
// the not-found messages.
#pragma once

#include "NoteRecord.h"
#include "framework/CString.h"

#include <windows.h>

class CDatabase;

enum class ReadResult {
    Row,     // the row was read
    NoRow,   // no such row (reported where the operation says so)
    Failed,  // a database failure, already reported
};

// The note `noteId` for the Edit page. Failures: own report. No row: no message.
ReadResult ReadNote(CDatabase& database, int noteId, NoteRecord& record);
// The query of note `noteId` for the View page. Opening fails: own report.
// No row: "Note not found". Reading the text fails: own report when the
// failure has a text; the result is then Row with `query` as far as it was read.
ReadResult ReadNoteQuery(CDatabase& database, HWND owner, int noteId, CString& query);
// The id for a new note: the largest id plus one, 0 for an empty table.
// Failure: error box. No row: "Can't get max ID value". False on either.
bool NextNoteId(CDatabase& database, HWND owner, int& noteId);
// Failures of the three note changes: error box for insert and update, own report for delete.
bool InsertNote(CDatabase& database, const NoteRecord& record);
// A new note: NextNoteId, then InsertNote; `record.id` receives the number
// used. When another user saved a note under that number between the read
// and the insert (the insert breaks the key and the next id has moved on),
// the next id is read again and the insert retried, a few times, instead of
// telling the user about a number they never chose.
bool InsertNewNote(CDatabase& database, HWND owner, NoteRecord& record);
// An update that finds no row (the note or group was deleted meanwhile) shows
// "Note not found" or "Group not found" and returns false.
bool UpdateNote(CDatabase& database, HWND owner, const NoteRecord& record);
bool DeleteNote(CDatabase& database, int noteId);

// The description of group `groupId` (empty when NULL). Failure: error box.
// No row: "Group not found".
ReadResult ReadGroupDescription(CDatabase& database, HWND owner, int groupId, CString& description);
// The id text for a new group, exactly as the database gives it. Failure:
// error box. No row: "Can't get max ID value". False on either.
bool NextGroupId(CDatabase& database, HWND owner, CString& idText);
// Failures of the group changes: error box (a group that still has notes is
// refused by the database and stays, with its notes).
bool InsertGroup(CDatabase& database, const CString& idText, const CString& name, const CString& description);
bool UpdateGroup(CDatabase& database, HWND owner, const CString& idText, const CString& name, const CString& description);
bool DeleteGroup(CDatabase& database, int groupId);
