// Note database files as builds before the schema upgrade wrote them: every
// text column declared with the driver's collation GENERAL, which plain
// SQLite programs do not know. Written here with plain SQLite and the
// collation registered from the driver's definition, as that driver did.
#pragma once

#include <string>
#include <vector>

struct sqlite3;

namespace oldformat {

struct Note {
    int id;
    int groupId;
    std::string name, comments, query;
};
struct Group {
    int id;
    std::string name;
};

// What the file holds besides groups and notes: with `userObjects`, what a
// user may have added through the earlier driver: a table keyed by text
// (tags, whose primary key index is in GENERAL order) and an index on the
// note names.
struct Content {
    std::vector<Group> groups;  // group 0 'None' is always written
    std::vector<Note> notes;
    bool userObjects = false;
    std::vector<std::string> tags;
};

// Registers GENERAL on a plain connection.
void RegisterGeneralCollation(sqlite3* db);

// Writes a new file at `path` (it must not exist); false with `error` set on failure.
bool Write(const std::string& path, const Content& content, std::string& error);

// The same content on every machine: `notes` notes in 20 groups with names
// in mixed case, accented and Cyrillic letters; tags and the index included.
Content Sample(int notes);

} // namespace oldformat
