// Files written by earlier builds declare their text columns with the
// driver's own collation GENERAL, which no other SQLite program knows, so
// such a program cannot even sort them. UpgradeNoteFile gives the schema
// SQLite's built-in NOCASE instead (the driver names GENERAL in its
// statements, so nothing changes for the driver's users) in one
// transaction: a kill or a failure on the way leaves the old file as it was,
// and the next connection tries again. Portable (SQLite only).
#pragma once

#include <string>

struct sqlite3;

enum class UpgradeResult { NotNeeded, Upgraded, Failed };

// Whether the schema of `db` names the collation GENERAL anywhere.
bool SchemaNamesGeneralCollation(sqlite3* db);

// Upgrades the file open read-write on `db`; waits at most `busyTimeoutMs`
// for other users' locks. On failure `failure` says why.
UpgradeResult UpgradeNoteFile(sqlite3* db, int busyTimeoutMs, std::string& failure);
