// UTF-8 <-> wide text, for rows kept compactly: UTF-16 where wchar_t has 16
// bits (Windows), code points where it has 32 (Linux).
#pragma once

#include <cstddef>
#include <string>

// Appends `text` (`length` wide characters) to `out` as UTF-8; a lone
// surrogate becomes U+FFFD.
void AppendUtf8(std::string& out, const wchar_t* text, std::size_t length);
// Appends the UTF-8 bytes `text` to `out` as wide text; bad bytes become U+FFFD.
void AppendWide(std::wstring& out, const char* text, std::size_t length);
