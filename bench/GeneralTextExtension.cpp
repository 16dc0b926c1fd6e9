// libqb-general-text.so: an SQLite extension that gives a connection the note
// database's General collation, the one thing a note database file needs
// beyond plain SQLite (its text columns may be declared COLLATE GENERAL). The
// benchmark loads it into Debian's SQLite ODBC driver (its LoadExt option), so
// that driver reads the same files and sorts exactly as ours does, and
// searches with SQLite's own LIKE.
#include "GeneralLikeFunction.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

extern "C" __attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char**, const sqlite3_api_routines* api)
{
    SQLITE_EXTENSION_INIT2(api);
    return sqlite3_create_collation_v2(db, "GENERAL", SQLITE_UTF8, nullptr, GeneralCollationFunction, nullptr);
}
