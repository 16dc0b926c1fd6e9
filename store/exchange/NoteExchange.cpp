// Export and import through the database connection and the file system.
#include "store/exchange/NoteExchange.h"

#include "store/exchange/ExchangeSql.h"
#include "store/exchange/ExchangeSteps.h"
#include "store/records/RecordFields.h"
#include "store/format/ExportNames.h"
#include "store/format/Fnv64.h"
#include "store/exchange/ExportPlan.h"
#include "store/format/NoteFileText.h"
#include "store/exchange/NoteFolderFiles.h"
#include "store/format/Utf8Text.h"
#include "framework/CDBException.h"
#include "framework/CDBVariant.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"
#include "framework/ThrownException.h"

#include <map>

namespace {

void ReadLibraryRows(CDatabase& database, std::vector<DatabaseGroup>& groups, std::vector<DatabaseNote>& notes)
{
    CRecordset groupRows(&database);
    groupRows.Open(CRecordset::forwardOnly, kExportGroupsStatement, CRecordset::executeDirect);
    for (; !groupRows.IsEOF(); groupRows.MoveNext()) {
        DatabaseGroup group;
        group.id = FieldInt(groupRows, 0);
        FieldText(groupRows, 1, group.fields.name);
        group.fields.hasDescription = FieldText(groupRows, 2, group.fields.description);
        groups.push_back(group);
    }
    groupRows.Close();
    CRecordset noteRows(&database);
    noteRows.Open(CRecordset::forwardOnly, kExportNotesStatement, CRecordset::executeDirect);
    for (; !noteRows.IsEOF(); noteRows.MoveNext()) {
        DatabaseNote note;
        note.id = FieldInt(noteRows, 0);
        note.groupId = FieldInt(noteRows, 1);
        FieldText(noteRows, 2, note.fields.title);
        note.fields.hasComments = FieldText(noteRows, 3, note.fields.comments);
        FieldText(noteRows, 4, note.fields.query);
        notes.push_back(note);
    }
    noteRows.Close();
}

CString DatabaseFailure(CDBException* e)
{
    const CThrownException<CDBException> thrown(e);
    const CString text = thrown->m_strError;
    return text.IsEmpty() ? CString(L"The note database reported a failure.") : text;
}

// Every group and note; false with the database's error text when it cannot be read.
bool ReadLibrary(CDatabase& database, std::vector<DatabaseGroup>& groups, std::vector<DatabaseNote>& notes, CString& error)
{
    try {
        ReadLibraryRows(database, groups, notes);
        return true;
    } catch (CDBException* e) {
        error = DatabaseFailure(e);
        return false;
    }
}

// A file error without the path it starts with, for a refusal that already names its source.
CString ReasonOf(const CString& error, const CString& path)
{
    return error.Find(path) == 0 ? error.Mid(path.GetLength() + 2) : error;
}

bool IsCandidateFile(const FolderItem& item)
{
    return !item.isFolder && !item.isLink &&
           (HasExtension(item.name, kNoteFileExtension) || HasExtension(item.name, kGroupFileExtension));
}

// A .sql name that is a link: an import reads no file through one.
bool IsLinkedNoteFile(const FolderItem& item)
{
    return !item.isFolder && item.isLink && HasExtension(item.name, kNoteFileExtension);
}

// What the export folder holds today; a print of each earlier export file's bytes, by path.
class ExportFolderScan {
public:
    bool Scan(const CString& root, CString& error)
    {
        std::vector<FolderItem> items;
        if (!ListFolder(root, items, error)) return false;
        for (const FolderItem& item : items) {
            if (IsDotName(item.name)) continue;
            if (!Add(root, CString(), item, error)) return false;
            if (!item.isFolder || item.isLink) continue;
            std::vector<FolderItem> inner;
            if (!ListFolder(JoinPath(root, item.name), inner, error)) return false;
            for (const FolderItem& innerItem : inner)
                if (!IsDotName(innerItem.name) && !Add(root, item.name, innerItem, error)) return false;
        }
        return true;
    }

