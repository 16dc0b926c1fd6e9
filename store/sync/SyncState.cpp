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
