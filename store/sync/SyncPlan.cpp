// Planning a sync: a three-way comparison of each note and group.
#include "store/sync/SyncPlan.h"

#include "store/format/ExportNames.h"
#include "store/records/NoteRecord.h"
#include "store/format/Utf8Text.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <set>
#include <tuple>

namespace {

struct Place {
    std::wstring group, title;
    bool operator<(const Place& other) const { return std::tie(group, title) < std::tie(other.group, other.title); }
};

// Notes by their place hash: several notes of one group and title are
// ranked by their texts, so both sides rank the same notes alike.
std::map<SyncHash, const SyncNoteEntry*> ByPlace(const std::vector<SyncNoteEntry>& notes)
{
    std::vector<const SyncNoteEntry*> sorted;
    sorted.reserve(notes.size());
    for (const SyncNoteEntry& note : notes) sorted.push_back(&note);
    std::sort(sorted.begin(), sorted.end(), [](const SyncNoteEntry* a, const SyncNoteEntry* b) {
        return std::tie(a->group.str(), a->title.str(), a->texts) < std::tie(b->group.str(), b->title.str(), b->texts);
    });
    std::map<SyncHash, const SyncNoteEntry*> byPlace;
    for (size_t i = 0; i < sorted.size(); ++i) {
        int rank = 0;
        for (size_t j = i; j > 0 && sorted[j - 1]->group == sorted[i]->group && sorted[j - 1]->title == sorted[i]->title; --j) ++rank;
        byPlace[HashNotePlace(sorted[i]->group, sorted[i]->title, rank)] = sorted[i];
    }
    return byPlace;
}

// "group\title", or "title" in group 0: how the summary names a note.
CString NoteName(const CString& group, const CString& title)
{
    return group.IsEmpty() ? title : group + L"\\" + title;
}

void Count(SyncCounts& counts, bool before, bool after, bool same)
{
    if (!before && after) ++counts.added;
    else if (before && !after) ++counts.deleted;
    else if (before && after && !same) ++counts.changed;
}

class SyncPlanner {
public:
    SyncPlanner(const SyncState* base, const SyncHeldBack& held) : m_base(base), m_held(held)
    {
        // A held note's place, whatever its rank among notes of one title.
        for (const HiddenNote& note : held.notes)
            for (int rank = 0; rank < 4; ++rank)
                m_heldPlaces.emplace(HashNotePlace(note.group, note.title, rank), NoteName(note.group, note.title));
    }

    SyncPlan Plan(const std::vector<SyncNoteEntry>& database, const std::vector<SyncNoteEntry>& folder,
                  const std::vector<SyncGroupEntry>& databaseGroups, const std::vector<SyncGroupEntry>& folderGroups)
    {
        HoldByFileName(database);
        const auto inDatabase = ByPlace(database);
        const auto inFolder = ByPlace(folder);
        m_database = &database;
        m_folder = &folder;

        std::set<SyncHash> places;
        for (const auto& entry : inDatabase) places.insert(entry.first);
        for (const auto& entry : inFolder) places.insert(entry.first);
        if (m_base) {
            FindMoves(inDatabase, inFolder, true);
            FindMoves(inFolder, inDatabase, false);
        }
        for (const Move& move : m_moves) PlanMove(move);
        for (SyncHash place : places) {
            if (m_moved.count(place)) continue;
            auto d = inDatabase.find(place);
            auto f = inFolder.find(place);
            PlanNote(place, d == inDatabase.end() ? nullptr : d->second, f == inFolder.end() ? nullptr : f->second);
        }
        // A held note that both sides lack, deleted on one while its file could not be read.
        for (const auto& held : m_heldPlaces)
            if (!places.count(held.first) && m_base && m_base->notes.count(held.first)) HeldBack(held.first, nullptr, nullptr);
        // A group's folder that cannot be read may hold any note the last sync knew and both sides now lack.
        if (m_base && !m_held.groupNotes.empty())
            for (const auto& known : m_base->notes)
                if (!places.count(known.first) && !m_heldPlaces.count(known.first)) m_heldHere.push_back(known.first);
        PlanGroups(databaseGroups, folderGroups);
        for (const auto& target : m_targets) AddToState(target);
        m_plan.state.notes = ByPlaceHashes();
        for (SyncHash place : m_heldHere) KeepBase(m_plan.state.notes, place);
        return std::move(m_plan);
    }

private:
    struct Target {
        CString group, title;
        SyncHash texts;
    };

