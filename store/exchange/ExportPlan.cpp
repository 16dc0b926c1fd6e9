// Planning an export: names for every group and note, stable across exports.
#include "store/exchange/ExportPlan.h"

#include "store/format/ExportNames.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <tuple>

namespace {

// Orders notes and groups by their content alone, so two databases holding
// the same notes under other numbers get the same names.
bool NoteContentLess(const ExportNote* a, const ExportNote* b)
{
    const NoteFileFields& x = a->fields;
    const NoteFileFields& y = b->fields;
    return std::tie(x.title.str(), x.hasComments, x.comments.str(), x.query.str()) <
           std::tie(y.title.str(), y.hasComments, y.comments.str(), y.query.str());
}

bool SameNote(const NoteFileFields& a, const NoteFileFields& b)
{
    return a.title == b.title && a.group == b.group && a.hasComments == b.hasComments && a.comments == b.comments &&
           a.query == b.query;
}

// What one folder (the export folder or a group folder) holds today, with
// its note files found by title and all its entries by name, so a folder of
// many notes is planned in n log n.
struct FolderState {
    std::vector<const ExistingEntry*> entries;
    std::vector<bool> claimed;
    std::multimap<std::wstring, size_t> noteByTitle;
    std::map<std::wstring, CString> nameByKey;

    std::multimap<std::wstring, const ExistingEntry*> plainByTitle;

    void AddPlain(const ExistingEntry& entry) { plainByTitle.emplace(entry.note.title.str(), &entry); }
    // A plain file an import named after this note and that holds its query; it is claimed.
    const ExistingEntry* TakePlain(const NoteFileFields& note)
    {
        const auto range = plainByTitle.equal_range(note.title.str());
        for (auto it = range.first; it != range.second; ++it)
            if (SameQueryText(it->second->note.query, note.query)) {
                const ExistingEntry* plain = it->second;
                plainByTitle.erase(it);
                return plain;
            }
        return nullptr;
    }
    void Add(const ExistingEntry& entry)
    {
        if (entry.isNoteFile) noteByTitle.emplace(entry.note.title.str(), entries.size());
        nameByKey.emplace(FileNameKey(entry.name), entry.name);
        entries.push_back(&entry);
        claimed.push_back(false);
    }
    // An unclaimed note file of that title for which `wanted` holds; it is claimed.
    const ExistingEntry* TakeNote(const CString& title, const std::function<bool(const ExistingEntry&)>& wanted)
    {
        const auto range = noteByTitle.equal_range(title.str());
        for (auto it = range.first; it != range.second; ++it)
            if (!claimed[it->second] && wanted(*entries[it->second])) {
                claimed[it->second] = true;
                return entries[it->second];
            }
        return nullptr;
    }
    const ExistingEntry* TakeGroupFile()
    {
        for (size_t i = 0; i < entries.size(); ++i)
            if (!claimed[i] && entries[i]->isGroupFile) {
                claimed[i] = true;
                return entries[i];
            }
        return nullptr;
    }
    // The earlier export entry whose name is this one under any letter case.
    CString SameKey(const CString& name) const
    {
        auto it = nameByKey.find(FileNameKey(name));
        return it == nameByKey.end() ? CString() : it->second;
    }
};

class Planner {
public:
    Planner(const std::vector<ExistingEntry>& existing)
    {
        for (const ExistingEntry& entry : existing) {
            if (IsDotName(entry.name) || IsDotName(entry.folder)) continue;
            const bool ours = entry.isNoteFile || entry.isGroupFile;
            if (entry.isPlainNoteFile) {
                m_ours[FileNameKey(entry.folder)].AddPlain(entry);
                m_plainFolders.insert(FileNameKey(entry.folder));
            }
            // Root folders are foreign unless they hold a group file: decided when naming folders.
            if (!ours && !(entry.isFolder && entry.folder.IsEmpty())) m_foreign[FileNameKey(entry.folder)].Take(entry.name);
            if (entry.folder.IsEmpty() && entry.isFolder) {
                m_rootFolders.push_back(&entry);
                m_rootFolderByKey.emplace(FileNameKey(entry.name), entry.name);
            }
            if (ours) m_ours[FileNameKey(entry.folder)].Add(entry);
            if (entry.isGroupFile && !entry.folder.IsEmpty()) {
                m_groupFolders.emplace(entry.group.name.str(), entry.folder);
                m_exportFolders.insert(FileNameKey(entry.folder));
            }
            if (!entry.folder.IsEmpty()) m_filledFolders.insert(FileNameKey(entry.folder));
        }
    }

