// Every SQL text of the note store and how each is composed: the connect
// string, the installer's creation attributes, the schema, the catalogue and
// search statements and the statements on single notes and groups. Portable:
// no platform header, so the composition is unit tested natively.
#pragma once

#include "store/records/NoteRecord.h"
#include "framework/CDBParameters.h"
#include "framework/CString.h"

// A statement's text, with a '?' marker where each user text goes, and
// those texts in marker order. A text never becomes part of the statement:
// the Access driver refuses some characters in constants ('|') and any
// statement over 65,000 characters, and a value may hold either.
struct SqlStatement {
    CString sql;
    CDBParameters parameters;
};

// The ODBC driver that holds note databases.
extern const wchar_t* const kNoteDriverName;

// "ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=<path>", the path
// unchanged unless it holds a ';': then DBQ={<path>}, each '}' doubled.
CString BuildConnectString(const CString& path);
// CREATE_DB="<path>"; for the ODBC installer.
CString BuildCreationAttributes(const CString& path);

// The three statements that write the schema into a new file, in order.
extern const wchar_t* const kSchemaStatements[3];

extern const wchar_t* const kGroupListStatement;
extern const wchar_t* const kCatalogueStatement;
// The number of notes, and of the groups the user made (all but "None", id 0).
extern const wchar_t* const kCountNotesStatement;
extern const wchar_t* const kCountUserGroupsStatement;

// Where the Find text is looked for; with no flag set, the name is searched.
struct SearchScope {
    bool inName = false;         // m_findInName
    bool inDescription = false;  // m_findInDescription: the comments
    bool inSequel = false;       // m_findInSequel: the query text
};
// The search: each scope's condition finds the text anywhere in its column.
// A text without LIKE's wildcards is looked for as it is, with InStr, which
// reads the whole value in both engines (Access's LIKE reads only the first
// 255 characters of a long text, and reads '[' and '#' as wildcards); a text
// with '%' or '_' is a LIKE pattern, as the user wrote it, between two '%'.
SqlStatement BuildSearchStatement(const CString& text, const SearchScope& scope);

// Doubles every apostrophe, so the text can stand between apostrophes in a statement.
CString QuoteSqlText(const CString& text);

// Statements on single notes and groups. Texts are given as the user entered
// them and travel as parameters. Ids are numbers, except the group id text,
// which the database gave and which goes into the statement unchanged.
CString BuildReadNoteStatement(int noteId);
CString BuildReadNoteQueryStatement(int noteId);
extern const wchar_t* const kNextNoteIdStatement;
SqlStatement BuildInsertNoteStatement(const NoteRecord& record);
SqlStatement BuildUpdateNoteStatement(const NoteRecord& record);
CString BuildDeleteNoteStatement(int noteId);
CString BuildReadGroupDescriptionStatement(int groupId);
CString BuildReadGroupStatement(int groupId);
SqlStatement BuildRenameGroupStatement(int groupId, const CString& name);
// The first note other than `noteId` in group `groupId` whose title is `name`.
SqlStatement BuildSameTitleStatement(int groupId, const CString& name, int noteId);
extern const wchar_t* const kNextGroupIdStatement;
SqlStatement BuildInsertGroupStatement(const CString& idText, const CString& name, const CString& description);
SqlStatement BuildUpdateGroupStatement(const CString& idText, const CString& name, const CString& description);
CString BuildDeleteGroupStatement(int groupId);

// The id that the text of "Max(id)+1" stands for: its leading decimal
// integer, 0 for an empty text (an empty table) or a text without digits.
int NoteIdFromText(const CString& text);
