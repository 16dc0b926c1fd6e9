// Reads a note database after its host was killed, with SQLite directly
// (none of the ODBC stack that wrote it), and checks that nothing was lost
// or damaged:
//   - PRAGMA integrity_check says ok and no foreign key is broken;
//   - every note of the template the run started from is there unchanged;
//   - every note whose Save returned ("saved" in the saver's log) is there
//     exactly once with exactly the texts and group the Edit page held;
//   - the note whose Save was under way when the kill came is either
//     absent or there whole; no other note appeared.
#pragma once

#include <string>
#include <vector>

struct NoteCheckResult {
    std::vector<std::string> faults;  // empty when every check held
    std::string summary;              // the figures of the run
    bool Ok() const { return faults.empty(); }
};

NoteCheckResult CheckNoteFile(const std::string& databasePath, const std::string& logPath, const std::string& templatePath);