    // A note one side moved (retitled, to another group, in a renamed
    // group): gone from its place there, while the other side still holds
    // it, and a note the other side does not hold and the last sync did not
    // know appears there with the texts it had at the last sync, or has on
    // the other side now.
    struct Move {
        SyncHash from, to;
        bool byDatabase;
        const SyncNoteEntry* mover;   // the moving side's note, at `to`
        const SyncNoteEntry* stayer;  // the other side's, at `from`
    };

    void FindMoves(const std::map<SyncHash, const SyncNoteEntry*>& side, const std::map<SyncHash, const SyncNoteEntry*>& other,
                   bool byDatabase)
    {
        std::multimap<SyncHash, std::pair<SyncHash, const SyncNoteEntry*>> arrivals;  // by texts
        for (const auto& entry : side)
            if (!other.count(entry.first) && !m_base->notes.count(entry.first) && !m_heldPlaces.count(entry.first))
                arrivals.emplace(entry.second->texts, entry);
        if (arrivals.empty()) return;
        for (const auto& known : m_base->notes) {
            auto stays = other.find(known.first);
            if (side.count(known.first) || stays == other.end() || m_heldPlaces.count(known.first) || m_moved.count(known.first)) continue;
            for (SyncHash texts : {known.second, stays->second->texts}) {
                auto arrival = arrivals.find(texts);
                if (arrival == arrivals.end()) continue;
                m_moves.push_back({known.first, arrival->second.first, byDatabase, arrival->second.second, stays->second});
                m_moved.insert(known.first);
                m_moved.insert(arrival->second.first);
                arrivals.erase(arrival);
                break;
            }
        }
    }

    // One note at the mover's place with the other side's texts: the
    // mover's are the last sync's, or already the same.
    void PlanMove(const Move& move)
    {
        const SyncNoteEntry* d = move.byDatabase ? move.mover : move.stayer;
        const SyncNoteEntry* f = move.byDatabase ? move.stayer : move.mover;
        const SyncNoteEntry& at = *move.mover;
        const bool same = d->texts == f->texts;
        if (!move.byDatabase || !same) {
            SyncNoteStep step{SyncAction::Change, d->index, f->index, at.group, at.title, move.to};
            step.fromPlace = move.byDatabase ? 0 : move.from;
            step.keepTexts = !move.byDatabase;
            m_plan.notes.push_back(step);
            ++m_plan.databaseNotes.changed;
        }
        if (move.byDatabase || !same) {
            SyncFileStep step{SyncAction::Change, f->index, true, d->index, at.group, at.title, move.to, true, f->texts};
            step.folderPlace = move.byDatabase ? move.from : 0;
            m_plan.files.push_back(step);
            ++m_plan.folderNotes.changed;
        }
        m_targets.push_back({at.group, at.title, move.stayer->texts});
    }

    bool SameAsBase(const std::map<SyncHash, SyncHash>& known, SyncHash key, bool present, SyncHash value) const
    {
        if (!m_base) return !present;
        auto it = known.find(key);
        return it == known.end() ? !present : present && it->second == value;
    }

    // A note as the base holds it; a memory written before line ends were
    // no change holds the hash of a query with a CR as it was stored.
    bool NoteAsBase(SyncHash place, const SyncNoteEntry* note) const
    {
        const std::map<SyncHash, SyncHash>& known = m_base ? m_base->notes : m_none;
        return SameAsBase(known, place, note != nullptr, note ? note->texts : 0) ||
               (note && note->storedTexts != 0 && SameAsBase(known, place, true, note->storedTexts));
    }

    void KeepBase(std::map<SyncHash, SyncHash>& state, SyncHash key) const
    {
        auto it = m_base ? m_base->notes.find(key) : m_none.end();
        if (m_base && it != m_base->notes.end()) state[key] = it->second;
        else state.erase(key);
    }

