// libqb-general-text.so: an SQLite extension that gives a connection the note
// database's General collation and its LIKE, the two things a note database
// file needs beyond plain SQLite. The benchmark loads it into Debian's SQLite
// ODBC driver (its LoadExt option), so that driver reads the same files and
// sorts and matches exactly as ours does.
#include "GeneralText.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

namespace {

int CollateGeneral(void*, int aBytes, const void* a, int bBytes, const void* b)
{
    return CompareGeneral(static_cast<const char16_t*>(a), static_cast<size_t>(aBytes) / 2,
                          static_cast<const char16_t*>(b), static_cast<size_t>(bBytes) / 2);
}

// like(pattern, text [, escape]), as the driver registers it.
void Like(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return;
    }
    const auto* pattern = static_cast<const char16_t*>(sqlite3_value_text16(argv[0]));
    const size_t patternLength = static_cast<size_t>(sqlite3_value_bytes16(argv[0])) / 2;
    const auto* text = static_cast<const char16_t*>(sqlite3_value_text16(argv[1]));
    const size_t textLength = static_cast<size_t>(sqlite3_value_bytes16(argv[1])) / 2;
    char32_t escape = 0;
    if (argc == 3) {
        const auto* esc = static_cast<const char16_t*>(sqlite3_value_text16(argv[2]));
        if (!esc || sqlite3_value_bytes16(argv[2]) != 2) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = esc[0];
    }
    if (!pattern || !text) {
        sqlite3_result_error_nomem(context);
        return;
    }
    sqlite3_result_int(context, LikeGeneral(pattern, patternLength, text, textLength, escape) ? 1 : 0);
}

} // namespace

extern "C" __attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char**, const sqlite3_api_routines* api)
{
    SQLITE_EXTENSION_INIT2(api);
    const int flags = SQLITE_UTF16 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_collation_v2(db, "GENERAL", SQLITE_UTF16, nullptr, CollateGeneral, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_create_function_v2(db, "like", 2, flags, nullptr, Like, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_create_function_v2(db, "like", 3, flags, nullptr, Like, nullptr, nullptr, nullptr);
    return rc;
}
