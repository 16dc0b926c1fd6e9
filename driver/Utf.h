// UTF-8 / UTF-16 conversion and code point decoding. Portable.
#pragma once

#include <string>

std::string Utf16ToUtf8(const char16_t* text, size_t length);
inline std::string Utf16ToUtf8(const std::u16string& text) { return Utf16ToUtf8(text.data(), text.size()); }
std::u16string Utf8ToUtf16(const std::string& text);

// Reads the code point at text[pos] and advances pos; a lone surrogate reads as itself.
char32_t NextCodePoint(const char16_t* text, size_t length, size_t& pos);
