// UTF-8 / UTF-16 conversion and code point decoding. Portable.
#pragma once

#include <cstddef>
#include <string>

std::string Utf16ToUtf8(const char16_t* text, size_t length);
inline std::string Utf16ToUtf8(const std::u16string& text) { return Utf16ToUtf8(text.data(), text.size()); }
std::u16string Utf8ToUtf16(const std::string& text);

// Reads the code point at text[pos] and advances pos; a lone surrogate reads as itself.
char32_t NextCodePoint(const char16_t* text, size_t length, size_t& pos);

// Reads the character at text[pos] of UTF-8 text and advances pos past it.
// A byte that does not begin a well-formed sequence (a stray continuation
// byte, an overlong form, a surrogate, a sequence cut short) is one character
// of its own and reads as U+FFFD; so do U+FFFE and U+FFFF, as SQLite reads
// them. Never reads at or beyond text[length]; pos < length on entry.
inline char32_t NextUtf8CodePoint(const unsigned char* text, size_t length, size_t& pos)
{
    const unsigned char lead = text[pos];
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    const size_t left = length - pos;
    const unsigned char* s = text + pos;
    if (lead >= 0xC2 && lead <= 0xDF) {
        if (left >= 2 && (s[1] & 0xC0) == 0x80) {
            pos += 2;
            return (static_cast<char32_t>(lead & 0x1F) << 6) | (s[1] & 0x3F);
        }
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        if (left >= 3 && s[1] >= low && s[1] <= high && (s[2] & 0xC0) == 0x80) {
            pos += 3;
            const char32_t ch = (static_cast<char32_t>(lead & 0x0F) << 12) | (static_cast<char32_t>(s[1] & 0x3F) << 6) | (s[2] & 0x3F);
            return ch >= 0xFFFE ? 0xFFFD : ch;
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        if (left >= 4 && s[1] >= low && s[1] <= high && (s[2] & 0xC0) == 0x80 && (s[3] & 0xC0) == 0x80) {
            pos += 4;
            return (static_cast<char32_t>(lead & 0x07) << 18) | (static_cast<char32_t>(s[1] & 0x3F) << 12) |
                   (static_cast<char32_t>(s[2] & 0x3F) << 6) | (s[3] & 0x3F);
        }
    }
    ++pos;
    return 0xFFFD;
}