    // A file known by its name alone holds the database note whose file has
    // that name, whether the title's own name or one an older version gave.
    void HoldByFileName(const std::vector<SyncNoteEntry>& database)
    {
        std::set<std::pair<std::wstring, std::wstring>> stems;
        for (const HiddenNote& note : m_held.notes)
            if (!note.fileStem.IsEmpty()) stems.insert({note.group.str(), FileNameKey(note.fileStem)});
        if (stems.empty()) return;
        for (const SyncNoteEntry& note : database) {
            if (!stems.count({note.group.str(), FileNameKey(NoteFileStem(note.title))}) &&
                !stems.count({note.group.str(), FileNameKey(SafeFileStem(note.title, kNoteFileStemLimit))}))
                continue;
            for (int rank = 0; rank < 4; ++rank)
                m_heldPlaces.emplace(HashNotePlace(note.group, note.title, rank), NoteName(note.group, note.title));
        }
    }

    // A note a file the sync could not read may hold: nothing changes for
    // it on either side; its database row keeps its group.
    bool HeldBack(SyncHash place, const SyncNoteEntry* d, const SyncNoteEntry* f)
    {
        auto named = m_heldPlaces.find(place);
        const SyncNoteEntry* any = d ? d : f;
        const bool wholeGroup = any && m_held.groupNotes.count(any->group.str());
        if (named == m_heldPlaces.end() && !wholeGroup) return false;
        m_heldHere.push_back(place);
        if (d) m_heldGroups.insert(d->group.str());
        const bool known = m_base && m_base->notes.count(place);
        if (d || known) m_plan.heldBack.push_back(named != m_heldPlaces.end() ? named->second : NoteName(any->group, any->title));
        return true;
    }

    void PlanNote(SyncHash place, const SyncNoteEntry* d, const SyncNoteEntry* f)
    {
        if (HeldBack(place, d, f)) return;
        const SyncNoteEntry* target = nullptr;
        if (d && f && d->texts == f->texts) {
            ++m_plan.unchanged;
            target = d;
        } else if (NoteAsBase(place, d)) {
            target = f;  // only the folder changed it: added, changed or deleted there
        } else if (NoteAsBase(place, f)) {
            target = d;
        } else if (!d || !f) {
            target = d ? d : f;  // deleted on one side, changed on the other: the change stays
            // Named: it may be a note moved and edited on the side that lost it, which is now there twice.
            m_plan.keptChanges.push_back(NoteName(target->group, target->title));
        } else {
            target = d;
            Conflict(*f);
        }
        if (target == f && f && (!d || d->texts != f->texts))
            m_plan.notes.push_back({d ? SyncAction::Change : SyncAction::Add, d ? d->index : 0, f->index, f->group, f->title, place});
        if (!target && d) m_plan.notes.push_back({SyncAction::Delete, d->index, 0, d->group, d->title, place});
        if (target == d && d && (!f || f->texts != d->texts))
            m_plan.files.push_back({f ? SyncAction::Change : SyncAction::Add, f ? f->index : 0, true, d->index, d->group, d->title, place,
                                    f != nullptr, f ? f->texts : 0});
        if (!target && f) m_plan.files.push_back({SyncAction::Delete, f->index, true, 0, f->group, f->title, place, true, f->texts});
        Count(m_plan.databaseNotes, d != nullptr, target != nullptr, target == d || (target && d && target->texts == d->texts));
        Count(m_plan.folderNotes, f != nullptr, target != nullptr, target == f || (target && f && target->texts == f->texts));
        if (target) m_targets.push_back({target->group, target->title, target->texts});
    }

    // Both versions stay: the database's in its place, the folder's under a
    // free conflict title on both sides. A copy an earlier, interrupted sync
    // already made in the database counts: then nothing is copied again.
    void Conflict(const SyncNoteEntry& f)
    {
        // Built at the first conflict: most syncs have none.
        if (m_taken.empty()) {
            for (const SyncNoteEntry& note : *m_database) {
                m_taken.insert({note.group.str(), note.title.str()});
                m_databaseTexts.insert({note.group.str(), note.title.str(), note.texts});
            }
            for (const SyncNoteEntry& note : *m_folder) m_taken.insert({note.group.str(), note.title.str()});
        }
        for (int n = 1;; ++n) {
            const CString title = ConflictTitle(f.title, n);
            const Place place{f.group.str(), title.str()};
            if (m_databaseTexts.count({f.group.str(), title.str(), f.texts})) return;
            if (m_taken.count(place)) continue;
            m_taken.insert(place);
            const SyncHash copyPlace = HashNotePlace(f.group, title, 0);
            m_plan.conflicts.push_back({false, f.group, f.title, title});
            m_plan.notes.push_back({SyncAction::Add, 0, f.index, f.group, title, copyPlace});
            m_plan.files.push_back({SyncAction::Add, 0, false, f.index, f.group, title, copyPlace, false, 0});
            ++m_plan.databaseNotes.added;
            ++m_plan.folderNotes.added;
            m_targets.push_back({f.group, title, f.texts});
            return;
        }
    }

