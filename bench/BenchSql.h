// The statements the floors send: the same texts the note store composes
// (catalogue, group list, search, next id, insert), and the new notes that
// the save and driver scenarios write.
#pragma once

#include <string>
#include <vector>

extern const wchar_t* const kBenchGroupList;
extern const wchar_t* const kBenchCatalogue;
extern const wchar_t* const kBenchNextNoteId;

enum class SearchColumn { Name, Query, NameAndComments };
// The search statement of the Find button for `text` in the scope's columns.
std::wstring BenchSearchStatement(const std::wstring& text, SearchColumn column);
// The same statement with a marker in place of each pattern, and the number of markers.
std::wstring BenchSearchWithMarkers(SearchColumn column, int& markers);

struct NewNote {
    std::wstring title;
    std::wstring comments;
    std::wstring query;
    int groupId = 0;
};
// `count` new notes, filed in turn under `groupIds`.
std::vector<NewNote> MakeNewNotes(int count, const std::vector<int>& groupIds);
// "INSERT INTO notes(id,groupId,name,comments,query) VALUES(...);" for `note` as number `id`.
std::wstring BenchInsertStatement(int id, const NewNote& note);
// The same with markers for the title, comments and query, as the Edit page's Save sends it.
std::wstring BenchInsertWithMarkers(int id, const NewNote& note);
// The connect string the module builds for `path`, without the framework's "ODBC;".
std::wstring NoteConnectString(const std::wstring& path);
