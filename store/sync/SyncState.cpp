// The last-sync state's hashes and its file text.
#include "store/sync/SyncState.h"

#include "store/format/Fnv64.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

constexpr char kStateHeader[] = "Quillbox sync state 1\n";

void AppendLine(std::string& text, char kind, SyncHash key, SyncHash value)
{
    char line[48];
    std::snprintf(line, sizeof line, "%c %016llx %016llx\n", kind, key, value);
    text += line;
}

// Printable ASCII but '%' as it is, every other UTF-16 unit as "%hhhh":
// the memory travels as ASCII and a tab never occurs inside a field.
void AppendEscaped(std::string& text, const CString& field)
{
    for (wchar_t ch : field.str()) {
        const unsigned long unit = static_cast<unsigned long>(ch);
        if (unit >= 0x20 && unit < 0x7F && ch != L'%') {
            text.push_back(static_cast<char>(unit));
            continue;
        }
        char escaped[32];
        if (unit > 0xFFFF) {
            const unsigned long value = unit - 0x10000;
            std::snprintf(escaped, sizeof escaped, "%%%04lx%%%04lx", 0xD800 + (value >> 10), 0xDC00 + (value & 0x3FF));
        } else {
            std::snprintf(escaped, sizeof escaped, "%%%04lx", unit);
        }
        text += escaped;
    }
}

bool ParseEscaped(const std::string& text, CString& field)
{
    std::wstring wide;
    std::u16string units;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '%') {
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(text[at])));
            continue;
        }
        unsigned int unit = 0;
        if (at + 4 >= text.size() || std::sscanf(text.substr(at + 1, 4).c_str(), "%4x", &unit) != 1) return false;
        units.push_back(static_cast<char16_t>(unit));
        at += 4;
    }
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (sizeof(wchar_t) > 2 && unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            wide.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
            ++i;
        } else {
            wide.push_back(static_cast<wchar_t>(unit));
        }
    }
    field = CString(std::move(wide));
    return true;
}

void AppendFileLine(std::string& text, const std::wstring& path, const SyncFileEntry& entry)
{
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "f %llx %016llx %016llx %016llx\t", static_cast<unsigned long long>(entry.size),
                  entry.writeTime, entry.texts, entry.storedTexts);
    text += numbers;
    AppendEscaped(text, CString(path));
    text.push_back('\t');
    AppendEscaped(text, entry.group);
    text.push_back('\t');
    AppendEscaped(text, entry.title);
    text.push_back('\n');
}

bool ParseFileLine(const std::string& line, SyncState& state)
{
    const size_t first = line.find('\t');
    const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
    const size_t third = second == std::string::npos ? second : line.find('\t', second + 1);
    if (third == std::string::npos) return false;
    unsigned long long size = 0;
    SyncFileEntry entry;
    CString path;
    if (std::sscanf(line.substr(0, first).c_str(), "f %llx %16llx %16llx %16llx", &size, &entry.writeTime, &entry.texts,
                    &entry.storedTexts) != 4 ||
        !ParseEscaped(line.substr(first + 1, second - first - 1), path) ||
        !ParseEscaped(line.substr(second + 1, third - second - 1), entry.group) || !ParseEscaped(line.substr(third + 1), entry.title))
        return false;
    entry.size = static_cast<long long>(size);
    state.files[path.str()] = entry;
    return true;
}

} // namespace

SyncHash HashNotePlace(const CString& group, const CString& title, int rank)
{
    return CTextFnv().Add(group).Add(title).AddUnit(static_cast<unsigned long>(rank)).Value();
}

SyncHash HashNoteTextsAsStored(const NoteFileFields& note)
{
    return CTextFnv().AddUnit(note.hasComments ? 1 : 0).Add(note.comments).Add(note.query).Value();
}

SyncHash HashGroupName(const CString& key)
{
    return CTextFnv().AddUnit(2).Add(key).Value();
}

SyncHash HashGroupFields(const GroupFileFields& group)
{
    return CTextFnv().Add(group.name).AddUnit(group.hasDescription ? 1 : 0).Add(group.description).Value();
}

CString SyncStateFileName(const CString& folderPath)
{
    CString key = folderPath;
    key.MakeLower();
    wchar_t name[32];
    std::swprintf(name, 32, L"%016llx.state", CTextFnv().Add(key).Value());
    return name;
}

std::string ComposeSyncState(const SyncState& state)
{
    std::string text = kStateHeader;
    text.reserve(text.size() + 35 * (state.notes.size() + state.groups.size()));
    for (const auto& group : state.groups) AppendLine(text, 'g', group.first, group.second);
    for (const auto& note : state.notes) AppendLine(text, 'n', note.first, note.second);
    for (const auto& file : state.files) AppendFileLine(text, file.first, file.second);
    return text;
}

bool ParseSyncState(const std::string& bytes, SyncState& state)
{
    state = SyncState();
    const size_t headerLength = std::strlen(kStateHeader);
    if (bytes.compare(0, headerLength, kStateHeader) != 0) return false;
    size_t at = headerLength;
    while (at < bytes.size()) {
        const size_t end = bytes.find('\n', at);
        if (end != std::string::npos && bytes[at] == 'f') {
            if (!ParseFileLine(bytes.substr(at, end - at), state)) return state = SyncState(), false;
            at = end + 1;
            continue;
        }
        if (end == std::string::npos || end - at != 35) return state = SyncState(), false;
        char kind = 0;
        SyncHash key = 0, value = 0;
        const std::string line = bytes.substr(at, end - at);
        if (std::sscanf(line.c_str(), "%c %16llx %16llx", &kind, &key, &value) != 3 || (kind != 'n' && kind != 'g'))
            return state = SyncState(), false;
        (kind == 'n' ? state.notes : state.groups)[key] = value;
        at = end + 1;
    }
    return true;
}
