// GeneralLikeFunction and GeneralCollationFunction: SQLite's values handed
// to LikePattern and CompareGeneralUtf8.
#include "GeneralLikeFunction.h"

#include "GeneralText.h"
#include "LikePattern.h"
#include "Utf.h"
#include "WindowsLimits.h"

#include <sqlite3.h>

#include <memory>
#include <new>

namespace {

void DeletePattern(void* pattern) { delete static_cast<LikePattern*>(pattern); }

} // namespace

const int kLikeComparesWindowsLength = static_cast<int>(kWindowsLikeCompareLength);

void GeneralLikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return;  // NULL result
    }
    char32_t escape = 0;
    if (argc == 3) {
        const auto* esc = sqlite3_value_text(argv[2]);
        const size_t escBytes = static_cast<size_t>(sqlite3_value_bytes(argv[2]));
        size_t pos = 0;
        if (esc && escBytes > 0) escape = NextUtf8CodePoint(esc, escBytes, pos);
        if (!esc || escBytes == 0 || pos != escBytes) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
    }
    try {
        // The compiled pattern stays with the pattern argument while it is a
        // constant of the statement; SQLite drops it when the argument changes.
        const LikePattern* pattern = static_cast<const LikePattern*>(sqlite3_get_auxdata(context, 0));
        std::unique_ptr<LikePattern> compiled;
        if (!pattern || pattern->Escape() != escape) {
            const char* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
            if (!text) {
                sqlite3_result_error_nomem(context);
                return;
            }
            compiled.reset(new LikePattern(text, static_cast<size_t>(sqlite3_value_bytes(argv[0])), escape));
            pattern = compiled.get();
        }
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
        if (!text) {
            sqlite3_result_error_nomem(context);
            return;
        }
        size_t bytes = static_cast<size_t>(sqlite3_value_bytes(argv[1]));
        if (sqlite3_user_data(context)) {
            const size_t limit = static_cast<size_t>(*static_cast<const int*>(sqlite3_user_data(context)));
            bytes = BytesOfFirstCharacters(reinterpret_cast<const unsigned char*>(text), bytes, limit);
        }
        const bool match = pattern->Matches(text, bytes);
        if (compiled) sqlite3_set_auxdata(context, 0, compiled.release(), DeletePattern);
        sqlite3_result_int(context, match ? 1 : 0);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(context);
    }
}

int GeneralCollationFunction(void*, int aBytes, const void* a, int bBytes, const void* b)
{
    return CompareGeneralUtf8(static_cast<const char*>(a), static_cast<size_t>(aBytes), static_cast<const char*>(b),
                              static_cast<size_t>(bBytes));
}
