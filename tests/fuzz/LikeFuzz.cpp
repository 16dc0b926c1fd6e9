// Differential fuzzing of the driver's LIKE and General order over UTF-8.
// The fuzzer picks a pattern, a text and an escape character. Either both are
// built from letters worth trying (cases, folds, characters outside the BMP,
// lone surrogates as an edit box may hold them) and stored as the driver
// stores text, or both are raw bytes, well-formed or not. LikePattern must
// give what the UTF-16 reference LIKE gives on the same characters (for raw
// bytes: as NextUtf8CodePoint reads them), CompareGeneralUtf8 what
// CompareGeneral gives, and neither may read outside its text.
#include "driver/GeneralText.h"
#include "driver/LikePattern.h"
#include "driver/Utf.h"
#include "tests/reference/Utf16Like.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& pattern, const std::string& text)
{
    std::fprintf(stderr, "LikeFuzz: %s\n  pattern:", what.c_str());
    for (unsigned char c : pattern) std::fprintf(stderr, " %02X", c);
    std::fprintf(stderr, "\n  text:");
    for (unsigned char c : text) std::fprintf(stderr, " %02X", c);
    std::fprintf(stderr, "\n");
    std::abort();
}

const char16_t kInteresting[] = {
    u'%', u'_', u'!', u'a', u'A', u'k', u'K', u'\u212A', u's', u'S', u'\u017F', u'\u00C4', u'\u00E4', u'\u00C9', u'\u00E9',
    u'\u03A3', u'\u03C3', u'\u03C2', u'\u0130', u'\u0131', u'\u00DF', u'\u1E9E', u'\u2126', u'\u03C9', u'\u01C4', u'\u01C5',
    u'\u01C6', u'\u00B5', u'\u039C', u'\u03BC', u'\u0345', u'\u0399', u'\u03B9', u'\u1FBE', u'\u042F', u'\u044F', u'\uFFFD',
    u'\uFFFE', 0xD801, 0xDC00, 0xDC28, 0xD83D, 0xDE00, 0xDE01, u'\0'};

// Units as an edit box holds them, then UTF-8 as the driver stores them.
std::string DriverText(const std::string& bytes)
{
    std::u16string units;
    for (unsigned char c : bytes) {
        units += c < 0x80 && c >= 0x20 ? static_cast<char16_t>(c) : kInteresting[c % (sizeof kInteresting / sizeof *kInteresting)];
    }
    return Utf16ToUtf8(units);
}

// The characters of UTF-8 bytes as UTF-16, each read as NextUtf8CodePoint reads it.
std::u16string Characters(const char* text, size_t length)
{
    std::u16string out;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (size_t pos = 0; pos < length;) {
        char32_t ch = NextUtf8CodePoint(bytes, length, pos);
        if (ch >= 0x10000) {
            ch -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (ch >> 10));
            out += static_cast<char16_t>(0xDC00 + (ch & 0x3FF));
        } else {
            out += static_cast<char16_t>(ch);
        }
    }
    return out;
}

// Well-formed UTF-8 as SQLite turns it into UTF-16 for a UTF-16 function: U+FFFE and U+FFFF read as U+FFFD.
std::u16string SqliteUtf16(const std::string& text)
{
    std::u16string out = Utf8ToUtf16(text);
    for (char16_t& unit : out) {
        if (unit >= 0xFFFE) unit = 0xFFFD;
    }
    return out;
}

int Sign(int c) { return c < 0 ? -1 : c > 0 ? 1 : 0; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 4096) return 0;
    FuzzedDataProvider provider(data, size);
    static const char32_t escapes[] = {0, U'!', U'%', U'_', U'X', U'\u00E9', U'\u03A3', U'\0'};
    const unsigned char flags = provider.ConsumeIntegral<unsigned char>();
    const char32_t escape = escapes[flags % (sizeof escapes / sizeof *escapes)];
    const bool raw = (flags & 0x80) != 0;
    std::string pattern = provider.ConsumeRandomLengthString(64);
    std::string text = provider.ConsumeRemainingBytesAsString();
    if (!raw) {
        pattern = DriverText(pattern);
        text = DriverText(text);
    }

    // Exactly sized copies, so a read past either end is caught; the text
    // ends in the NUL SQLite puts after every text.
    std::unique_ptr<char[]> patternCopy(new char[pattern.size() ? pattern.size() : 1]);
    std::memcpy(patternCopy.get(), pattern.data(), pattern.size());
    std::unique_ptr<char[]> textCopy(new char[text.size() + 1]);
    std::memcpy(textCopy.get(), text.data(), text.size());
    textCopy[text.size()] = 0;

    const bool got = LikePattern(patternCopy.get(), pattern.size(), escape).Matches(textCopy.get(), text.size());
    const std::u16string p16 = raw ? Characters(pattern.data(), pattern.size()) : SqliteUtf16(pattern);
    const std::u16string t16 = raw ? Characters(text.data(), text.size()) : SqliteUtf16(text);
    const bool expected = Utf16Like(p16.data(), p16.size(), t16.data(), t16.size(), escape);
    if (got != expected) Fail(std::string("LIKE gave ") + (got ? "a match" : "no match") + ", the reference the opposite", pattern, text);

    const int order = Sign(CompareGeneralUtf8(patternCopy.get(), pattern.size(), textCopy.get(), text.size()));
    const int expectedOrder = Sign(CompareGeneral(p16.data(), p16.size(), t16.data(), t16.size()));
    if (order != expectedOrder) Fail("CompareGeneralUtf8 gave " + std::to_string(order) + ", CompareGeneral " + std::to_string(expectedOrder), pattern, text);
    return 0;
}
