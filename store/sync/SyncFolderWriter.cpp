// The folder side of a sync.
#include "store/sync/SyncFolderWriter.h"

#include "store/exchange/ExchangeSteps.h"
#include "store/format/ExportNames.h"
#include "store/exchange/ExportPlan.h"
#include "store/exchange/NoteFolderFiles.h"
#include "store/format/NoteFileText.h"
#include "store/format/Utf8Text.h"

#include <windows.h>

#include <cwchar>

namespace {

bool IsPlainNone(const GroupFileFields& fields)
{
    return fields.name == L"None" && !fields.hasDescription;
}

// What a file holds now, read as the plan read the folder: false when it
// cannot be read (gone, say).
bool ReadFileText(const CString& path, CString& text)
{
    std::string bytes;
    bool tooLarge = false;
    CString error;
    return ReadWholeFile(path, kImportFileLimit, bytes, tooLarge, error) &&
           DecodeFileText(bytes, AnsiToWide, text) == TextDecodeResult::Text;
}

class FolderWriter {
public:
    FolderWriter(const NoteSync& sync, const std::map<size_t, NoteFileFields>& databaseNotes, IExchangeProgress* progress,
                 std::vector<const SyncFileStep*>& leftFiles, std::vector<const SyncGroupStep*>& leftGroups)
        : m_sync(sync), m_plan(sync.plan), m_databaseNotes(databaseNotes), m_groupFolders(sync.groupFolders), m_progress(progress),
          m_leftFiles(leftFiles), m_leftGroups(leftGroups)
    {
    }

    // Groups come first, so new notes have their folder; notes go before
    // the groups that lose them.
    ExchangeOutcome Write()
    {
        m_total = static_cast<int>(m_plan.files.size() + m_plan.groupFolders.size());
        CString ignored;
        // A leftover that cannot go holds no note: the next sync tries again.
        for (const CString& leftover : m_sync.leftovers) RemoveFile(leftover, ignored);
        for (const SyncGroupStep& step : m_plan.groupFolders)
            if (step.action != SyncAction::Delete && !WriteGroup(step)) return Stop();
        // Files go before new ones come, so a note retitled in letter case alone takes its new name, not a
        // "(2)" one; the database holds every note meanwhile.
        for (const SyncFileStep& step : m_plan.files)
            if (step.action == SyncAction::Delete && !RemoveNote(step)) return Stop();
        for (const SyncFileStep& step : m_plan.files)
            if (step.action != SyncAction::Delete && !WriteNote(step)) return Stop();
        for (const SyncGroupStep& step : m_plan.groupFolders)
            if (step.action == SyncAction::Delete && !RemoveGroup(step)) return Stop();
        if (m_progress) m_progress->Continue(m_total, m_total);
        return m_outcome;
    }

private:
    bool Continue()
    {
        if (!m_progress || m_progress->Continue(m_done++, m_total)) return true;
        m_cancelled = true;
        return false;
    }
    ExchangeOutcome Stop() const { return m_cancelled ? Cancelled() : Failed(m_error); }

    CString Root(const CString& folder) const { return folder.IsEmpty() ? m_sync.folder : JoinPath(m_sync.folder, folder); }
    CString SourcePath(size_t folderIndex) const { return JoinPath(m_sync.folder, m_sync.folderSources[folderIndex]); }

    // The note file holds what the plan read there: the same title and texts.
    bool NoteFileIsAsPlanned(const SyncFileStep& step, bool& gone) const
    {
        CString text;
        const CString path = SourcePath(step.folderIndex);
        gone = ::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES;
        if (gone || !ReadFileText(path, text)) return false;
        NoteFileFields fields;
        if (!ParseNoteFile(text, fields)) {
            fields = NoteFileFields();
            fields.title = TitleOfPlainFile(m_sync.folderSources[step.folderIndex].Mid(m_sync.folderSources[step.folderIndex].ReverseFind(L'\\') + 1));
            fields.query = QueryOfFileBody(text);
        }
        return fields.title == m_sync.folderEntries[step.folderIndex].title && HashNoteTexts(fields) == step.folderTexts;
    }

    bool GroupFileIsAsPlanned(const SyncGroupStep& step, const CString& path) const
    {
        CString text;
        GroupFileFields fields;
        return ReadFileText(path, text) && ParseGroupFile(text, fields) && HashGroupFields(fields) == step.folderFields;
    }

