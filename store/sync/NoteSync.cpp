// Sync through the database connection and the file system.
#include "store/sync/NoteSync.h"

#include "store/exchange/ExchangeSql.h"
#include "store/exchange/ExchangeSteps.h"
#include "store/records/RecordFields.h"
#include "store/format/ExportNames.h"
#include "store/exchange/ExportPlan.h"
#include "store/exchange/NoteFolderFiles.h"
#include "store/records/NoteSql.h"
#include "store/sync/SyncFolderWriter.h"
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
        notes.push_back({group == keyOf.end() ? CString() : group->second, fields.title, HashNoteTexts(fields), sync.databaseNoteIds.size()});
        sync.databaseNoteIds.push_back(id);
    }
    noteRows.Close();
}

// The folder side, read exactly as an import reads it (into an empty
// database), with where each note's file and each group's folder is.
ExchangeOutcome ReadFolderSide(const CString& folder, NoteSync& sync, std::vector<SyncGroupEntry>& groups,
                               std::vector<SyncNoteEntry>& notes, IExchangeProgress* progress)
{
    std::vector<ImportFile> files;
    const ExchangeOutcome read = ReadImportFolder(folder, files, sync.refusals, progress, &sync.leftovers);
    if (!read.ok) return read;
    for (const ImportFile& file : files) {
        GroupFileFields fields;
        if (HasExtension(file.name, kGroupFileExtension) && file.isText && ParseGroupFile(file.text, fields))
            sync.groupFolders.emplace(file.folder.IsEmpty() ? std::wstring() : fields.name.str(), SyncGroupFolder{file.folder, file.name});
    }
    // Group 0's notes live in the folder itself, with or without a group file.
    sync.groupFolders.emplace(std::wstring(), SyncGroupFolder());
    const GroupFileFields none = NoneGroupFields();
    ImportPlan plan = PlanImport({{0, none}}, {}, std::move(files));
    sync.refusals.insert(sync.refusals.end(), plan.refusals.begin(), plan.refusals.end());
    std::map<int, CString> keyOf{{0, CString()}};
    groups.push_back({CString(), none});
    for (const ImportGroupStep& step : plan.groups) {
        if (step.id == 0) {
            groups.front().fields = step.fields;
            continue;
        }
        keyOf[step.id] = step.fields.name;
        groups.push_back({step.fields.name, step.fields});
    }
    sync.folderNotes.reserve(plan.notes.size());
    sync.folderSources.reserve(plan.notes.size());
    for (ImportNoteStep& step : plan.notes) {
        const CString& key = keyOf[step.groupId];
        const int slash = step.source.Find(L'\\');
        // A folder without a group file holds the group named after it.
        if (!key.IsEmpty() && slash >= 0 && !sync.groupFolders.count(key.str()))
            sync.groupFolders.emplace(key.str(), SyncGroupFolder{step.source.Left(slash), CString()});
        notes.push_back({key, step.fields.title, HashNoteTexts(step.fields), sync.folderNotes.size()});
        sync.folderNotes.push_back(std::move(step.fields));
        sync.folderSources.push_back(step.source);
    }
    return ExchangeOutcome();
}

// The folder's full path, as the state's file name is made of it.
CString FullPath(const CString& folder)
{
    wchar_t full[MAX_PATH * 4];
    const DWORD length = ::GetFullPathNameW(folder, MAX_PATH * 4, full, nullptr);
    CString path = length > 0 && length < MAX_PATH * 4 ? CString(full) : folder;
    while (path.GetLength() > 3 && (path.Right(1) == L"\\" || path.Right(1) == L"/")) path = path.Left(path.GetLength() - 1);
    return path;
}

bool ReadState(const CString& path, SyncState& state, bool& found, CString& error)
{
    found = ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
    if (!found) return true;
    std::string bytes;
    bool tooLarge = false;
    if (!ReadWholeFile(path, kStateFileLimit, bytes, tooLarge, error)) return false;
    // A state that cannot be read is no state: the sync is then a union, which deletes nothing.
    found = ParseSyncState(bytes, state);
    return true;
}

