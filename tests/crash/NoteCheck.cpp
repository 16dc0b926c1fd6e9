// CheckNoteFile: the independent reader of a killed writer's note database.
#include "tests/crash/NoteCheck.h"

#include "tests/crash/RawNoteFile.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace {

struct Note {
    int groupId = 0;
    std::string name, comments, query;
    bool operator==(const Note& other) const
    {
        return groupId == other.groupId && name == other.name && comments == other.comments && query == other.query;
    }
};

struct Tried {
    Note note;
    bool saved = false;
};

// A column's text, "" for NULL.
std::string Text(const std::optional<std::string>& column) { return column.value_or(std::string()); }

// The notes of a database by id.
std::map<int, Note> ReadNotes(const RawNoteFile& db, bool& ok)
{
    std::map<int, Note> notes;
    for (const auto& row : db.Rows("SELECT id, groupId, name, comments, query FROM notes", ok)) {
        notes[std::stoi(Text(row[0]))] = Note{std::stoi(Text(row[1])), Text(row[2]), Text(row[3]), Text(row[4])};
    }
    return notes;
}

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// The fields of a log line; the hex fields of empty texts are empty.
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, ' ')) fields.push_back(field);
    return fields;
}

// The saver's log: the notes it tried, by index; `opened` when it got that far.
std::map<int, Tried> ReadLog(const std::string& path, bool& opened, bool& reportedError)
{
    std::map<int, Tried> tried;
    std::ifstream log(path, std::ios::binary);
    std::string line;
    // A last line without its line feed was cut by the kill: it is not in the log.
    while (std::getline(log, line) && !log.eof()) {
        const std::vector<std::string> fields = Fields(line);
        if (fields.empty()) continue;
        if (fields[0] == "open") opened = true;
        if (fields[0] == "try" && fields.size() == 6) {
            tried[std::stoi(fields[1])].note = Note{std::stoi(fields[5]), FromHex(fields[2]), FromHex(fields[3]), FromHex(fields[4])};
        } else if (fields[0] == "saved" && fields.size() == 2) {
            tried[std::stoi(fields[1])].saved = true;
        } else if (fields[0] == "error") {
            reportedError = true;
        }
    }
    return tried;
}

} // namespace

NoteCheckResult CheckNoteFile(const std::string& databasePath, const std::string& logPath, const std::string& templatePath)
{
    NoteCheckResult result;
    bool ok = true;
    const auto fail = [&result](const std::string& what) { result.faults.push_back(what); };
    // Read-write, as any reader of a killed writer's file: a hot journal is rolled back first.
    RawNoteFile db(databasePath, SQLITE_OPEN_READWRITE);
    const auto integrity = db.Rows("PRAGMA integrity_check", ok);
    if (integrity.size() != 1 || Text(integrity[0][0]) != "ok") fail("integrity_check did not say ok");
    if (!db.Rows("PRAGMA foreign_key_check", ok).empty()) fail("a foreign key is broken");
    const std::map<int, Note> notes = ReadNotes(db, ok);

    RawNoteFile templateDb(templatePath, SQLITE_OPEN_READONLY);
    const std::map<int, Note> before = ReadNotes(templateDb, ok);
    for (const auto& [id, note] : before) {
        const auto found = notes.find(id);
        if (found == notes.end() || !(found->second == note)) fail("note " + std::to_string(id) + " of the template changed or vanished");
    }

    bool opened = false, reportedError = false;
    const std::map<int, Tried> tried = ReadLog(logPath, opened, reportedError);
    if (reportedError) fail("a message came up where a Save should have succeeded");
    // Each new note is found by its title, which holds the run and the index.
    std::map<std::string, std::vector<Note>> added;
    size_t addedCount = 0;
    for (const auto& [id, note] : notes) {
        if (before.count(id)) continue;
        added[note.name].push_back(note);
        ++addedCount;
    }
    int saved = 0, inFlightPresent = 0, inFlightAbsent = 0;
    size_t accounted = 0;
    for (const auto& [index, entry] : tried) {
        const auto found = added.find(entry.note.name);
        const size_t copies = found == added.end() ? 0 : found->second.size();
        if (copies > 1) fail("note " + std::to_string(index) + " is there " + std::to_string(copies) + " times");
        if (copies == 1 && !(found->second[0] == entry.note)) fail("note " + std::to_string(index) + " differs from what was saved");
        if (entry.saved) {
            ++saved;
            if (copies == 0) fail("note " + std::to_string(index) + " was saved but is missing");
        } else {
            copies ? ++inFlightPresent : ++inFlightAbsent;
        }
        accounted += copies;
    }
    if (inFlightPresent + inFlightAbsent > 1) fail("more than one note was under way at the kill");
    if (accounted != addedCount) fail("notes appeared that no Save wrote");
    if (!ok) fail("SQLite failed: " + (db.Error().empty() ? templateDb.Error() : db.Error()));
    char summary[200];
    std::snprintf(summary, sizeof summary, "opened %s, %d saved notes present, note under way %s, %zu template notes intact",
                  opened ? "yes" : "no", saved, inFlightPresent ? "present whole" : inFlightAbsent ? "absent" : "none", before.size());
    result.summary = summary;
    return result;
}