    bool RemoveNote(const SyncFileStep& step)
    {
        if (!Continue()) return false;
        bool gone = false;
        if (NoteFileIsAsPlanned(step, gone)) {
            if (!Remove(SourcePath(step.folderIndex))) return false;
            const CString& source = m_sync.folderSources[step.folderIndex];
            const int slash = source.ReverseFind(L'\\');
            auto names = m_names.find(FileNameKey(slash < 0 ? CString() : source.Left(slash)));
            if (names != m_names.end()) names->second.Release(source.Mid(slash + 1));
            return true;
        }
        if (!gone) m_leftFiles.push_back(&step);
        return true;
    }

    bool Write(const CString& path, const std::string& bytes)
    {
        if (!WriteFileWhole(path, bytes, m_error)) return false;
        ++m_outcome.written;
        return true;
    }
    bool Remove(const CString& path)
    {
        if (!RemoveFile(path, m_error)) return false;
        ++m_outcome.removed;
        return true;
    }

    // The names a folder holds today and those given out since, listed once.
    FolderNames* NamesIn(const CString& folder)
    {
        const std::wstring key = FileNameKey(folder);
        auto found = m_names.find(key);
        if (found != m_names.end()) return &found->second;
        std::vector<FolderItem> items;
        if (!ListFolder(Root(folder), items, m_error)) return nullptr;
        FolderNames& names = m_names[key];
        for (const FolderItem& item : items) names.Take(item.name);
        return &names;
    }

    // A new group's folder: the first free name, or an empty folder of that
    // name, which an earlier sync cut off after making it leaves.
    bool MakeGroupFolder(const GroupFileFields& fields, CString& folder)
    {
        const CString stem = GroupFolderStem(fields.name);
        FolderNames* rootNames = NamesIn(CString());
        if (!rootNames) return false;
        for (int n = 1;; ++n) {
            wchar_t suffix[24] = L"";
            if (n > 1) std::swprintf(suffix, 24, L" (%d)", n);
            folder = stem + suffix;
            std::vector<FolderItem> inside;
            const bool taken = rootNames->IsTaken(folder);
            if (taken && !(ListFolder(Root(folder), inside, m_error) && inside.empty())) continue;
            rootNames->Take(folder);
            return EnsureFolder(Root(folder), m_error);
        }
    }

    bool WriteGroup(const SyncGroupStep& step)
    {
        if (!Continue()) return false;
        if (step.key.IsEmpty()) return WriteNoneGroup(step);
        auto found = m_groupFolders.find(step.key.str());
        if (found == m_groupFolders.end()) {
            SyncGroupFolder made;
            if (!step.key.IsEmpty() && !MakeGroupFolder(step.fields, made.folder)) return false;
            found = m_groupFolders.emplace(step.key.str(), made).first;
        }
        SyncGroupFolder& place = found->second;
        if (step.action == SyncAction::Change && !place.groupFile.IsEmpty() &&
            !GroupFileIsAsPlanned(step, JoinPath(Root(place.folder), place.groupFile))) {
            m_leftGroups.push_back(&step);
            return true;
        }
        if (place.groupFile.IsEmpty()) {
            FolderNames* names = NamesIn(place.folder);
            if (!names) return false;
            place.groupFile = names->TakeFree(kGroupFileName, kGroupFileExtension);
        }
        return Write(JoinPath(Root(place.folder), place.groupFile), ComposeGroupFile(step.fields));
    }

    // Group 0's file has a name of its own at the top of the folder; the
    // one an earlier version wrote there (README.md) goes once it is moved.
    // Group 0 as the folder shows it by default needs no file.
    bool WriteNoneGroup(const SyncGroupStep& step)
    {
        auto found = m_groupFolders.find(std::wstring());
        const CString read = found == m_groupFolders.end() ? CString() : found->second.groupFile;
        if (step.action == SyncAction::Change && !read.IsEmpty() && !GroupFileIsAsPlanned(step, JoinPath(m_sync.folder, read))) {
            m_leftGroups.push_back(&step);
            return true;
        }
        if (IsPlainNone(step.fields)) {
            if (IsNoneGroupFile(read) && !Remove(JoinPath(m_sync.folder, read))) return false;
        } else if (!Write(JoinPath(m_sync.folder, kNoneGroupFileName), ComposeGroupFile(step.fields))) {
            return false;
        }
        for (const CString& legacy : m_sync.legacyNoneFiles)
            if (!Remove(JoinPath(m_sync.folder, legacy))) return false;
        return true;
    }

