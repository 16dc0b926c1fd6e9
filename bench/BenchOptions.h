// What one run of the benchmark program measures, from its command line.
#pragma once

#include <string>

struct BenchOptions {
    std::wstring database;         // the note database, as the Open dialog is given it
    std::wstring unixDatabase;     // the same file for a driver that takes Unix paths
    int notes = 0;                 // notes in the database
    int runs = 5;                  // timed runs per scenario (after one warm-up)
    int saves = 1000;              // notes written by the save and driver scenarios
    std::wstring rareWord = L"quillwort";     // in the queries of the notes whose id ends in 007
    std::wstring nameWords = L"audit trail";  // in some names and comments (ASCII: SQLite's LIKE finds the same notes)
    std::wstring sqliteDriver;     // section of Debian's SQLite ODBC driver; empty: no driver row
    std::wstring sqliteExtension;  // the General collation extension it loads
    bool trace = false;            // every scenario's timed dialog actions traced message by message (stderr)
};
