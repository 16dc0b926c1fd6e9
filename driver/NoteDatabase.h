// One open note database file over SQLite, set up as the note store needs it:
// foreign keys on, durable commits, a bounded wait on locks, the General
// collation and a LIKE that ignores case for every letter, statements that
// name the collation themselves, files of earlier builds upgraded so that
// any SQLite program reads them; plus the mapping
// of SQLite's failures to SQLSTATEs and texts a user can act on. Portable
// (SQLite only, no ODBC), so it is unit tested natively.
#pragma once

#include "DriverError.h"
#include "SchemaColumns.h"

#include <string>

struct sqlite3;
struct sqlite3_stmt;

class NoteDatabase {
public:
    static constexpr int kDefaultBusyTimeoutMs = 3000;
    // Written into the header of a file that the driver prepares ("QBND").
    static constexpr int kApplicationId = 0x51424E44;
    // The longest wait for other users when a file of an earlier build is upgraded at connect.
    static constexpr int kUpgradeWaitMs = 1000;
    // How much of a file on a local disk is read through a map (a 32-bit
    // process's address space is small); the rest is read with read calls.
    static constexpr const char* kMapFilePragma = "PRAGMA mmap_size=268435456";

    NoteDatabase() = default;
    ~NoteDatabase();
    NoteDatabase(const NoteDatabase&) = delete;
    NoteDatabase& operator=(const NoteDatabase&) = delete;

    // Opens the existing file `path` (Windows or Unix form). A zero-length
    // file, as the setup routine creates it, becomes an empty database.
    bool Open(const std::string& path, bool readOnly, int busyTimeoutMs, DriverError& error);
    void Close();
    // Keeps Windows' Access driver's limits (WindowsLimits.h) from the next Open on.
    void SetWindowsLimits(bool on) { m_windowsLimits = on; }
    bool KeepsWindowsLimits() const { return m_windowsLimits; }
    bool IsOpen() const { return m_db != nullptr; }
    bool IsReadOnly() const { return m_readOnly; }
    sqlite3* Handle() const { return m_db; }
    const std::string& DisplayPath() const { return m_displayPath; }
    // Why the file of an earlier build could not be upgraded at connect (empty if it was, or needed nothing).
    const std::string& UpgradeFailure() const { return m_upgradeFailure; }

    // Compiles one statement (Access DDL translated). Text after the first
    // statement other than blanks, comments and ';' is refused, and so is,
    // with Windows' limits kept, a statement that breaks one.
    bool Prepare(const std::string& sql, sqlite3_stmt*& statement, DriverError& error);
    // Runs a statement without results (BEGIN, COMMIT, ...).
    bool Execute(const char* sql, DriverError& error);
    bool InTransaction() const;

    // The error for the SQLite result `rc` of the statement `sql`, read from the connection.
    DriverError ErrorFor(int rc, const std::string& sql);

private:
    std::string DescribeForeignKeyFailure(const std::string& sql);
    std::string Quoted(const std::string& text) const { return "'" + text + "'"; }

    sqlite3* m_db = nullptr;  // owned; closed by Close
    bool m_readOnly = false;
    bool m_windowsLimits = false;
    bool m_stampPending = false;  // a zero-length file: the header comes with the first change
    int m_busyTimeoutMs = kDefaultBusyTimeoutMs;
    std::string m_displayPath;
    SchemaColumns m_columns;  // the file's columns, for the statements' collation
    std::string m_upgradeFailure;
};
