// Decoding a note file's bytes.
#include "store/format/NoteFileText.h"

#include "store/format/Utf8Text.h"

namespace {

bool HasPrefix(const std::string& bytes, const char* prefix, size_t length)
{
    return bytes.size() >= length && bytes.compare(0, length, prefix, length) == 0;
}

bool DecodeUtf16(const std::string& bytes, bool bigEndian, CString& text)
{
    if (bytes.size() % 2 != 0) return false;
    std::u16string units;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    }
    std::wstring wide;
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t cp = units[i];
        if (sizeof(wchar_t) == 4 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
        }
        wide += static_cast<wchar_t>(cp);
    }
    text = CString(std::move(wide));
    return true;
}

} // namespace

TextDecodeResult DecodeFileText(const std::string& bytes, const AnsiDecoder& ansi, CString& text)
{
    bool decoded;
    if (HasPrefix(bytes, "\xEF\xBB\xBF", 3)) decoded = FromUtf8(bytes.substr(3), text);
    else if (HasPrefix(bytes, "\xFF\xFE", 2)) decoded = DecodeUtf16(bytes, false, text);
    else if (HasPrefix(bytes, "\xFE\xFF", 2)) decoded = DecodeUtf16(bytes, true, text);
    else {
        decoded = FromUtf8(bytes, text);
        if (!decoded && ansi) {
            text = ansi(bytes);
            decoded = text.GetLength() > 0 || bytes.empty();
        }
    }
    if (!decoded || text.str().find(L'\0') != std::wstring::npos) {
        text = CString();
        return TextDecodeResult::NotText;
    }
    return TextDecodeResult::Text;
}
