// The last-sync state's hashes and its file text.
#include "store/sync/SyncState.h"

#include "store/format/Fnv64.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

constexpr char kStateHeader[] = "Quillbox sync state 1\n";

// 64-bit FNV-1a over the characters, each as four bytes, so the hash does
// not depend on how wide wchar_t is for characters of the BMP.
class Fnv {
public:
    Fnv& Add(const CString& text)
    {
        // A character below 0x10000 has two zero bytes on top: their two
        // steps are one multiplication by the prime's cube, the same value.
        SyncHash value = m_value;
        for (wchar_t ch : text.str()) {
            const unsigned long unit = static_cast<unsigned long>(ch);
            if (unit > 0xFFFF) {
                m_value = value;
                AddUnit(unit);
                value = m_value;
                continue;
            }
            value = ((value ^ (unit & 0xFF)) * kPrime ^ (unit >> 8)) * kPrimeCubed;
        }
        m_value = value;
        return AddUnit(0xFFFFFFFFul);  // no character: ends the text, so ("ab","c") and ("a","bc") differ
    }
    Fnv& AddUnit(unsigned long unit)
    {
        CFnv64 bytes(m_value);
        for (int i = 0; i < 4; ++i) bytes.AddByte(static_cast<unsigned char>((unit >> (8 * i)) & 0xFF));
        m_value = bytes.Value();
        return *this;
    }
    SyncHash Value() const { return m_value; }

private:
    static constexpr SyncHash kPrime = CFnv64::kPrime;
    static constexpr SyncHash kPrimeCubed = kPrime * kPrime * kPrime;
    SyncHash m_value = CFnv64::kOffsetBasis;
};

void AppendLine(std::string& text, char kind, SyncHash key, SyncHash value)
{
    char line[48];
    std::snprintf(line, sizeof line, "%c %016llx %016llx\n", kind, key, value);
    text += line;
}

} // namespace

SyncHash HashNotePlace(const CString& group, const CString& title, int rank)
{
    return Fnv().Add(group).Add(title).AddUnit(static_cast<unsigned long>(rank)).Value();
}

SyncHash HashNoteTexts(const NoteFileFields& note)
{
    return Fnv().AddUnit(note.hasComments ? 1 : 0).Add(note.comments).Add(WithLfLineEnds(note.query)).Value();
}

SyncHash HashNoteTextsAsStored(const NoteFileFields& note)
{
    return Fnv().AddUnit(note.hasComments ? 1 : 0).Add(note.comments).Add(note.query).Value();
}

SyncHash HashGroupName(const CString& key)
{
    return Fnv().AddUnit(2).Add(key).Value();
}

SyncHash HashGroupFields(const GroupFileFields& group)
{
    return Fnv().Add(group.name).AddUnit(group.hasDescription ? 1 : 0).Add(group.description).Value();
}

CString SyncStateFileName(const CString& folderPath)
{
    CString key = folderPath;
    key.MakeLower();
    wchar_t name[32];
    std::swprintf(name, 32, L"%016llx.state", Fnv().Add(key).Value());
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
