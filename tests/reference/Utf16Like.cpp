// Utf16Like and its registration as an SQLite function.
#include "tests/reference/Utf16Like.h"

#include "driver/CaseFold.h"
#include "driver/Utf.h"

#include <sqlite3.h>

#include <vector>

namespace {

void Utf16LikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return;  // NULL result
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
    sqlite3_result_int(context, Utf16Like(pattern, patternLength, text, textLength, escape) ? 1 : 0);
}

} // namespace

bool Utf16Like(const char16_t* pattern, size_t patternLength, const char16_t* text, size_t textLength, char32_t escape)
{
    enum Kind { Literal, One, Any };
    struct Element { Kind kind; char32_t ch; };
    std::vector<Element> elements;
    const char32_t foldedEscape = escape ? FoldCase(escape) : 0;
    for (size_t pos = 0; pos < patternLength;) {
        const char32_t raw = NextCodePoint(pattern, patternLength, pos);
        const char32_t ch = FoldCase(raw);
        if (escape && ch == foldedEscape && pos < patternLength) {
            elements.push_back({Literal, FoldCase(NextCodePoint(pattern, patternLength, pos))});
        } else if (raw == U'%') {
            if (elements.empty() || elements.back().kind != Any) elements.push_back({Any, 0});
        } else if (raw == U'_') {
            elements.push_back({One, 0});
        } else {
            elements.push_back({Literal, ch});
        }
    }
    std::vector<char32_t> subject;
    subject.reserve(textLength);
    for (size_t pos = 0; pos < textLength;) subject.push_back(FoldCase(NextCodePoint(text, textLength, pos)));

    size_t p = 0, s = 0;
    size_t starP = static_cast<size_t>(-1), starS = 0;
    while (s < subject.size()) {
        if (p < elements.size() && elements[p].kind == Any) {
            starP = p++;
            starS = s;
        } else if (p < elements.size() && (elements[p].kind == One || elements[p].ch == subject[s])) {
            ++p;
            ++s;
        } else if (starP != static_cast<size_t>(-1)) {
            p = starP + 1;
            s = ++starS;
        } else {
            return false;
        }
    }
    while (p < elements.size() && elements[p].kind == Any) ++p;
    return p == elements.size();
}

int RegisterUtf16Like(sqlite3* db)
{
    const int flags = SQLITE_UTF16 | SQLITE_DETERMINISTIC;
    int rc = sqlite3_create_function_v2(db, "like", 2, flags, nullptr, Utf16LikeFunction, nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_create_function_v2(db, "like", 3, flags, nullptr, Utf16LikeFunction, nullptr, nullptr, nullptr);
    return rc;
}
