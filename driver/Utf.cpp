// UTF conversions used at the ODBC boundary (UTF-16) and toward SQLite (UTF-8).
#include "Utf.h"

#include "Utf8Encode.h"

char32_t NextCodePoint(const char16_t* text, size_t length, size_t& pos)
{
    const char32_t first = text[pos++];
    if (first >= 0xD800 && first < 0xDC00 && pos < length) {
        const char32_t second = text[pos];
        if (second >= 0xDC00 && second < 0xE000) {
            ++pos;
            return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
        }
    }
    return first;
}

std::string Utf16ToUtf8(const char16_t* text, size_t length)
{
    std::string out;
    out.reserve(length);
    for (size_t pos = 0; pos < length;) {
        char32_t cp = NextCodePoint(text, length, pos);
        if (cp >= 0xD800 && cp < 0xE000) cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
        AppendUtf8(out, cp);
    }
    return out;
}

std::u16string Utf8ToUtf16(const std::string& text)
{
    std::u16string out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        char32_t cp = s[i];
        size_t extra = cp < 0x80 ? 0 : cp < 0xE0 ? 1 : cp < 0xF0 ? 2 : 3;
        if (cp >= 0x80 && cp < 0xC0) extra = 0, cp = 0xFFFD;
        else if (extra == 1) cp &= 0x1F;
        else if (extra == 2) cp &= 0x0F;
        else if (extra == 3) cp &= 0x07;
        ++i;
        for (size_t k = 0; k < extra; ++k, ++i) {
            if (i >= n || (s[i] & 0xC0) != 0x80) { cp = 0xFFFD; break; }
            cp = (cp << 6) | (s[i] & 0x3F);
        }
        if (cp >= 0x10000 && cp < 0x110000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp < 0x110000 ? cp : 0xFFFD);
        }
    }
    return out;
}
