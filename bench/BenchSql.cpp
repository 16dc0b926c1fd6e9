// The floors' statement texts and the benchmark's new notes. The note files
// declare SQLite's NOCASE; the note driver names the General collation in
// the statements it runs, so the floors run the same texts it runs.
#include "bench/BenchSql.h"

const wchar_t* const kBenchGroupList = L"SELECT id,groupName FROM groups ORDER BY groupName COLLATE GENERAL";
const wchar_t* const kBenchCatalogue =
    L"SELECT notes.id,groups.id AS groupId,groups.groupName,notes.name,notes.comments FROM groups,notes "
    L"WHERE notes.groupId=groups.id ORDER BY notes.groupId,notes.name COLLATE GENERAL";
const wchar_t* const kBenchNextNoteId = L"SELECT Max(id)+1 FROM notes";

namespace {

std::wstring Quoted(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size() + 8);
    for (wchar_t c : text) {
        out += c;
        if (c == L'\'') out += L'\'';
    }
    return out;
}

std::wstring SearchWith(const std::wstring& like, SearchColumn column)
{
    std::wstring condition;
    switch (column) {
    case SearchColumn::Name: condition = L"notes.name" + like; break;
    case SearchColumn::Query: condition = L"notes.query" + like; break;
    case SearchColumn::NameAndComments: condition = L"notes.name" + like + L" OR notes.comments" + like; break;
    }
    return L"SELECT notes.id, groups.id AS groupId, groups.groupName, notes.name, notes.comments FROM groups, notes "
           L"WHERE notes.groupId=groups.id AND (" +
           condition + L") ORDER BY notes.groupId, notes.name COLLATE GENERAL;";
}

} // namespace

std::wstring BenchSearchStatement(const std::wstring& text, SearchColumn column)
{
    return SearchWith(L" LIKE '%" + Quoted(text) + L"%'", column);
}

std::wstring BenchSearchWithMarkers(SearchColumn column, int& markers)
{
    markers = column == SearchColumn::NameAndComments ? 2 : 1;
    return SearchWith(L" LIKE ?", column);
}

std::vector<NewNote> MakeNewNotes(int count, const std::vector<int>& groupIds)
{
    static const wchar_t* const words[] = {L"SELECT", L"region,", L"SUM(total)", L"FROM", L"orders", L"WHERE", L"status",
                                           L"<>", L"'void'", L"GROUP", L"BY", L"region", L"ORDER", L"BY", L"2", L"DESC"};
    std::vector<NewNote> notes(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        NewNote& note = notes[static_cast<size_t>(i)];
        note.title = L"Bench note " + std::to_wstring(i) + L": today's totals by region";
        note.comments = L"written by the benchmark's save scenario";
        // About 2 KB of query text, different for every note.
        note.query = L"-- bench " + std::to_wstring(i) + L"\r\n";
        for (size_t w = static_cast<size_t>(i); note.query.size() < 2000; ++w) {
            note.query += words[w % (sizeof words / sizeof *words)];
            note.query += w % 7 == 0 ? L"\r\n" : L" ";
        }
        note.query += L"END";
        note.groupId = groupIds.empty() ? 0 : groupIds[static_cast<size_t>(i) % groupIds.size()];
    }
    return notes;
}

std::wstring BenchInsertStatement(int id, const NewNote& note)
{
    return L"INSERT INTO notes(id,groupId,name,comments,query) VALUES(" + std::to_wstring(id) + L"," + std::to_wstring(note.groupId) +
           L",'" + Quoted(note.title) + L"','" + Quoted(note.comments) + L"','" + Quoted(note.query) + L"');";
}

std::wstring BenchInsertWithMarkers(int id, const NewNote& note)
{
    return L"INSERT INTO notes(id,groupId,name,comments,query) VALUES(" + std::to_wstring(id) + L"," + std::to_wstring(note.groupId) + L",?,?,?);";
}

std::wstring NoteConnectString(const std::wstring& path)
{
    return L"DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=" + path;
}
