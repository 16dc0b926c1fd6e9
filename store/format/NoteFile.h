// The text of an exported note file and of a group's description file, and
// reading them back. A note file is ordinary SQL: a few comment lines carry
// what a file name cannot (the exact title, group and comments, each a
// JSON string so any character survives on one line), then an empty line,
// then the query exactly as stored and one line end. Every line of the file
// ends the way the query's lines do, so git and editors see one style.
// Portable.
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

// Group 0, "None", as a database holds it before anyone describes it.
inline GroupFileFields NoneGroupFields() { return GroupFileFields{L"None", false, CString()}; }

// A group's description file is "README.md" in its folder; a note's file ends in ".sql".
constexpr wchar_t kGroupFileName[] = L"README";
constexpr wchar_t kGroupFileExtension[] = L".md";
constexpr wchar_t kNoteFileExtension[] = L".sql";
// Group 0's description lives in a file of its own name at the top of the
// folder, never in README.md, which a repository keeps for itself.
constexpr wchar_t kNoneGroupFileName[] = L"quillbox-none.md";
bool IsNoneGroupFile(const CString& name);

// The file's bytes (UTF-8, no BOM). A note file's lines end in LineEndOf(query)
// and the file ends with one; a group file's lines end in "\n".
std::string ComposeNoteFile(const NoteFileFields& note);
std::string ComposeGroupFile(const GroupFileFields& group);

// True when the text starts with the export's header; fills the fields (the
// query is QueryOfFileBody of everything after the header). A malformed
// header is not ours.
bool ParseNoteFile(const CString& text, NoteFileFields& note);
bool ParseGroupFile(const CString& text, GroupFileFields& group);

// What a file's header is: none (a plain file), whole, or damaged: it starts
// as ours (the marker line, or a note's "-- title:" line among its first
// lines) but a line of it is wrong; `damage` then names that line
// ("line 2: -- title: \"x").
enum class HeaderRead { None, Whole, Damaged };
HeaderRead ReadNoteFile(const CString& text, NoteFileFields& note, CString& damage);
HeaderRead ReadGroupFile(const CString& text, GroupFileFields& group, CString& damage);

// The value as a JSON string literal, and back; `>` is escaped too, so the
// value can stand inside an HTML comment.
CString QuoteFieldValue(const CString& value);
bool UnquoteFieldValue(const CString& literal, CString& value);

// "\r\n" when the query has a CRLF line end, else "\n": the line end a note
// file uses throughout.
const wchar_t* LineEndOf(const CString& query);
// The query a note file's body holds: the body without one final line end,
// the one an export writes (or an editor adds).
CString QueryOfFileBody(const CString& body);
// Two queries that differ only by one final line end, or by CRLF, LF or CR
// line ends, are the same note.
bool SameQueryText(const CString& a, const CString& b);
// The text with every CRLF and lone CR made LF.
CString WithLfLineEnds(const CString& text);
// A hash of a note's texts (comments, whether it has any, and its query
// with LF line ends): the same on every machine for the same texts.
unsigned long long HashNoteTexts(const NoteFileFields& note);
// The title an import gives a .sql file without the header: its name
// without the extension.
CString TitleOfPlainFile(const CString& fileName);
// True when the text holds git's markers of an unresolved merge: a line
// starting "<<<<<<< ", a later "=======" line and a later ">>>>>>> " line.
bool HasMergeConflict(const CString& text);
// The two versions a file with git's markers holds: the lines outside the
// markers go to both, those between "<<<<<<< " and "=======" to `ours`
// (without a "|||||||" base section), those after it to `theirs`.
void SplitMergeConflict(const CString& text, CString& ours, CString& theirs);