    void PlanGroups(const std::vector<SyncGroupEntry>& databaseGroups, const std::vector<SyncGroupEntry>& folderGroups)
    {
        std::map<std::wstring, const SyncGroupEntry*> inDatabase, inFolder;
        for (const SyncGroupEntry& group : databaseGroups) inDatabase.emplace(group.key.str(), &group);
        for (const SyncGroupEntry& group : folderGroups) inFolder.emplace(group.key.str(), &group);
        std::set<std::wstring> keys, needed{std::wstring()};
        for (const auto& entry : inDatabase) keys.insert(entry.first);
        for (const auto& entry : inFolder) keys.insert(entry.first);
        for (const Target& target : m_targets) needed.insert(target.group.str());
        std::set<std::wstring> names(keys);
        const SyncHash plainNone = HashGroupFields(NoneGroupFields());
        for (const std::wstring& key : keys) {
            auto di = inDatabase.find(key);
            auto fi = inFolder.find(key);
            const SyncGroupEntry* d = di == inDatabase.end() ? nullptr : di->second;
            const SyncGroupEntry* f = fi == inFolder.end() ? nullptr : fi->second;
            const SyncHash name = HashGroupName(key);
            // A group file the sync could not read: the group stays as the database has it.
            if (d && m_held.groups.count(key)) {
                KeepBaseGroup(name);
                if (key.empty()) m_plan.none = d->fields;
                continue;
            }
            // A group the folder shows by its notes alone has whatever
            // description the database gives it; its group file is written.
            SyncGroupEntry described;
            const bool fileMissing = f && !f->hasFile && !key.empty();
            if (fileMissing && d) {
                described = *d;
                f = &described;
            }
            const SyncHash dh = d ? HashGroupFields(d->fields) : 0, fh = f ? HashGroupFields(f->fields) : 0;
            const std::map<SyncHash, SyncHash>& known = m_base ? m_base->groups : m_none;
            const SyncGroupEntry* target = nullptr;
            if (d && f && dh == fh) target = d;
            else if (SameAsBase(known, name, d != nullptr, dh)) target = f;
            else if (SameAsBase(known, name, f != nullptr, fh)) target = d;
            else if (!d || !f) target = d ? d : f;
            // A first sync: group 0 as a side holds it by default (a folder
            // without its group file, say) takes the other side's.
            else if (!m_base && key.empty() && (dh == plainNone || fh == plainNone)) target = dh == plainNone ? f : d;
            else {
                target = d;
                GroupConflict(*f, names, inDatabase);
            }
            // A group with notes left stays, whichever side let it go.
            if (!target && needed.count(key)) target = d ? d : f;
            // Kept only for notes held back: nothing is written for it meanwhile.
            if (!target && d && m_heldGroups.count(key)) {
                KeepBaseGroup(name);
                continue;
            }
            const SyncHash th = target ? HashGroupFields(target->fields) : 0;
            const bool folderSame = f && fh == th && !fileMissing;
            if (target && (!d || dh != th)) m_plan.groups.push_back({d ? SyncAction::Change : SyncAction::Add, key, target->fields});
            if (!target && d) m_plan.groups.push_back({SyncAction::Delete, key, GroupFileFields()});
            if (target && !folderSame)
                m_plan.groupFolders.push_back({f ? SyncAction::Change : SyncAction::Add, key, target->fields, f != nullptr && !fileMissing, fh});
            if (!target && f) m_plan.groupFolders.push_back({SyncAction::Delete, key, GroupFileFields(), !fileMissing, fh});
            if (target && key.empty()) m_plan.none = target->fields;
            Count(m_plan.databaseGroups, d != nullptr, target != nullptr, d && th == dh);
            Count(m_plan.folderGroups, f != nullptr, target != nullptr, folderSame);
            if (target) m_plan.state.groups[name] = th;
        }
    }

    void KeepBaseGroup(SyncHash name)
    {
        auto it = m_base ? m_base->groups.find(name) : m_none.end();
        if (m_base && it != m_base->groups.end()) m_plan.state.groups[name] = it->second;
    }

