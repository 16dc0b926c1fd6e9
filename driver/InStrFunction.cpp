// InStrFunction: the word is compiled once per statement into two LIKE
// patterns ("%word%" to tell whether it occurs, "word%" to find where), so
// a text without the word costs what LIKE '%word%' costs.
#include "InStrFunction.h"

#include "LikePattern.h"
#include "Utf.h"

#include <sqlite3.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace {

constexpr char32_t kEscape = U'\\';

// The word with each character LIKE would read as a wildcard made literal.
std::string Literal(const char* word, size_t length)
{
    std::string out;
    out.reserve(length + 8);
    for (size_t i = 0; i < length; ++i) {
        if (word[i] == '%' || word[i] == '_' || word[i] == '\\') out += '\\';
        out += word[i];
    }
    return out;
}

struct CompiledWord {
    CompiledWord(const char* word, size_t length)
        : literal(Literal(word, length)),
          anywhere(("%" + literal + "%").data(), literal.size() + 2, kEscape),
          prefix((literal + "%").data(), literal.size() + 1, kEscape)
    {
    }
    std::string literal;
    LikePattern anywhere;
    LikePattern prefix;
};

void DeleteCompiled(void* compiled) { delete static_cast<CompiledWord*>(compiled); }

// UTF-16 characters of the code point `ch`.
inline size_t Utf16Units(char32_t ch) { return ch >= 0x10000 ? 2 : 1; }

} // namespace

void InStrFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return;  // NULL result
    }
    const bool hasStart = argc >= 3;
    const sqlite3_int64 start = hasStart ? sqlite3_value_int64(argv[0]) : 1;
    if (start < 1) {
        sqlite3_result_error(context, "InStr: the start position must be 1 or more", -1);
        return;
    }
    const int textArg = hasStart ? 1 : 0, wordArg = textArg + 1;
    const bool textCompare = argc < 4 || sqlite3_value_int(argv[3]) != 0;
    const auto* text = sqlite3_value_text(argv[textArg]);
    const size_t textBytes = static_cast<size_t>(sqlite3_value_bytes(argv[textArg]));
    const auto* word = reinterpret_cast<const char*>(sqlite3_value_text(argv[wordArg]));
    const size_t wordBytes = static_cast<size_t>(sqlite3_value_bytes(argv[wordArg]));
    if (!text || !word) {
        sqlite3_result_error_nomem(context);
        return;
    }

    // Skip to the start position, counting UTF-16 characters.
    size_t pos = 0, units = 1;
    while (units < static_cast<size_t>(start) && pos < textBytes) units += Utf16Units(NextUtf8CodePoint(text, textBytes, pos));
    if (units < static_cast<size_t>(start)) {
        sqlite3_result_int64(context, 0);
        return;
    }
    if (wordBytes == 0) {
        sqlite3_result_int64(context, start);
        return;
    }
    const char* rest = reinterpret_cast<const char*>(text) + pos;
    const size_t restBytes = textBytes - pos;

    if (!textCompare) {
        const char* found = static_cast<const char*>(memmem(rest, restBytes, word, wordBytes));
        if (!found) {
            sqlite3_result_int64(context, 0);
            return;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(rest);
        for (size_t at = 0, end = static_cast<size_t>(found - rest); at < end;) units += Utf16Units(NextUtf8CodePoint(bytes, end, at));
        sqlite3_result_int64(context, static_cast<sqlite3_int64>(units));
        return;
    }

    try {
        const CompiledWord* compiled = static_cast<const CompiledWord*>(sqlite3_get_auxdata(context, wordArg));
        std::unique_ptr<CompiledWord> fresh;
        if (!compiled) {
            fresh.reset(new CompiledWord(word, wordBytes));
            compiled = fresh.get();
        }
        sqlite3_int64 result = 0;
        if (compiled->anywhere.Matches(rest, restBytes)) {
            // It occurs: find the first place where it begins.
            const auto* bytes = reinterpret_cast<const unsigned char*>(rest);
            for (size_t at = 0; at < restBytes;) {
                if (compiled->prefix.Matches(rest + at, restBytes - at)) {
                    result = static_cast<sqlite3_int64>(units);
                    break;
                }
                units += Utf16Units(NextUtf8CodePoint(bytes, restBytes, at));
            }
        }
        if (fresh) sqlite3_set_auxdata(context, wordArg, fresh.release(), DeleteCompiled);
        sqlite3_result_int64(context, result);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(context);
    }
}
