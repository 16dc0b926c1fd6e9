// UTF-8 conversion of wide strings on both wchar_t widths.
#include "store/format/Utf8Text.h"

#include "driver/Utf8Encode.h"

namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

} // namespace

std::string ToUtf8(const CString& text)
{
    const std::wstring& wide = text.str();
    std::string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = static_cast<char32_t>(wide[i]);
        if (kWideIsUtf16 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size()) {
            const char32_t low = static_cast<char32_t>(wide[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (IsSurrogate(cp) || cp > 0x10FFFF) cp = 0xFFFD;
        AppendUtf8(out, cp);
    }
    return out;
}

bool FromUtf8(const std::string& bytes, CString& text)
{
    // Every sequence gives at most as many wide characters as it has bytes.
    std::wstring out(bytes.size(), L'\0');
    wchar_t* const first = out.empty() ? nullptr : &out[0];
    wchar_t* o = first;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    for (size_t i = 0; i < n;) {
        const unsigned char lead = p[i];
        if (lead < 0x80) {  // the common case: a run of ASCII
            do *o++ = static_cast<wchar_t>(p[i++]);
            while (i < n && p[i] < 0x80);
            continue;
        }
        int extra;
        char32_t cp;
        if (lead >= 0xC2 && lead <= 0xDF) { extra = 1; cp = lead & 0x1F; }
        else if (lead >= 0xE0 && lead <= 0xEF) { extra = 2; cp = lead & 0x0F; }
        else if (lead >= 0xF0 && lead <= 0xF4) { extra = 3; cp = lead & 0x07; }
        else { text = CString(); return false; }
        if (i + static_cast<size_t>(extra) >= n) { text = CString(); return false; }  // cut short
        for (int k = 1; k <= extra; ++k) {
            const unsigned char c = p[i + static_cast<size_t>(k)];
            if ((c & 0xC0) != 0x80) { text = CString(); return false; }
            cp = (cp << 6) | (c & 0x3F);
        }
        const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
        if (overlong || IsSurrogate(cp) || cp > 0x10FFFF) { text = CString(); return false; }
        if (kWideIsUtf16 && cp >= 0x10000) {
            cp -= 0x10000;
            *o++ = static_cast<wchar_t>(0xD800 + (cp >> 10));
            *o++ = static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
        } else {
            *o++ = static_cast<wchar_t>(cp);
        }
        i += static_cast<size_t>(extra) + 1;
    }
    out.resize(static_cast<size_t>(o - first));
    text = CString(std::move(out));
    return true;
}

int Utf16Length(const CString& text)
{
    if (kWideIsUtf16) return text.GetLength();
    int units = 0;
    for (wchar_t ch : text.str()) units += (static_cast<char32_t>(ch) >> 16) != 0 ? 2 : 1;
    return units;
}
