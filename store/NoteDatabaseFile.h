// Creating a note database file, connecting to one, and writing the schema
// into a new one. The main dialog runs these on its connection.
#pragma once

#include "framework/CString.h"

class CDatabase;

// Asks the note database driver, through the ODBC installer, to create an
// empty file at `path`. A refusal shows "Failed creating database" and
// returns false; nothing is created or overwritten then.
bool CreateNoteDatabaseFile(const CString& path);
// The same request to the installer, without a message: false when refused.
bool RequestNoteDatabaseFile(const CString& path);

// Connects the closed `database` to the file at `path`. A refused connection
// leaves as a CDBException (not caught here); a prompt the user cancelled
// leaves the database closed. Callers test IsOpen() afterwards.
void ConnectNoteDatabase(CDatabase& database, const CString& path);

// Writes the two tables and group 0 into a freshly connected, empty file.
// The first failure shows the database's error text and returns false;
// statements already run stay, and the connection stays open.
bool CreateSchema(CDatabase& database);
