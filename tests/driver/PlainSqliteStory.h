// What a user does to a note file with any SQLite program (plain SQLite, no
// collation or extension of ours): check it, read the catalogue in the
// module's order, search, and add, change and delete a note by its name.
// Returns the faults found, empty when the file served every step; the file
// ends with the notes it had.
#pragma once

#include <string>
#include <vector>

// `searchWord` is a word some note names hold in ASCII letters; it is
// searched for in upper case.
std::vector<std::string> RunPlainSqliteStory(const std::string& path, const std::string& searchWord);
