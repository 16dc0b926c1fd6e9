// Safe, unique and stable names for the export's files and folders.
#include "store/format/ExportNames.h"

#include "framework/CaseFold.h"
#include "store/format/Fnv64.h"

#include <algorithm>

#include <cwchar>
#include <cwctype>

namespace {

bool IsForbidden(wchar_t ch)
{
    return ch < 0x20 || ch == 0x7F || std::wcschr(L"\\/:*?\"<>|", ch) != nullptr;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name a device whatever follows a dot.
bool IsDeviceName(const std::wstring& stem)
{
    std::wstring base = stem.substr(0, stem.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.pop_back();
    for (wchar_t& ch : base) ch = static_cast<wchar_t>(std::towupper(ch));
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL") return true;
    return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
           base[3] >= L'1' && base[3] <= L'9';
}

bool IsHighSurrogate(wchar_t ch) { return sizeof(wchar_t) == 2 && ch >= 0xD800 && ch <= 0xDBFF; }

// A character that takes two UTF-16 units, where wchar_t holds it whole.
template <size_t WideBytes = sizeof(wchar_t)>
bool IsOutsideBmp(wchar_t ch)
{
    if constexpr (WideBytes == 4) return static_cast<unsigned long>(ch) >= 0x10000;
    else return false;
}

// Cuts to at most limit UTF-16 units, keeping surrogate pairs whole.
void CutToLimit(std::wstring& text, int limit)
{
    int units = 0;
    size_t keep = 0;
    while (keep < text.size()) {
        const bool pair = IsHighSurrogate(text[keep]) && keep + 1 < text.size();
        const int width = (pair || IsOutsideBmp(text[keep])) ? 2 : 1;
        if (units + width > limit) break;
        units += width;
        keep += pair ? 2 : 1;
    }
    text.resize(keep);
}

void MendEnd(std::wstring& text)
{
    if (!text.empty() && (text.back() == L'.' || text.back() == L' ')) text.back() = L'_';
}

constexpr int kMarkLength = 10;  // " ~" and eight hex digits

CString Mark(unsigned long long value)
{
    wchar_t mark[16];
    std::swprintf(mark, 16, L" ~%08llx", value & 0xFFFFFFFFull);
    return mark;
}

// The first character a capital (or one without capitals: a digit, a
// sign), every other one its own lower case.
bool IsSentenceCase(const std::wstring& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned long ch = static_cast<unsigned long>(text[i]);
        const bool lower = FoldToLower(ch) == ch;
        if (i > 0 && !lower) return false;
        if (i == 0 && lower && (ch >= 0x80 || (ch >= L'a' && ch <= L'z'))) return false;
    }
    return true;
}

// A title that ends as a mark does: marked too, so it never takes another title's name.
bool EndsLikeAMark(const std::wstring& text)
{
    if (text.size() < kMarkLength || text.compare(text.size() - kMarkLength, 2, L" ~") != 0) return false;
    return std::all_of(text.end() - 8, text.end(), [](wchar_t ch) { return std::iswxdigit(ch) != 0; });
}

unsigned long long HashOfSpelling(const std::wstring& text)
{
    CFnv64 hash;
    for (wchar_t ch : text)
        for (int i = 0; i < 4; ++i) hash.AddByte(static_cast<unsigned char>((static_cast<unsigned long>(ch) >> (8 * i)) & 0xFF));
    return hash.Value();
}

} // namespace

CString NoteFileStem(const CString& title)
{
    const CString safe = SafeFileStem(title, kNoteFileStemLimit);
    if (safe == title && IsSentenceCase(title.str()) && !EndsLikeAMark(title.str())) return safe;
    return SafeFileStem(title, kNoteFileStemLimit - kMarkLength) + Mark(HashOfSpelling(title.str()));
}

CString TwinNoteFileStem(const CString& title, unsigned long long texts)
{
    wchar_t mark[24];
    std::swprintf(mark, 24, L" (%06llx)", texts & 0xFFFFFFull);
    return NoteFileStem(title) + mark;
}

CString TitleOfNoteFileName(const CString& fileName)
{
    std::wstring stem = fileName.str();
    const size_t dot = stem.rfind(L'.');
    if (dot != std::wstring::npos) stem.resize(dot);
    // A twin's mark or a number, then a title's mark.
    const size_t open = stem.rfind(L" (");
    if (open != std::wstring::npos && stem.back() == L')' &&
        std::all_of(stem.begin() + static_cast<std::ptrdiff_t>(open) + 2, stem.end() - 1, [](wchar_t ch) { return std::iswxdigit(ch) != 0; }))
        stem.resize(open);
    if (EndsLikeAMark(stem)) stem.resize(stem.size() - kMarkLength);
    return CString(std::move(stem));
}

CString SafeFileStem(const CString& name, int limit)
{
    std::wstring stem;
    for (wchar_t ch : name.str()) stem += IsForbidden(ch) ? L'_' : ch;
    if (IsDeviceName(stem)) stem.insert(stem.begin(), L'_');
    if (!stem.empty() && stem.front() == L'.') stem.front() = L'_';
    CutToLimit(stem, limit);
    MendEnd(stem);
    if (stem.empty()) stem = L"_";
    return CString(std::move(stem));
}

bool IsDotName(const CString& name)
{
    return !name.IsEmpty() && name[0] == L'.';
}

std::wstring FileNameKey(const CString& name)
{
    std::wstring key = name.str();
    for (wchar_t& ch : key) ch = static_cast<wchar_t>(FoldToLower(static_cast<unsigned long>(ch)));
    return key;
}

bool HasExtension(const CString& name, const wchar_t* extension)
{
    const std::wstring key = FileNameKey(name), tail = FileNameKey(extension);
    return key.size() > tail.size() && key.compare(key.size() - tail.size(), tail.size(), tail) == 0;
}

CString FolderNames::TakeFree(const CString& stem, const wchar_t* extension)
{
    CString name = stem + extension;
    for (int n = 2; IsTaken(name); ++n) {
        wchar_t suffix[24];
        std::swprintf(suffix, 24, L" (%d)", n);
        name = stem + suffix + extension;
    }
    Take(name);
    return name;
}

CString TakeNewNoteFileName(FolderNames& names, const NoteFileFields& fields)
{
    CString name = NoteFileStem(fields.title) + kNoteFileExtension;
    if (names.IsTaken(name)) name = TwinNoteFileStem(fields.title, HashNoteTexts(fields)) + kNoteFileExtension;
    if (!names.IsTaken(name)) {
        names.Take(name);
        return name;
    }
    return names.TakeFree(NoteFileStem(fields.title), kNoteFileExtension);
}
