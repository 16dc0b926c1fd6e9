// The statements on single notes and groups that the View, Edit and Group
// Edit pages run. Each operation returns its outcome and shows nothing: the
// page decides what the user sees. Texts are passed as the user entered them
// (after the page's own checks) and travel as parameters. A title, comments
// or group name longer than its column holds is refused with a message that
// names the field, before anything is written: no text is ever cut.
#pragma once

#include "store/records/NoteRecord.h"
#include "store/records/StoreOutcome.h"
#include "framework/CString.h"

class CDatabase;

// The note `noteId`; `record` is left as it was unless the outcome is Done.
StoreOutcome ReadNote(CDatabase& database, int noteId, NoteRecord& record);
// The query of note `noteId`. When reading the text fails after the row was
// found, the outcome is Done with the failure's text in `error`, and `query`
// holds the text as far as it was read.
StoreOutcome ReadNoteQuery(CDatabase& database, int noteId, CString& query);
// The id for a new note: the largest id plus one, 0 for an empty table.
StoreOutcome NextNoteId(CDatabase& database, int& noteId);
StoreOutcome InsertNote(CDatabase& database, const NoteRecord& record);
// A new note: NextNoteId, then InsertNote; `record.id` receives the number
// used. When another user saved a note under that number between the read
// and the insert (the insert breaks the key and the next id has moved on),
// the next id is read again and the insert retried, a few times, instead of
// failing on a number the user never chose. NoRow: no next id could be read.
StoreOutcome InsertNewNote(CDatabase& database, NoteRecord& record);
// NoRow when the note is gone (deleted meanwhile).
StoreOutcome UpdateNote(CDatabase& database, const NoteRecord& record);
StoreOutcome DeleteNote(CDatabase& database, int noteId);

// The description of group `groupId` (empty when NULL).
StoreOutcome ReadGroupDescription(CDatabase& database, int groupId, CString& description);
// The name and description (empty when NULL) of group `groupId`.
StoreOutcome ReadGroup(CDatabase& database, int groupId, CString& name, CString& description);
// Done when another note than `noteId` in group `groupId` has the title
// `name` (compared as the database compares text), NoRow when none has.
StoreOutcome FindSameTitle(CDatabase& database, int groupId, const CString& name, int noteId);
// A new name for group `groupId`; its notes stay in it. NoRow when it is gone.
StoreOutcome RenameGroup(CDatabase& database, int groupId, const CString& name);
// The id text for a new group, exactly as the database gives it.
StoreOutcome NextGroupId(CDatabase& database, CString& idText);
StoreOutcome InsertGroup(CDatabase& database, const CString& idText, const CString& name, const CString& description);
// NoRow when the group is gone (deleted meanwhile).
StoreOutcome UpdateGroup(CDatabase& database, const CString& idText, const CString& name, const CString& description);
// Failed for a group that still has notes: the database refuses it and it stays, with its notes.
StoreOutcome DeleteGroup(CDatabase& database, int groupId);