    const std::vector<ExistingEntry>& Entries() const { return m_entries; }
    // Temporary files of an earlier export that was killed before it renamed them.
    const std::vector<CString>& Leftovers() const { return m_leftovers; }
    // True when the earlier export file at `path` holds `bytes` already.
    bool Holds(const CString& path, const std::string& bytes) const
    {
        auto it = m_prints.find(FileNameKey(path));
        return it != m_prints.end() && it->second == PrintOf(bytes);
    }

private:
    bool Add(const CString& root, const CString& folder, const FolderItem& item, CString& error)
    {
        // A temporary file of an export killed before its rename goes; it is no entry of the folder.
        if (!item.isFolder && IsTemporaryFileName(item.name)) {
            m_leftovers.push_back(JoinPath(JoinPath(root, folder), item.name));
            return true;
        }
        ExistingEntry entry;
        entry.folder = folder;
        entry.name = item.name;
        entry.isFolder = item.isFolder;
        if (IsCandidateFile(item) && item.size <= kImportFileLimit) {
            const CString path = JoinPath(JoinPath(root, folder), item.name);
            std::string bytes;
            bool tooLarge = false;
            if (!ReadWholeFile(path, kImportFileLimit, bytes, tooLarge, error) && !tooLarge) return false;
            CString text;
            if (DecodeFileText(bytes, AnsiToWide, text) == TextDecodeResult::Text) {
                // Written over, either side of a merge would be lost: the user resolves it first.
                if (HasMergeConflict(text)) {
                    error = path + L": an unresolved merge conflict. Resolve it, or move the file away, and export again.";
                    return false;
                }
                ClassifyExistingFile(text, entry);
            }
            if (entry.isNoteFile || entry.isGroupFile) m_prints[FileNameKey(path)] = PrintOf(bytes);
        }
        m_entries.push_back(entry);
        return true;
    }

    // A file's length and two independent 64-bit hashes of its bytes: the
    // scan keeps these instead of the bytes, so a sync's export does not hold
    // the whole folder while the database's texts are in memory too.
    struct BytesPrint {
        size_t length = 0;
        unsigned long long fnv = 0, sdbm = 0;
        bool operator==(const BytesPrint& other) const { return length == other.length && fnv == other.fnv && sdbm == other.sdbm; }
    };
    static BytesPrint PrintOf(const std::string& bytes)
    {
        BytesPrint print;
        print.length = bytes.size();
        CFnv64 fnv;
        unsigned long long sdbm = 0;
        for (const char ch : bytes) {
            const unsigned long long byte = static_cast<unsigned char>(ch);
            fnv.AddByte(static_cast<unsigned char>(ch));
            sdbm = byte + (sdbm << 6) + (sdbm << 16) - sdbm;
        }
        print.fnv = fnv.Value();
        print.sdbm = sdbm;
        return print;
    }

    std::vector<ExistingEntry> m_entries;
    std::map<std::wstring, BytesPrint> m_prints;
    std::vector<CString> m_leftovers;
};

// `bytes` is a buffer kept across files, so reading thousands of them does not allocate for each.
void ReadImportFile(const CString& root, const CString& folder, const FolderItem& item, std::string& bytes, std::vector<ImportFile>& files)
{
    ImportFile file;
    file.folder = folder;
    file.name = item.name;
    if (item.size > kImportFileLimit) {
        file.tooLarge = true;
    } else {
        bool tooLarge = false;
        CString error;
        const CString path = JoinPath(JoinPath(root, folder), item.name);
        if (!ReadWholeFile(path, kImportFileLimit, bytes, tooLarge, error)) {
            file.isText = false;
            file.tooLarge = tooLarge;
            if (!tooLarge) file.unreadable = ReasonOf(error, path);
        } else {
            file.isText = DecodeFileText(bytes, AnsiToWide, file.text) == TextDecodeResult::Text;
        }
    }
    files.push_back(std::move(file));
}

} // namespace

