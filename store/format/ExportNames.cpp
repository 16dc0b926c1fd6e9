// Safe, unique and stable names for the export's files and folders.
#include "store/format/ExportNames.h"

#include "framework/CaseFold.h"

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

} // namespace

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