int TakeFreeId(std::vector<bool>& used)
{
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

// A file or folder the sync could not read may hold a note it last saw
// there; a folder inside a group's folder never held an export's notes.
bool MayHideANote(const ImportRefusal& refusal)
{
    return refusal.reason != L"a folder inside a group's folder";
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

class DatabaseWriter {
public:
    DatabaseWriter(CDatabase& database, NoteSync& sync, IExchangeProgress* progress)
        : m_database(database), m_sync(sync), m_progress(progress)
    {
    }

    // The steps in an order the foreign keys allow: notes go, groups come or
    // change, notes come or change, groups go.
    ExchangeOutcome Write()
    {
        const SyncPlan& plan = m_sync.plan;
        m_total = static_cast<int>(plan.notes.size() + plan.groups.size());
        try {
            m_database.BeginTrans();
            for (const SyncNoteStep& step : plan.notes)
                if (step.action == SyncAction::Delete && !Run(BuildDeleteNoteStatement(m_sync.databaseNoteIds[step.databaseIndex]))) return Stop();
            for (const SyncGroupStep& step : plan.groups)
                if (step.action != SyncAction::Delete && !WriteGroup(step)) return Stop();
            for (const SyncNoteStep& step : plan.notes)
                if (step.action != SyncAction::Delete && !WriteNote(step)) return Stop();
            for (const SyncGroupStep& step : plan.groups) {
                if (step.action != SyncAction::Delete) continue;
                for (int id : m_sync.databaseGroups[step.key.str()])
                    if (id != 0 && !Run(BuildDeleteGroupStatement(id))) return Stop();
            }
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
        if (!Continue()) return false;
        m_database.ExecuteSQL(statement.sql, statement.parameters);
        return true;
    }
    bool Run(const CString& sql)
    {
        if (!Continue()) return false;
        m_database.ExecuteSQL(sql);
        return true;
    }

    bool WriteGroup(const SyncGroupStep& step)
    {
        std::vector<int>& ids = m_sync.databaseGroups[step.key.str()];
        ImportGroupStep write{ImportAction::Change, ids.empty() ? 0 : ids.front(), step.fields};
        if (step.action == SyncAction::Add) {
            write.action = ImportAction::Add;
            write.id = TakeFreeId(m_sync.usedGroupIds);
            if (write.id < 0) return Refuse(L"No group number is left in the note database.");
            ids.assign(1, write.id);
        }
        return Run(BuildImportGroupStatement(write));
    }

    bool WriteNote(const SyncNoteStep& step)
    {
        const std::vector<int>& group = m_sync.databaseGroups[step.group.str()];
        ImportNoteStep write;
        write.groupId = step.group.IsEmpty() || group.empty() ? 0 : group.front();
        write.fields = m_sync.folderNotes[step.folderIndex];
        if (step.action == SyncAction::Change) {
            write.action = ImportAction::Change;
            write.id = m_sync.databaseNoteIds[step.databaseIndex];
        } else {
            write.action = ImportAction::Add;
            write.fields.title = step.title;
            write.id = TakeFreeId(m_sync.usedNoteIds);
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
    IExchangeProgress* m_progress;
    CString m_refusal;
    int m_done = 0;
    int m_total = 0;
};

} // namespace

ExchangeOutcome PlanNoteSync(CDatabase& database, const CString& databasePath, const CString& folder, NoteSync& sync,
                             IExchangeProgress* progress)
{
    sync = NoteSync();
    sync.folder = folder;
    sync.statePath = JoinPath(databasePath + L".sync", SyncStateFileName(FullPath(folder)));
    SyncState base;
    CString error;
    if (!ReadState(sync.statePath, base, sync.earlierSync, error)) return Failed(error);

    std::vector<SyncGroupEntry> databaseGroups, folderGroups;
    std::vector<SyncNoteEntry> databaseNotes, folderNotes;
    try {
        ReadDatabaseSide(database, sync, databaseGroups, databaseNotes);
    } catch (CDBException* e) {
        return Failed(DatabaseFailure(e));
    }
    const ExchangeOutcome read = ReadFolderSide(folder, sync, folderGroups, folderNotes, progress);
    if (!read.ok) return read;
    sync.plan = PlanSync(sync.earlierSync ? &base : nullptr, databaseNotes, folderNotes, databaseGroups, folderGroups,
                         std::any_of(sync.refusals.begin(), sync.refusals.end(), MayHideANote));
    // Only the texts that go into the database are kept. Swapped out rather
    // than assigned: a string assigned an empty one keeps its buffer.
    std::vector<bool> needed(sync.folderNotes.size(), false);
    for (const SyncNoteStep& step : sync.plan.notes)
        if (step.action != SyncAction::Delete) needed[step.folderIndex] = true;
    for (const SyncFileStep& step : sync.plan.files)
        if (step.action != SyncAction::Delete && !step.fromDatabase) needed[step.textsIndex] = true;
    for (size_t i = 0; i < needed.size(); ++i)
        if (!needed[i]) {
            NoteFileFields released;
            std::swap(sync.folderNotes[i], released);
        }
    ExchangeOutcome outcome;
    outcome.notes = static_cast<int>(databaseNotes.size());
    outcome.groups = static_cast<int>(databaseGroups.size());
    return outcome;
}

ExchangeOutcome ApplyNoteSync(CDatabase& database, NoteSync& sync, IExchangeProgress* progress)
{
    if (sync.plan.ChangesDatabase()) {
        const ExchangeOutcome written = DatabaseWriter(database, sync, progress).Write();
        if (!written.ok) return written;
    }
    std::map<size_t, NoteFileFields> databaseNotes;
    try {
        ReadDatabaseTexts(database, sync, databaseNotes);
    } catch (CDBException* e) {
        return Failed(DatabaseFailure(e));
    }
    const ExchangeOutcome outcome = WriteSyncFolder(sync, databaseNotes, progress);
    if (!outcome.ok) return outcome;
    // Last: until the state is written, the next sync sees the work as not yet done and completes it.
    CString error;
    const CString stateFolder = sync.statePath.Left(sync.statePath.ReverseFind(L'\\'));
    if (!EnsureFolder(stateFolder, error)) return Failed(error);
    // A state write that a kill cut off before its rename left a temporary file.
    std::vector<FolderItem> items;
    if (ListFolder(stateFolder, items, error))
        for (const FolderItem& item : items)
            if (!item.isFolder && IsTemporaryFileName(item.name)) RemoveFile(JoinPath(stateFolder, item.name), error);
    if (!WriteFileWhole(sync.statePath, ComposeSyncState(sync.plan.state), error)) return Failed(error);
    return outcome;
}
