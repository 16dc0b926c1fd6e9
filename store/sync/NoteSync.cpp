// Sync through the database connection and the file system.
#include "store/sync/NoteSync.h"

#include "store/exchange/ExchangeSql.h"
#include "store/exchange/ExchangeSteps.h"
#include "store/records/RecordFields.h"
#include "store/format/ExportNames.h"
#include "store/format/NoteFileText.h"
#include "store/exchange/ExportPlan.h"
#include "store/exchange/NoteFolderFiles.h"
#include "store/records/NoteSql.h"
#include "store/sync/FolderIdentity.h"
#include "store/sync/SyncFolderWriter.h"
#include "store/sync/SyncSummary.h"
#include "framework/CDBException.h"
#include "framework/CDBVariant.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"
#include "framework/ThrownException.h"

#include <windows.h>

#include <algorithm>
#include <set>

namespace {

constexpr long long kStateFileLimit = 16LL * 1024 * 1024;

bool IsValidId(int id) { return id >= 0 && id <= kLastNumber; }

// The hash an older memory holds for a query with a CR, else 0.
SyncHash StoredTextsHash(const NoteFileFields& fields)
{
    return fields.query.str().find(L'\r') == std::wstring::npos ? 0 : HashNoteTextsAsStored(fields);
}

// The database side: groups whole (they are few), notes as their place and a
// hash of their texts, so a large library's texts are not held.
void ReadDatabaseSide(CDatabase& database, NoteSync& sync, std::vector<SyncGroupEntry>& groups, std::vector<SyncNoteEntry>& notes)
{
    sync.usedGroupIds.assign(kLastNumber + 1, false);
    sync.usedNoteIds.assign(kLastNumber + 1, false);
    std::map<int, CString> keyOf;
    CRecordset groupRows(&database);
    groupRows.Open(CRecordset::forwardOnly, kExportGroupsStatement, CRecordset::executeDirect);
    std::map<std::wstring, SyncGroupEntry> byKey;
    for (; !groupRows.IsEOF(); groupRows.MoveNext()) {
        const int id = FieldInt(groupRows, 0);
        GroupFileFields fields;
        FieldText(groupRows, 1, fields.name);
        fields.hasDescription = FieldText(groupRows, 2, fields.description);
        const CString key = id == 0 ? CString() : fields.name;
        if (IsValidId(id)) sync.usedGroupIds[static_cast<size_t>(id)] = true;
        keyOf[id] = key;
        std::vector<int>& ids = sync.databaseGroups[key.str()];
        ids.push_back(id);
        std::sort(ids.begin(), ids.end());
        // Of several groups of one name, the lowest number's stands for them.
        if (ids.front() == id) byKey[key.str()] = {key, fields};
    }
    groupRows.Close();
    if (!byKey.count(std::wstring())) byKey[std::wstring()] = {CString(), NoneGroupFields()};
    for (auto& entry : byKey) groups.push_back(entry.second);

    CRecordset noteRows(&database);
    noteRows.Open(CRecordset::forwardOnly, kExportNotesStatement, CRecordset::executeDirect);
    for (; !noteRows.IsEOF(); noteRows.MoveNext()) {
        const int id = FieldInt(noteRows, 0);
        auto group = keyOf.find(FieldInt(noteRows, 1));
        NoteFileFields fields;
        FieldText(noteRows, 2, fields.title);
        fields.hasComments = FieldText(noteRows, 3, fields.comments);
        FieldText(noteRows, 4, fields.query);
        if (IsValidId(id)) sync.usedNoteIds[static_cast<size_t>(id)] = true;
        // A note of a group that is not there goes with group 0, as an export writes it.
        notes.push_back({group == keyOf.end() ? CString() : group->second, fields.title, HashNoteTexts(fields), sync.databaseNoteIds.size(),
                         StoredTextsHash(fields)});
        sync.databaseNoteIds.push_back(id);
    }
    noteRows.Close();
}

unsigned long long SystemTimeNow()
{
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// The folder side, read exactly as an import reads it (into an empty
// database), with where each note's file and each group's folder is. With
// `trustMemory`, a note file whose listing entry is the one the memory
// keeps is not opened: the memory gives its note. What the next sync may
// take so is kept in `fileEntries`: a file whose note its header names or
// that lies in the folder itself (a plain file in a group's folder takes
// its group from the group file, which may change alone), written well
// before this listing.
ExchangeOutcome ReadFolderSide(const CString& folder, NoteSync& sync, bool trustMemory, std::vector<SyncGroupEntry>& groups,
                               std::vector<SyncNoteEntry>& notes, IExchangeProgress* progress)
{
    const unsigned long long listedAt = SystemTimeNow();
    std::map<std::wstring, std::pair<long long, unsigned long long>> listed;  // note files read: size and time
    std::vector<std::pair<std::wstring, SyncFileEntry>> remembered;
    const auto takeFromMemory = [&](const CString& inFolder, const FolderItem& item) {
        if (!HasExtension(item.name, kNoteFileExtension)) return false;
        const std::wstring source = JoinPath(inFolder, item.name).str();
        auto known = trustMemory ? sync.base.files.find(source) : sync.base.files.end();
        if (known != sync.base.files.end() && MatchesListing(known->second, item.size, item.writeTime)) {
            remembered.push_back(*known);
            return true;
        }
        listed[source] = {item.size, item.writeTime};
        return false;
    };
    std::vector<ImportFile> files;
    const ExchangeOutcome read = ReadImportFolder(folder, files, sync.refusals, progress, &sync.leftovers, takeFromMemory);
    if (!read.ok) return read;
    CString noneFile;
    for (const ImportFile& file : files) {
        GroupFileFields fields;
        if (!HasExtension(file.name, kGroupFileExtension) || !file.isText || HasMergeConflict(file.text) || !ParseGroupFile(file.text, fields))
            continue;
        if (!file.folder.IsEmpty()) sync.groupFolders.emplace(fields.name.str(), SyncGroupFolder{file.folder, file.name});
        else if (IsNoneGroupFile(file.name)) noneFile = file.name;
        else sync.legacyNoneFiles.push_back(file.name);
    }
    // Group 0's notes live in the folder itself, with or without a group file;
    // its file is the one of its own name, else one an earlier version wrote.
    sync.groupFolders.emplace(std::wstring(), SyncGroupFolder{CString(), noneFile.IsEmpty() && !sync.legacyNoneFiles.empty() ? sync.legacyNoneFiles.front() : noneFile});
    std::set<std::wstring> withFile;
    for (const auto& entry : sync.groupFolders)
        if (!entry.second.groupFile.IsEmpty()) withFile.insert(entry.first);
    const GroupFileFields none = NoneGroupFields();
    ImportPlan plan = PlanImport({{0, none}}, {}, std::move(files));
    sync.refusals.insert(sync.refusals.end(), plan.refusals.begin(), plan.refusals.end());
    std::map<int, CString> keyOf{{0, CString()}};
    std::set<std::wstring> keys{std::wstring()};
    groups.push_back({CString(), none});
    for (const ImportGroupStep& step : plan.groups) {
        if (step.id == 0) {
            groups.front().fields = step.fields;
            continue;
        }
        keyOf[step.id] = step.fields.name;
        keys.insert(step.fields.name.str());
        groups.push_back({step.fields.name, step.fields, withFile.count(step.fields.name.str()) != 0});
    }
    const size_t total = plan.notes.size() + remembered.size();
    sync.folderNotes.reserve(total);
    sync.folderSources.reserve(total);
    sync.folderUnread.reserve(total);
    const auto addNote = [&](const CString& key, const CString& source, NoteFileFields&& fields, const SyncFileEntry& entry,
                             bool unread) {
        const int slash = source.Find(L'\\');
        // A folder without a group file holds the group named after it.
        if (!key.IsEmpty() && slash >= 0 && !sync.groupFolders.count(key.str()))
            sync.groupFolders.emplace(key.str(), SyncGroupFolder{source.Left(slash), CString()});
        notes.push_back({key, entry.title, entry.texts, sync.folderNotes.size(), entry.storedTexts});
        sync.folderNotes.push_back(std::move(fields));
        sync.folderSources.push_back(source);
        sync.folderUnread.push_back(unread);
    };
    for (ImportNoteStep& step : plan.notes) {
        const CString& key = keyOf[step.groupId];
        const SyncFileEntry entry{0, 0, key, step.fields.title, HashNoteTexts(step.fields), StoredTextsHash(step.fields)};
        auto at = listed.find(step.source.str());
        if (at != listed.end() && (step.fromHeader || step.source.Find(L'\\') < 0) && IsSettledWrite(at->second.second, listedAt)) {
            SyncFileEntry& kept = sync.fileEntries[step.source.str()] = entry;
            kept.size = at->second.first;
            kept.writeTime = at->second.second;
        }
        addNote(key, step.source, std::move(step.fields), entry, false);
    }
    for (auto& known : remembered) {
        const SyncFileEntry& entry = known.second;
        // A group only such notes show has no description but its file's.
        if (keys.insert(entry.group.str()).second) {
            GroupFileFields fields;
            fields.name = entry.group;
            groups.push_back({entry.group, fields, withFile.count(entry.group.str()) != 0});
        }
        addNote(entry.group, CString(known.first), NoteFileFields(), entry, true);
        sync.fileEntries.insert(std::move(known));
    }
    return ExchangeOutcome();
}

// Reads the files the memory gave whose texts the sync needs. False when
// one no longer holds the note the memory said: then the folder is read whole.
bool ReadRememberedTexts(NoteSync& sync, const std::vector<bool>& needed)
{
    for (size_t i = 0; i < needed.size(); ++i) {
        if (!needed[i] || !sync.folderUnread[i]) continue;
        const CString& source = sync.folderSources[i];
        const int slash = source.Find(L'\\');
        ImportFile file;
        file.folder = slash < 0 ? CString() : source.Left(slash);
        file.name = source.Mid(slash + 1);
        std::string bytes;
        bool tooLarge = false;
        CString error;
        if (!ReadWholeFile(JoinPath(sync.folder, source), kImportFileLimit, bytes, tooLarge, error) ||
            DecodeFileText(bytes, AnsiToWide, file.text) != TextDecodeResult::Text)
            return false;
        std::vector<ImportFile> one;
        one.push_back(std::move(file));
        ImportPlan plan = PlanImport({{0, NoneGroupFields()}}, {}, std::move(one));
        const SyncNoteEntry& entry = sync.folderEntries[i];
        if (plan.notes.size() != 1 || plan.notes[0].fields.title != entry.title || HashNoteTexts(plan.notes[0].fields) != entry.texts)
            return false;
        sync.folderNotes[i] = std::move(plan.notes[0].fields);
        sync.folderUnread[i] = false;
    }
    return true;
}

// Everything ReadFolderSide found, for a reading again.
void ForgetFolderSide(NoteSync& sync)
{
    sync.folderEntries.clear();
    sync.refusals.clear();
    sync.folderNotes.clear();
    sync.folderSources.clear();
    sync.folderUnread.clear();
    sync.fileEntries.clear();
    sync.groupFolders.clear();
    sync.folderGroupHashes.clear();
    sync.legacyNoneFiles.clear();
    sync.leftovers.clear();
}

// A memory an earlier build kept beside the database, "<database>.sync\<hash>.state".
bool ReadLegacyState(const CString& path, SyncState& state)
{
    if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return false;
    std::string bytes;
    bool tooLarge = false;
    CString error;
    return ReadWholeFile(path, kStateFileLimit, bytes, tooLarge, error) && ParseSyncState(bytes, state);
}

// Which memory this sync compares against: the database's own for this
// folder; else, once, one an earlier build kept beside the database, when
// the database holds notes (a new, empty database beside an old memory is
// a renamed or moved one's place, and must not take it). Else none: a first sync.
void FindMemory(CDatabase& database, const CString& databasePath, const FolderIdentity& identity, NoteSync& sync,
                bool databaseHasNotes)
{
    std::vector<SyncMemoryRow> rows;
    ListSyncMemories(database, rows);
    CString path = identity.fullPath;
    path.MakeLower();
    const CString machine = identity.key.Left(identity.key.Find(L'|') + 1);
    bool samePath = false, otherMachine = false;
    for (const SyncMemoryRow& row : rows) {
        CString rowPath = row.folderPath;
        rowPath.MakeLower();
        samePath = samePath || rowPath == path;
        otherMachine = otherMachine || (rowPath == path && row.folderKey.Left(machine.GetLength()) != machine);
        if (row.folderKey != identity.key) continue;
        sync.memory = row;
        sync.memory.folderPath = identity.fullPath;
        sync.earlierSync = ReadSyncMemoryState(database, row.id, sync.base);
        if (!sync.earlierSync) sync.firstSyncReason = L"this database's memory of the folder cannot be read";
        return;
    }
    const CString legacy = JoinPath(databasePath + L".sync", SyncStateFileName(identity.fullPath));
    if (databaseHasNotes && ReadLegacyState(legacy, sync.base)) {
        sync.earlierSync = true;
        sync.legacyStatePath = legacy;
        return;
    }
    sync.base = SyncState();
    if (otherMachine) sync.firstSyncReason = L"this database was synchronized with a folder at this path on another machine only";
    else if (samePath) sync.firstSyncReason = L"the folder at this path is not the folder this database last synchronized there";
    else if (rows.empty()) sync.firstSyncReason = L"this database has never been synchronized";
    else sync.firstSyncReason = L"this database has never been synchronized with this folder";
}

// The id after the highest in use, as the dialog gives a new note or group
// one, so an id a page still holds never names another note; the lowest
// free one only once the highest is taken. `next` keeps the place between
// calls (-1 at first).
int TakeNextId(std::vector<bool>& used, int& next)
{
    if (next < 0) {
        next = static_cast<int>(used.size());
        while (next > 1 && !used[static_cast<size_t>(next) - 1]) --next;
        next = std::max(next, 1);
    }
    while (next < static_cast<int>(used.size()) && used[static_cast<size_t>(next)]) ++next;
    if (next < static_cast<int>(used.size())) {
        used[static_cast<size_t>(next)] = true;
        return next++;
    }
    for (size_t id = 1; id < used.size(); ++id)
        if (!used[id]) {
            used[id] = true;
            return static_cast<int>(id);
        }
    return -1;
}

CString DatabaseFailure(CDBException* e)
{
    const CThrownException<CDBException> thrown(e);
    const CString text = thrown->m_strError;
    return text.IsEmpty() ? CString(L"The note database reported a failure.") : text;
}

// What the files the sync could not read may hold: a group file its
// group's description, a group's folder all its notes, a note file its notes.
SyncHeldBack HeldBackBy(const std::vector<ImportRefusal>& refusals)
{
    SyncHeldBack held;
    for (const ImportRefusal& refusal : refusals) {
        held.notes.insert(held.notes.end(), refusal.notes.begin(), refusal.notes.end());
        const bool folder = !HasExtension(refusal.source, kGroupFileExtension);
        for (const CString& group : refusal.groups) (folder ? held.groupNotes : held.groups).insert(group.str());
    }
    return held;
}

// The texts of the database notes the folder takes, in one reading of the
// notes that asks for the texts of those alone.
void ReadDatabaseTexts(CDatabase& database, const NoteSync& sync, std::map<size_t, NoteFileFields>& texts)
{
    std::map<int, size_t> wanted;
    for (const SyncFileStep& step : sync.plan.files)
        if (step.action != SyncAction::Delete && step.fromDatabase) wanted[sync.databaseNoteIds[step.textsIndex]] = step.textsIndex;
    if (wanted.empty()) return;
    CRecordset noteRows(&database);
    noteRows.Open(CRecordset::forwardOnly, kExportNotesStatement, CRecordset::executeDirect);
    for (; !noteRows.IsEOF(); noteRows.MoveNext()) {
        auto found = wanted.find(FieldInt(noteRows, 0));
        if (found == wanted.end()) continue;
        NoteFileFields& fields = texts[found->second];
        FieldText(noteRows, 2, fields.title);
        fields.hasComments = FieldText(noteRows, 3, fields.comments);
        FieldText(noteRows, 4, fields.query);
    }
    noteRows.Close();
}

// What a side holds at a place changed since the plan read it: its step is
// left to the next sync, and the state keeps, for that place, what the next
// sync must compare against to see the change again.
struct StepsLeft {
    std::vector<SyncHash> notePlaces;      // database note steps left: the base's value stands
    std::vector<CString> groupKeys;        // database group steps left: the base's value stands
    std::vector<const SyncFileStep*> files;           // folder steps left: the folder's value stands
    std::vector<const SyncGroupStep*> groupFolders;
    int Count() const { return static_cast<int>(notePlaces.size() + groupKeys.size() + files.size() + groupFolders.size()); }
};

template <class Map>
void TakeValue(Map& into, const Map& from, SyncHash key)
{
    auto found = from.find(key);
    if (found == from.end()) into.erase(key);
    else into[key] = found->second;
}

// `state` (the plan's pending or final state) with the places whose steps
// were left given back the values the next sync must see.
SyncState WithStepsLeft(SyncState state, const NoteSync& sync, const StepsLeft& left)
{
    for (SyncHash place : left.notePlaces) TakeValue(state.notes, sync.base.notes, place);
    for (const CString& key : left.groupKeys) TakeValue(state.groups, sync.base.groups, HashGroupName(key));
    for (const SyncFileStep* step : left.files) {
        if (step->folderPlace) state.notes.erase(step->place);
        if (step->folderHad) state.notes[step->folderPlace ? step->folderPlace : step->place] = step->folderTexts;
        else state.notes.erase(step->place);
    }
    for (const SyncGroupStep* step : left.groupFolders) {
        if (step->folderHad) state.groups[HashGroupName(step->key)] = step->folderFields;
        else state.groups.erase(HashGroupName(step->key));
    }
    return state;
}

class DatabaseWriter {
public:
    DatabaseWriter(CDatabase& database, NoteSync& sync, StepsLeft& left, IExchangeProgress* progress)
        : m_database(database), m_sync(sync), m_left(left), m_progress(progress)
    {
        for (const auto& group : sync.databaseGroups)
            for (int id : group.second) m_keyOfGroup[id] = group.first;
    }

    // The steps in an order the foreign keys allow: notes go, groups come or
    // change, notes come or change, groups go. Each row changed or deleted
    // is first read again: one that changed since the plan read it is left.
    // The memory is written last, in the same transaction.
    ExchangeOutcome Write(const SyncState& pending)
    {
        const SyncPlan& plan = m_sync.plan;
        m_total = static_cast<int>(plan.notes.size() + plan.groups.size());
        try {
            m_database.BeginTrans();
            for (const SyncNoteStep& step : plan.notes)
                if (step.action == SyncAction::Delete && !DeleteNote(step)) return Stop();
            for (const SyncGroupStep& step : plan.groups)
                if (step.action != SyncAction::Delete && !WriteGroup(step)) return Stop();
            for (const SyncNoteStep& step : plan.notes)
                if (step.action != SyncAction::Delete && !WriteNote(step)) return Stop();
            for (const SyncGroupStep& step : plan.groups)
                if (step.action == SyncAction::Delete && !DeleteGroup(step)) return Stop();
            WriteSyncMemory(m_database, m_sync.memory, WithStepsLeft(pending, m_sync, m_left));
            m_database.CommitTrans();
        } catch (CDBException* e) {
            m_database.Rollback();
            return Failed(DatabaseFailure(e));
        }
        return ExchangeOutcome();
    }

private:
    bool Continue() { return !m_progress || m_progress->Continue(m_done++, m_total); }

    bool Run(const SqlStatement& statement)
    {
        m_database.ExecuteSQL(statement.sql, statement.parameters);
        return true;
    }

    // The note's row as it is now is the one the plan read (`gone` when there is none).
    bool NoteIsAsPlanned(const SyncNoteStep& step, bool& gone)
    {
        const SyncNoteEntry& planned = m_sync.databaseEntries[step.databaseIndex];
        CRecordset row(&m_database);
        row.Open(CRecordset::forwardOnly, BuildReadNoteStatement(m_sync.databaseNoteIds[step.databaseIndex]), CRecordset::executeDirect);
        gone = row.IsEOF() != FALSE;
        if (gone) return false;
        NoteFileFields fields;
        auto group = m_keyOfGroup.find(FieldInt(row, 1));
        FieldText(row, 2, fields.title);
        fields.hasComments = FieldText(row, 3, fields.comments);
        FieldText(row, 4, fields.query);
        row.Close();
        const CString key = group == m_keyOfGroup.end() ? CString() : CString(group->second.c_str());
        return key == planned.group && fields.title == planned.title && HashNoteTexts(fields) == planned.texts;
    }

    bool GroupIsAsPlanned(int id, const CString& key)
    {
        CRecordset row(&m_database);
        row.Open(CRecordset::forwardOnly, BuildReadGroupStatement(id), CRecordset::executeDirect);
        if (row.IsEOF()) return false;
        GroupFileFields fields;
        FieldText(row, 0, fields.name);
        fields.hasDescription = FieldText(row, 1, fields.description);
        row.Close();
        auto planned = m_sync.databaseGroupHashes.find(key.str());
        return planned != m_sync.databaseGroupHashes.end() && HashGroupFields(fields) == planned->second;
    }

    bool DeleteNote(const SyncNoteStep& step)
    {
        if (!Continue()) return false;
        bool gone = false;
        if (NoteIsAsPlanned(step, gone)) return Run(SqlStatement{BuildDeleteNoteStatement(m_sync.databaseNoteIds[step.databaseIndex]), {}});
        if (!gone) m_left.notePlaces.push_back(step.place);
        return true;
    }

    bool DeleteGroup(const SyncGroupStep& step)
    {
        if (!Continue()) return false;
        const std::vector<int>& ids = m_sync.databaseGroups[step.key.str()];
        if (!ids.empty() && !GroupIsAsPlanned(ids.front(), step.key)) {
            m_left.groupKeys.push_back(step.key);
            return true;
        }
        for (int id : ids)
            if (id != 0) Run(SqlStatement{BuildDeleteGroupStatement(id), {}});
        return true;
    }

    bool WriteGroup(const SyncGroupStep& step)
    {
        if (!Continue()) return false;
        std::vector<int>& ids = m_sync.databaseGroups[step.key.str()];
        ImportGroupStep write{ImportAction::Change, ids.empty() ? 0 : ids.front(), step.fields};
        if (step.action == SyncAction::Add) {
            write.action = ImportAction::Add;
            write.id = TakeNextId(m_sync.usedGroupIds, m_nextGroupId);
            if (write.id < 0) return Refuse(L"No group number is left in the note database.");
            ids.assign(1, write.id);
        } else if (!GroupIsAsPlanned(write.id, step.key)) {
            m_left.groupKeys.push_back(step.key);
            return true;
        }
        return Run(BuildImportGroupStatement(write));
    }

    bool WriteNote(const SyncNoteStep& step)
    {
        if (!Continue()) return false;
        const std::vector<int>& group = m_sync.databaseGroups[step.group.str()];
        ImportNoteStep write;
        write.groupId = step.group.IsEmpty() || group.empty() ? 0 : group.front();
        if (step.action == SyncAction::Change) {
            bool gone = false;
            if (!NoteIsAsPlanned(step, gone)) {
                m_left.notePlaces.push_back(step.place);
                if (step.fromPlace) m_left.notePlaces.push_back(step.fromPlace);
                return true;
            }
            write.action = ImportAction::Change;
            write.id = m_sync.databaseNoteIds[step.databaseIndex];
            // A note the folder moved takes its group and title, then the texts unless they stay.
            const SyncNoteEntry& was = m_sync.databaseEntries[step.databaseIndex];
            if (was.group != step.group || was.title != step.title) Run(BuildMoveNoteStatement(write.id, write.groupId, step.title));
            if (step.keepTexts) return true;
            write.fields = m_sync.folderNotes[step.folderIndex];
        } else {
            write.fields = m_sync.folderNotes[step.folderIndex];
            write.action = ImportAction::Add;
            write.fields.title = step.title;
            write.id = TakeNextId(m_sync.usedNoteIds, m_nextNoteId);
            if (write.id < 0) return Refuse(L"No note number is left in the note database (it holds 32,767 notes).");
        }
        return Run(BuildImportNoteStatement(write));
    }

    bool Refuse(const CString& message)
    {
        m_refusal = message;
        return false;
    }
    ExchangeOutcome Stop()
    {
        m_database.Rollback();
        return m_refusal.IsEmpty() ? Cancelled() : Failed(m_refusal);
    }

    CDatabase& m_database;
    NoteSync& m_sync;
    StepsLeft& m_left;
    IExchangeProgress* m_progress;
    std::map<int, std::wstring> m_keyOfGroup;
    int m_nextNoteId = -1;
    int m_nextGroupId = -1;
    CString m_refusal;
    int m_done = 0;
    int m_total = 0;
};

// Writes the memory alone, a statement of its own.
ExchangeOutcome WriteMemory(CDatabase& database, NoteSync& sync, const SyncState& state)
{
    try {
        WriteSyncMemory(database, sync.memory, state);
    } catch (CDBException* e) {
        return Failed(DatabaseFailure(e));
    }
    return ExchangeOutcome();
}

// The memory an earlier build kept beside the database goes once the
// database holds it; its folder too, when no other folder's is left in it.
void RemoveLegacyState(const CString& path)
{
    if (path.IsEmpty()) return;
    CString ignored;
    RemoveFile(path, ignored);
    ::RemoveDirectoryW(ParentFolder(path));
}

// Group 0's description in a file an earlier version wrote (the folder's
// README.md) moves to its own file once, with the next sync.
void TakeOverLegacyNoneFile(NoteSync& sync)
{
    if (sync.legacyNoneFiles.empty()) return;
    SyncPlan& plan = sync.plan;
    for (const SyncGroupStep& step : plan.groupFolders)
        if (step.key.IsEmpty()) return;
    const auto read = sync.folderGroupHashes.find(std::wstring());
    plan.groupFolders.push_back({SyncAction::Change, CString(), plan.none, true, read == sync.folderGroupHashes.end() ? 0 : read->second});
    ++plan.folderGroups.changed;
}

} // namespace

ExchangeOutcome PlanNoteSync(CDatabase& database, const CString& databasePath, const CString& folder, NoteSync& sync,
                             IExchangeProgress* progress, bool readEveryFile)
{
    sync = NoteSync();
    sync.folder = folder;
    FolderIdentity identity;
    CString error;
    if (!IdentifyFolder(folder, identity, error)) return Failed(error);
    sync.memory.folderKey = identity.key;
    sync.memory.folderPath = identity.fullPath;

    std::vector<SyncGroupEntry> databaseGroups, folderGroups;
    try {
        ReadDatabaseSide(database, sync, databaseGroups, sync.databaseEntries);
        FindMemory(database, databasePath, identity, sync, !sync.databaseEntries.empty());
    } catch (CDBException* e) {
        return Failed(DatabaseFailure(e));
    }
    for (const SyncGroupEntry& group : databaseGroups) sync.databaseGroupHashes[group.key.str()] = HashGroupFields(group.fields);
    for (bool trustMemory : {!readEveryFile, false}) {
        folderGroups.clear();
        ForgetFolderSide(sync);
        const ExchangeOutcome read = ReadFolderSide(folder, sync, trustMemory, folderGroups, sync.folderEntries, progress);
        if (!read.ok) return read;
        for (const SyncGroupEntry& group : folderGroups) sync.folderGroupHashes[group.key.str()] = HashGroupFields(group.fields);
        sync.plan = PlanSync(sync.earlierSync ? &sync.base : nullptr, sync.databaseEntries, sync.folderEntries, databaseGroups,
                             folderGroups, HeldBackBy(sync.refusals));
        TakeOverLegacyNoneFile(sync);
        // Only the texts that go into the database are kept. Swapped out rather
        // than assigned: a string assigned an empty one keeps its buffer.
        std::vector<bool> needed(sync.folderNotes.size(), false);
        for (const SyncNoteStep& step : sync.plan.notes)
            if (step.action != SyncAction::Delete) needed[step.folderIndex] = true;
        for (const SyncFileStep& step : sync.plan.files)
            if (step.action != SyncAction::Delete && !step.fromDatabase) needed[step.textsIndex] = true;
        if (!ReadRememberedTexts(sync, needed)) continue;
        for (size_t i = 0; i < needed.size(); ++i)
            if (!needed[i]) {
                NoteFileFields released;
                std::swap(sync.folderNotes[i], released);
            }
        break;
    }
    // The files the sync rewrites or removes are read again next time.
    for (const SyncFileStep& step : sync.plan.files)
        if (step.action != SyncAction::Add) sync.fileEntries.erase(sync.folderSources[step.folderIndex].str());
    sync.plan.state.files = std::move(sync.fileEntries);
    sync.fileEntries.clear();
    ExchangeOutcome outcome;
    outcome.notes = static_cast<int>(sync.databaseEntries.size());
    outcome.groups = static_cast<int>(databaseGroups.size());
    return outcome;
}

ExchangeOutcome ApplyNoteSync(CDatabase& database, NoteSync& sync, IExchangeProgress* progress)
{
    try {
        EnsureSyncMemoryTable(database);
    } catch (CDBException* e) {
        return Failed(DatabaseFailure(e));
    }
    StepsLeft left;
    const bool changesFolder = sync.plan.ChangesFolder();
    // Until the folder holds its changes, the memory says what it held before them.
    const SyncState pending = changesFolder ? sync.plan.PendingState() : sync.plan.state;
    sync.memory.pending = changesFolder ? static_cast<int>(sync.plan.files.size() + sync.plan.groupFolders.size()) : 0;
    if (sync.plan.ChangesDatabase()) {
        const ExchangeOutcome written = DatabaseWriter(database, sync, left, progress).Write(pending);
        if (!written.ok) return written;
    } else if (changesFolder || !sync.earlierSync || sync.memory.id < 0 || !sync.legacyStatePath.IsEmpty() ||
               sync.plan.state.notes != sync.base.notes || sync.plan.state.groups != sync.base.groups ||
               sync.plan.state.files != sync.base.files) {
        const ExchangeOutcome written = WriteMemory(database, sync, pending);
        if (!written.ok) return written;
    }
    RemoveLegacyState(sync.legacyStatePath);
    ExchangeOutcome outcome;
    if (changesFolder) {
        std::map<size_t, NoteFileFields> databaseNotes;
        try {
            ReadDatabaseTexts(database, sync, databaseNotes);
        } catch (CDBException* e) {
            return Failed(DatabaseFailure(e));
        }
        outcome = WriteSyncFolder(sync, databaseNotes, progress, left.files, left.groupFolders);
        if (!outcome.ok) return outcome;
        // Last: until now the next sync sees the folder's work as not yet done and completes it.
        sync.memory.pending = 0;
        const ExchangeOutcome written = WriteMemory(database, sync, WithStepsLeft(sync.plan.state, sync, left));
        if (!written.ok) return written;
    }
    outcome.leftForNextSync = left.Count();
    return outcome;
}

namespace {

// "group\title" ("title" in group 0), in the order of the list: without regard to case.
template <class Step>
std::vector<CString> DeletedNames(const std::vector<Step>& steps)
{
    std::vector<CString> names;
    for (const Step& step : steps)
        if (step.action == SyncAction::Delete) names.push_back(step.group.IsEmpty() ? step.title : step.group + L"\\" + step.title);
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return _wcsicmp(a, b) < 0; });
    return names;
}

} // namespace

std::vector<CString> NotesDeletedFromDatabase(const NoteSync& sync) { return DeletedNames(sync.plan.notes); }

std::vector<CString> NotesDeletedFromFolder(const NoteSync& sync) { return DeletedNames(sync.plan.files); }

CString DescribeMassDeletion(const NoteSync& sync)
{
    return DescribeMassDeletion(sync.plan, static_cast<int>(sync.databaseEntries.size()), static_cast<int>(sync.folderEntries.size()));
}