    // The folder's description is kept on a new group of its own, unless an
    // earlier, interrupted sync already made that group in the database.
    void GroupConflict(const SyncGroupEntry& f, std::set<std::wstring>& names,
                       const std::map<std::wstring, const SyncGroupEntry*>& inDatabase)
    {
        for (int n = 1;; ++n) {
            GroupFileFields copy = f.fields;
            copy.name = ConflictTitle(f.fields.name, n);
            auto made = inDatabase.find(copy.name.str());
            if (made != inDatabase.end() && HashGroupFields(made->second->fields) == HashGroupFields(copy)) return;
            if (!names.insert(copy.name.str()).second) continue;
            m_plan.conflicts.push_back({true, f.key, CString(), copy.name});
            m_plan.groups.push_back({SyncAction::Add, copy.name, copy});
            m_plan.groupFolders.push_back({SyncAction::Add, copy.name, copy});
            ++m_plan.databaseGroups.added;
            ++m_plan.folderGroups.added;
            m_plan.state.groups[HashGroupName(copy.name)] = HashGroupFields(copy);
            return;
        }
    }

    void AddToState(const Target& target) { m_stateNotes.push_back({target.group, target.title, target.texts, 0}); }

    std::map<SyncHash, SyncHash> ByPlaceHashes() const
    {
        std::map<SyncHash, SyncHash> hashes;
        for (const auto& entry : ByPlace(m_stateNotes)) hashes[entry.first] = entry.second->texts;
        return hashes;
    }

    const SyncState* m_base;
    const SyncHeldBack& m_held;
    std::map<SyncHash, CString> m_heldPlaces;  // place -> "group\\title"
    std::vector<SyncHash> m_heldHere;          // held places either side or the base holds
    std::vector<Move> m_moves;
    std::set<SyncHash> m_moved;                // both places of every move
    std::set<std::wstring> m_heldGroups;       // groups of held database notes
    const std::map<SyncHash, SyncHash> m_none;
    const std::vector<SyncNoteEntry>* m_database = nullptr;
    const std::vector<SyncNoteEntry>* m_folder = nullptr;
    std::set<Place> m_taken;  // every place either side holds or a copy took
    std::set<std::tuple<std::wstring, std::wstring, SyncHash>> m_databaseTexts;
    std::vector<Target> m_targets;
    std::vector<SyncNoteEntry> m_stateNotes;
    SyncPlan m_plan;
};

} // namespace

CString ConflictTitle(const CString& title, int n)
{
    wchar_t suffix[32];
    std::swprintf(suffix, 32, L" (conflict %d)", n);
    CString kept = title;
    const int room = kTextColumnLimit - Utf16Length(CString(suffix));
    while (Utf16Length(kept) > room) {
        kept = kept.Left(kept.GetLength() - 1);
        // Never half a surrogate pair.
        if (!kept.IsEmpty() && kept.GetAt(kept.GetLength() - 1) >= 0xD800 && kept.GetAt(kept.GetLength() - 1) <= 0xDBFF)
            kept = kept.Left(kept.GetLength() - 1);
    }
    return kept + suffix;
}

SyncState SyncPlan::PendingState() const
{
    SyncState pending = state;
    for (const SyncFileStep& step : files) {
        if (step.folderPlace) pending.notes.erase(step.place);
        if (step.folderHad) pending.notes[step.folderPlace ? step.folderPlace : step.place] = step.folderTexts;
        else pending.notes.erase(step.place);
    }
    for (const SyncGroupStep& step : groupFolders) {
        const SyncHash name = HashGroupName(step.key);
        if (step.folderHad) pending.groups[name] = step.folderFields;
        else pending.groups.erase(name);
    }
    return pending;
}

bool IsMassDeletion(int deleted, int held)
{
    return deleted > 0 && (deleted >= held || (deleted * 5 > held && deleted > 20));
}

SyncPlan PlanSync(const SyncState* base, const std::vector<SyncNoteEntry>& database, const std::vector<SyncNoteEntry>& folder,
                  const std::vector<SyncGroupEntry>& databaseGroups, const std::vector<SyncGroupEntry>& folderGroups,
                  const SyncHeldBack& held)
{
    return SyncPlanner(base, held).Plan(database, folder, databaseGroups, folderGroups);
}