ExchangeOutcome ExportNoteDatabase(CDatabase& database, const CString& folder, IExchangeProgress* progress)
{
    std::vector<DatabaseGroup> groups;
    std::vector<DatabaseNote> notes;
    CString error;
    if (!ReadLibrary(database, groups, notes, error)) return Failed(error);
    // A missing folder is made when its parent exists, as for a first export into a new working copy.
    if (!EnsureFolder(folder, error)) return Failed(error);
    ExportFolderScan scan;
    if (!scan.Scan(folder, error)) return Failed(error);

    std::vector<ExportGroup> exportGroups;
    bool haveNone = false;
    for (const DatabaseGroup& group : groups) {
        exportGroups.push_back({group.id, group.fields});
        haveNone = haveNone || group.id == 0;
    }
    if (!haveNone) exportGroups.push_back({0, NoneGroupFields()});
    // The notes move over rather than being copied: a large library is held once.
    std::vector<ExportNote> exportNotes;
    exportNotes.reserve(notes.size());
    for (DatabaseNote& note : notes) exportNotes.push_back({note.groupId, std::move(note.fields)});
    const size_t noteCount = notes.size();
    notes = std::vector<DatabaseNote>();
    const ExportPlan plan = PlanExport(exportGroups, exportNotes, scan.Entries());
    exportNotes = std::vector<ExportNote>();

    ExchangeOutcome outcome;
    // The groups the user made: the built-in "None" is not one of them.
    for (const DatabaseGroup& group : groups) outcome.groups += group.id != 0 ? 1 : 0;
    outcome.notes = static_cast<int>(noteCount);
    for (const PlannedFolder& planned : plan.folders) {
        const CString path = JoinPath(folder, planned.name);
        if (!planned.existingName.IsEmpty() && !RenameEntry(JoinPath(folder, planned.existingName), path, error)) return Failed(error);
        if (!EnsureFolder(path, error)) return Failed(error);
    }
    const int total = static_cast<int>(plan.files.size());
    int done = 0;
    for (const PlannedFile& file : plan.files) {
        if (progress && !progress->Continue(done, total)) return Cancelled();
        ++done;
        const CString inFolder = JoinPath(folder, file.folder);
        const CString path = JoinPath(inFolder, file.name);
        if (!file.existingName.IsEmpty()) {
            const CString oldPath = JoinPath(inFolder, file.existingName);
            if (!RenameEntry(oldPath, path, error)) return Failed(error);
            ++outcome.written;
        }
        if (scan.Holds(file.existingName.IsEmpty() ? path : JoinPath(inFolder, file.existingName), file.bytes)) {
            if (file.existingName.IsEmpty()) ++outcome.unchanged;
            continue;
        }
        if (!WriteFileWhole(path, file.bytes, error)) return Failed(error);
        if (file.existingName.IsEmpty()) ++outcome.written;
    }
    for (const StaleEntry& stale : plan.staleFiles) {
        if (!RemoveFile(JoinPath(JoinPath(folder, stale.folder), stale.name), error)) return Failed(error);
        ++outcome.removed;
    }
    for (const CString& leftover : scan.Leftovers())
        if (!RemoveFile(leftover, error)) return Failed(error);
    // A folder of a group that is gone goes too, unless something else is in it.
    for (const CString& stale : plan.staleFolders) ::RemoveDirectoryW(JoinPath(folder, stale));
    if (progress) progress->Continue(total, total);
    return outcome;
}