    bool WriteNote(const SyncFileStep& step)
    {
        if (!Continue()) return false;
        NoteFileFields fields = step.fromDatabase ? m_databaseNotes.at(step.textsIndex) : m_sync.folderNotes[step.textsIndex];
        fields.title = step.title;
        fields.group = step.group.IsEmpty() ? m_plan.none.name : step.group;
        if (step.action == SyncAction::Change) {
            bool gone = false;
            if (NoteFileIsAsPlanned(step, gone))
                return step.folderPlace ? MoveNoteFile(step, fields) : Write(SourcePath(step.folderIndex), ComposeNoteFile(fields));
            m_leftFiles.push_back(&step);
            return true;
        }
        CString folder;
        if (!GroupFolderOf(step.group, folder)) return false;
        FolderNames* names = NamesIn(folder);
        if (!names) return false;
        return Write(JoinPath(Root(folder), TakeNewNoteFileName(*names, fields)), ComposeNoteFile(fields));
    }

    // Where the group's notes go; a group's folder that was not planned (it
    // was kept for this note) is made as a new group's.
    bool GroupFolderOf(const CString& group, CString& folder)
    {
        auto found = m_groupFolders.find(group.str());
        if (found == m_groupFolders.end()) {
            if (!WriteGroup({SyncAction::Add, group, {group, false, CString()}})) return false;
            found = m_groupFolders.find(group.str());
        }
        folder = found->second.folder;
        return true;
    }

    // A note the database moved: its file takes the name and folder of its
    // new group and title, written there before the old one goes. Where
    // both names are one to the file system, it is written in place and
    // then given its new letter case.
    bool MoveNoteFile(const SyncFileStep& step, const NoteFileFields& fields)
    {
        const CString& source = m_sync.folderSources[step.folderIndex];
        const int slash = source.ReverseFind(L'\\');
        const CString oldFolder = slash < 0 ? CString() : source.Left(slash), oldName = source.Mid(slash + 1);
        CString folder;
        if (!GroupFolderOf(step.group, folder)) return false;
        FolderNames* oldNames = NamesIn(oldFolder);
        FolderNames* names = oldNames ? NamesIn(folder) : nullptr;
        if (!names) return false;
        oldNames->Release(oldName);
        const CString name = TakeNewNoteFileName(*names, fields);
        const CString oldPath = SourcePath(step.folderIndex), path = JoinPath(Root(folder), name);
        const std::string bytes = ComposeNoteFile(fields);
        if (FileNameKey(folder) == FileNameKey(oldFolder) && FileNameKey(name) == FileNameKey(oldName))
            return Write(oldPath, bytes) && (name == oldName || RenameEntry(oldPath, path, m_error));
        return Write(path, bytes) && Remove(oldPath);
    }

    // A group's folder goes once its group file is gone, unless something else is in it.
    bool RemoveGroup(const SyncGroupStep& step)
    {
        if (!Continue()) return false;
        auto found = m_groupFolders.find(step.key.str());
        if (step.key.IsEmpty() || found == m_groupFolders.end()) return true;
        const CString folder = Root(found->second.folder);
        if (!found->second.groupFile.IsEmpty()) {
            const CString file = JoinPath(folder, found->second.groupFile);
            if (!GroupFileIsAsPlanned(step, file) && ::GetFileAttributesW(file) != INVALID_FILE_ATTRIBUTES) {
                m_leftGroups.push_back(&step);
                return true;
            }
            if (!Remove(file)) return false;
        }
        ::RemoveDirectoryW(folder);
        return true;
    }

    const NoteSync& m_sync;
    const SyncPlan& m_plan;
    const std::map<size_t, NoteFileFields>& m_databaseNotes;
    std::map<std::wstring, SyncGroupFolder> m_groupFolders;
    std::map<std::wstring, FolderNames> m_names;
    IExchangeProgress* m_progress;
    std::vector<const SyncFileStep*>& m_leftFiles;
    std::vector<const SyncGroupStep*>& m_leftGroups;
    ExchangeOutcome m_outcome;
    CString m_error;
    bool m_cancelled = false;
    int m_done = 0;
    int m_total = 0;
};

} // namespace

ExchangeOutcome WriteSyncFolder(const NoteSync& sync, const std::map<size_t, NoteFileFields>& databaseNotes,
                                IExchangeProgress* progress, std::vector<const SyncFileStep*>& leftFiles,
                                std::vector<const SyncGroupStep*>& leftGroups)
{
    return FolderWriter(sync, databaseNotes, progress, leftFiles, leftGroups).Write();
}