    ExportPlan Plan(const std::vector<ExportGroup>& groups, const std::vector<ExportNote>& notes)
    {
        std::map<int, const ExportGroup*> byId;
        for (const ExportGroup& group : groups) byId[group.id] = &group;
        std::map<int, std::vector<const ExportNote*>> notesOf;
        for (const ExportNote& note : notes) notesOf[byId.count(note.groupId) ? note.groupId : 0].push_back(&note);

        const std::map<int, CString> folderOf = NameFolders(groups);
        for (const ExportGroup& group : groups) {
            const CString folder = folderOf.at(group.id);
            const CString groupName = group.fields.name;
            if (group.id != 0 || group.fields.name != L"None" || group.fields.hasDescription)
                AddGroupFile(folder, group.fields);
            std::vector<const ExportNote*>& list = notesOf[group.id];
            std::sort(list.begin(), list.end(), NoteContentLess);
            AddNoteFiles(folder, groupName, list);
        }
        CollectStale(folderOf);
        return std::move(m_plan);
    }

private:
    // Group folders: a group keeps the folder whose group file names it, else
    // gets a fresh name that no file or foreign folder of the export folder has.
    std::map<int, CString> NameFolders(const std::vector<ExportGroup>& groups)
    {
        std::vector<const ExportGroup*> sorted;
        for (const ExportGroup& group : groups)
            if (group.id != 0) sorted.push_back(&group);
        std::sort(sorted.begin(), sorted.end(), [](const ExportGroup* a, const ExportGroup* b) {
            return std::tie(a->fields.name.str(), a->fields.hasDescription, a->fields.description.str(), a->id) <
                   std::tie(b->fields.name.str(), b->fields.hasDescription, b->fields.description.str(), b->id);
        });
        FolderNames& rootNames = m_foreign[std::wstring()];
        // An empty folder holds nothing to overwrite, so a group may take its name: it is what an
        // export stopped between making a group's folder and writing its first file leaves.
        for (const ExistingEntry* folder : m_rootFolders)
            if (!IsExportFolder(folder->name) && m_filledFolders.count(FileNameKey(folder->name))) rootNames.Take(folder->name);

        std::map<int, CString> folderOf{{0, CString()}};
        std::vector<const ExportGroup*> fresh;
        for (const ExportGroup* group : sorted) {
            const CString kept = KeptFolder(group->fields.name);
            if (kept.IsEmpty()) { fresh.push_back(group); continue; }
            folderOf[group->id] = kept;
            rootNames.Take(kept);
            m_plan.folders.push_back({kept, CString()});
        }
        for (const ExportGroup* group : fresh) {
            const CString plain = PlainFolder(group->fields.name);
            if (!plain.IsEmpty()) {
                folderOf[group->id] = plain;
                m_plan.folders.push_back({plain, CString()});
                continue;
            }
            const CString name = rootNames.TakeFree(GroupFolderStem(group->fields.name), L"");
            folderOf[group->id] = name;
            m_plan.folders.push_back({name, ExistingFolderSameKey(name)});
        }
        return folderOf;
    }

    bool IsExportFolder(const CString& name) const { return m_exportFolders.count(FileNameKey(name)) != 0; }

    // The folder an earlier export gave the group of that exact name, unless another group took it.
    CString KeptFolder(const CString& groupName)
    {
        const auto range = m_groupFolders.equal_range(groupName.str());
        for (auto it = range.first; it != range.second; ++it) {
            if (m_usedFolders.insert(FileNameKey(it->second)).second) return it->second;
        }
        return CString();
    }

    // The folder without a group file that holds plain .sql files and whose
    // name is the group's: an import named the group after it.
    CString PlainFolder(const CString& groupName)
    {
        const std::wstring key = FileNameKey(groupName);
        auto it = m_rootFolderByKey.find(key);
        if (it == m_rootFolderByKey.end() || it->second != groupName || IsExportFolder(it->second) || !m_plainFolders.count(key))
            return CString();
        return m_usedFolders.insert(key).second ? it->second : CString();
    }

    // An earlier export folder that has this name under other letter case.
    CString ExistingFolderSameKey(const CString& name)
    {
        auto it = m_rootFolderByKey.find(FileNameKey(name));
        if (it == m_rootFolderByKey.end() || !IsExportFolder(it->second)) return CString();
        m_usedFolders.insert(it->first);
        return it->second == name ? CString() : it->second;
    }

    FolderNames& NamesIn(const CString& folder)
    {
        const std::wstring key = FileNameKey(folder);
        auto it = m_names.find(key);
        if (it != m_names.end()) return it->second;
        return m_names.emplace(key, m_foreign[key]).first->second;
    }

    void AddGroupFile(const CString& folder, const GroupFileFields& fields)
    {
        FolderState& state = m_ours[FileNameKey(folder)];
        // Group 0's file has its own name; one an earlier version wrote (README.md) is left unclaimed, and goes.
        if (folder.IsEmpty()) {
            NamesIn(folder).Take(kNoneGroupFileName);
            return AddFile(folder, kNoneGroupFileName, ComposeGroupFile(fields));
        }
        const ExistingEntry* kept = state.TakeGroupFile();
        CString name = kept ? kept->name : CString();
        FolderNames& names = NamesIn(folder);
        if (kept) names.Take(name);
        else name = names.TakeFree(kGroupFileName, kGroupFileExtension);
        AddFile(folder, name, ComposeGroupFile(fields));
    }