ExchangeOutcome ReadImportFolder(const CString& folder, std::vector<ImportFile>& files, std::vector<ImportRefusal>& skipped,
                                 IExchangeProgress* progress, std::vector<CString>* leftovers,
                                 const std::function<bool(const CString&, const FolderItem&)>& skip)
{
    const auto isLeftover = [&](const CString& inFolder, const FolderItem& item) {
        if (!leftovers || item.isFolder || !IsTemporaryFileName(item.name)) return false;
        leftovers->push_back(JoinPath(inFolder, item.name));
        return true;
    };
    CString error;
    std::vector<FolderItem> items;
    if (!ListFolder(folder, items, error)) return Failed(error);
    std::vector<std::pair<CString, FolderItem>> candidates;
    for (const FolderItem& item : items) {
        if (IsDotName(item.name) || isLeftover(folder, item)) continue;
        if (IsCandidateFile(item)) {
            if (!skip || !skip(CString(), item)) candidates.push_back({CString(), item});
        }
        else if (IsLinkedNoteFile(item))
            skipped.push_back({item.name, L"a link, not followed", true, {{CString(), TitleOfNoteFileName(item.name), TitleOfPlainFile(item.name)}}, {}});
        if (!item.isFolder) continue;
        // A group's folder that cannot be read may hold any note of the group named after it.
        if (item.isLink) {
            skipped.push_back({item.name, L"a link, not followed", true, {}, {item.name}});
            continue;
        }
        const CString path = JoinPath(folder, item.name);
        std::vector<FolderItem> inner;
        if (!ListFolder(path, inner, error)) {
            skipped.push_back({item.name, L"cannot be read (" + ReasonOf(error, path) + L")", true, {}, {item.name}});
            continue;
        }
        for (const FolderItem& innerItem : inner) {
            if (IsDotName(innerItem.name) || isLeftover(path, innerItem)) continue;
            if (IsCandidateFile(innerItem)) {
                if (!skip || !skip(item.name, innerItem)) candidates.push_back({item.name, innerItem});
            }
            else if (IsLinkedNoteFile(innerItem))
                skipped.push_back({JoinPath(item.name, innerItem.name), L"a link, not followed", true, {{item.name, TitleOfNoteFileName(innerItem.name), TitleOfPlainFile(innerItem.name)}}, {}});
            else if (innerItem.isFolder)
                skipped.push_back({JoinPath(item.name, innerItem.name), L"a folder inside a group's folder", false, {}, {}});
        }
    }
    files.reserve(candidates.size());
    std::string bytes;
    const int total = static_cast<int>(candidates.size());
    for (int i = 0; i < total; ++i) {
        if (progress && !progress->Continue(i, total)) return Cancelled();
        ReadImportFile(folder, candidates[static_cast<size_t>(i)].first, candidates[static_cast<size_t>(i)].second, bytes, files);
    }
    return ExchangeOutcome();
}

ExchangeOutcome PlanNoteImport(CDatabase& database, const CString& folder, ImportPlan& plan, IExchangeProgress* progress)
{
    std::vector<DatabaseGroup> groups;
    std::vector<DatabaseNote> notes;
    CString error;
    if (!ReadLibrary(database, groups, notes, error)) return Failed(error);
    std::vector<ImportFile> files;
    std::vector<ImportRefusal> skipped;
    const ExchangeOutcome read = ReadImportFolder(folder, files, skipped, progress);
    if (!read.ok) return read;
    plan = PlanImport(groups, notes, std::move(files));
    plan.refusals.insert(plan.refusals.end(), skipped.begin(), skipped.end());
    ExchangeOutcome outcome;
    outcome.groups = static_cast<int>(groups.size());
    outcome.notes = static_cast<int>(notes.size());
    return outcome;
}

ExchangeOutcome ApplyNoteImport(CDatabase& database, const ImportPlan& plan, IExchangeProgress* progress)
{
    const int total = static_cast<int>(plan.groups.size() + plan.notes.size());
    int done = 0;
    try {
        database.BeginTrans();
        for (const ImportGroupStep& step : plan.groups) {
            if (progress && !progress->Continue(done++, total)) {
                database.Rollback();
                return Cancelled();
            }
            const SqlStatement statement = BuildImportGroupStatement(step);
            database.ExecuteSQL(statement.sql, statement.parameters);
        }
        for (const ImportNoteStep& step : plan.notes) {
            if (step.action == ImportAction::Unchanged) { ++done; continue; }
            if (progress && !progress->Continue(done++, total)) {
                database.Rollback();
                return Cancelled();
            }
            const SqlStatement statement = BuildImportNoteStatement(step);
            database.ExecuteSQL(statement.sql, statement.parameters);
        }
        database.CommitTrans();
    } catch (CDBException* e) {
        database.Rollback();
        return Failed(DatabaseFailure(e));
    }
    if (progress) progress->Continue(total, total);
    ExchangeOutcome outcome;
    outcome.groups = plan.CountGroups(ImportAction::Add) + plan.CountGroups(ImportAction::Change);
    outcome.notes = plan.Count(ImportAction::Add) + plan.Count(ImportAction::Change);
    return outcome;
}
