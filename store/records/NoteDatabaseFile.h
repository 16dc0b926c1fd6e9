// Creating a note database file, connecting to one, and writing the schema
// into a new one. The main dialog runs these on its connection.
#pragma once

#include "store/records/StoreOutcome.h"
#include "framework/CString.h"

class CDatabase;

// Asks the note database driver, through the ODBC installer, to create an
// empty file at `path`. False when refused; nothing is created or
// overwritten then.
bool RequestNoteDatabaseFile(const CString& path);

// Connects the closed `database` to the file at `path`. A refused connection
// leaves as a CDBException (not caught here); a prompt the user cancelled
// leaves the database closed. Callers test IsOpen() afterwards.
void ConnectNoteDatabase(CDatabase& database, const CString& path);

// Writes the two tables and group 0 into a freshly connected, empty file.
// The first failure stops it and is the outcome; statements already run
// stay, and the connection stays open.
StoreOutcome CreateSchema(CDatabase& database);