    // Notes keep the file of an earlier export holding the same note, then
    // one holding a note of the same title; the rest get fresh names.
    void AddNoteFiles(const CString& folder, const CString& groupName, const std::vector<const ExportNote*>& notes)
    {
        FolderState& state = m_ours[FileNameKey(folder)];
        FolderNames& names = NamesIn(folder);
        std::vector<NoteFileFields> fields;
        std::vector<CString> chosen(notes.size());
        for (const ExportNote* note : notes) {
            fields.push_back(note->fields);
            fields.back().group = groupName;
        }
        for (size_t i = 0; i < notes.size(); ++i) {
            const ExistingEntry* same = state.TakeNote(fields[i].title, [&](const ExistingEntry& e) { return SameNote(e.note, fields[i]); });
            if (same) { chosen[i] = same->name; names.Take(same->name); }
        }
        for (size_t i = 0; i < notes.size(); ++i) {
            if (!chosen[i].IsEmpty()) continue;
            const ExistingEntry* titled = state.TakeNote(fields[i].title, [](const ExistingEntry&) { return true; });
            if (titled) { chosen[i] = titled->name; names.Take(titled->name); }
        }
        for (size_t i = 0; i < notes.size(); ++i) {
            if (!chosen[i].IsEmpty()) continue;
            const ExistingEntry* plain = state.TakePlain(fields[i]);
            if (plain) { chosen[i] = plain->name; names.Take(plain->name); }
        }
        for (size_t i = 0; i < notes.size(); ++i) {
            if (chosen[i].IsEmpty()) chosen[i] = TakeNewNoteFileName(names, fields[i]);
            AddFile(folder, chosen[i], ComposeNoteFile(fields[i]));
        }
    }

    void AddFile(const CString& folder, const CString& name, std::string bytes)
    {
        PlannedFile file{folder, name, CString(), std::move(bytes)};
        const CString sameKey = m_ours[FileNameKey(folder)].SameKey(name);
        if (!sameKey.IsEmpty() && sameKey != name) file.existingName = sameKey;
        m_planned.insert(FileNameKey(folder) + L"\\" + FileNameKey(name));
        m_plan.files.push_back(std::move(file));
    }

    void CollectStale(const std::map<int, CString>& folderOf)
    {
        std::set<std::wstring> liveFolders;
        for (const auto& entry : folderOf) liveFolders.insert(FileNameKey(entry.second));
        for (const auto& entry : m_ours) {
            for (const ExistingEntry* file : entry.second.entries) {
                if (m_planned.count(entry.first + L"\\" + FileNameKey(file->name))) continue;
                m_plan.staleFiles.push_back({file->folder, file->name});
            }
        }
        for (const ExistingEntry* folder : m_rootFolders)
            if (IsExportFolder(folder->name) && !liveFolders.count(FileNameKey(folder->name)))
                m_plan.staleFolders.push_back(folder->name);
    }

    std::set<std::wstring> m_filledFolders;         // keys of root folders that hold something
    std::set<std::wstring> m_plainFolders;          // keys of folders that hold plain .sql files
    std::map<std::wstring, FolderNames> m_foreign;  // per folder key: names of files no export wrote
    std::map<std::wstring, FolderNames> m_names;    // per folder key: names given out by this plan
    std::map<std::wstring, FolderState> m_ours;     // per folder key: earlier export files
    std::vector<const ExistingEntry*> m_rootFolders;
    std::map<std::wstring, CString> m_rootFolderByKey;       // root folders by name key
    std::multimap<std::wstring, CString> m_groupFolders;     // group name -> folder whose group file names it
    std::set<std::wstring> m_exportFolders;                  // keys of folders that hold a group file
    std::set<std::wstring> m_usedFolders;
    std::set<std::wstring> m_planned;
    ExportPlan m_plan;
};

} // namespace

CString GroupFolderStem(const CString& groupName)
{
    CString stem = SafeFileStem(groupName, kGroupFolderStemLimit);
    if (HasExtension(stem, kNoteFileExtension) || HasExtension(stem, kGroupFileExtension)) stem += L'_';
    return stem;
}

void ClassifyExistingFile(const CString& text, ExistingEntry& entry)
{
    CString damage;
    const HeaderRead note = ReadNoteFile(text, entry.note, damage);
    entry.isNoteFile = note == HeaderRead::Whole;
    entry.isGroupFile = !entry.isNoteFile && ParseGroupFile(text, entry.group);
    // A damaged header is nobody's plain file: the export leaves it for its owner to mend.
    entry.isPlainNoteFile = note == HeaderRead::None && !entry.isGroupFile && HasExtension(entry.name, kNoteFileExtension) &&
                            !text.IsEmpty() && !HasMergeConflict(text);
    if (!entry.isPlainNoteFile) return;
    entry.note = NoteFileFields();
    entry.note.title = TitleOfPlainFile(entry.name);
    entry.note.query = QueryOfFileBody(text);
}

ExportPlan PlanExport(const std::vector<ExportGroup>& groups, const std::vector<ExportNote>& notes,
                      const std::vector<ExistingEntry>& existing)
{
    return Planner(existing).Plan(groups, notes);
}
