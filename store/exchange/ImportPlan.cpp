// Planning an import: group for every folder, match or add for every file.
#include "store/exchange/ImportPlan.h"

#include "store/format/ExportNames.h"
#include "store/exchange/ExportPlan.h"
#include "store/format/Utf8Text.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

CString Source(const ImportFile& file)
{
    return file.folder.IsEmpty() ? file.name : file.folder + L"\\" + file.name;
}

bool SameText(const NoteFileFields& a, const NoteFileFields& b)
{
    return a.hasComments == b.hasComments && a.comments == b.comments && SameQueryText(a.query, b.query);
}


class ImportPlanner {
public:
    ImportPlanner(const std::vector<DatabaseGroup>& groups, const std::vector<DatabaseNote>& notes)
    {
        for (const DatabaseGroup& group : groups) {
            m_groups.push_back(group);
            m_nextGroupId = std::max(m_nextGroupId, group.id + 1);
        }
        for (const DatabaseNote& note : notes) {
            m_nextNoteId = std::max(m_nextNoteId, note.id + 1);
            m_notesByPlace[{note.groupId, note.fields.title.str()}].push_back(&note);
        }
        std::sort(m_groups.begin(), m_groups.end(), [](const DatabaseGroup& a, const DatabaseGroup& b) { return a.id < b.id; });
        for (const DatabaseGroup& group : m_groups) m_groupIdByName.emplace(group.fields.name.str(), group.id);
    }

    ImportPlan Plan(std::vector<ImportFile> files)
    {
        // Files in a fixed order, so the same folder always gives the same plan.
        std::sort(files.begin(), files.end(), [](const ImportFile& a, const ImportFile& b) {
            return a.folder != b.folder ? a.folder < b.folder : a.name < b.name;
        });
        std::map<std::wstring, GroupFileFields> groupFiles;
        for (const ImportFile& file : files) {
            if (!IsGroupFile(file) || !file.isText) continue;
            GroupFileFields fields;
            CString damage;
            if (HasMergeConflict(file.text)) RefuseGroupFile(file, kMergeConflictReason);
            else if (ReadGroupFile(file.text, fields, damage) == HeaderRead::Damaged) RefuseGroupFile(file, L"a damaged header: " + damage);
            // Group 0's own file wins over one an earlier version wrote elsewhere in the folder.
            else if (!fields.name.IsEmpty() && (!file.folder.IsEmpty() || !groupFiles.count(std::wstring()) || IsNoneGroupFile(file.name)))
                groupFiles[file.folder.str()] = fields;
        }
        m_groupFiles = &groupFiles;
        ApplyGroupFiles(groupFiles);
        // Each file's text goes once its note is planned, so the folder is not held twice.
        for (ImportFile& file : files) {
            if (HasExtension(file.name, kNoteFileExtension)) PlanNote(file, groupFiles);
            const CString released = std::move(file.text);  // frees it: assigning an empty string would keep the buffer
        }
        return std::move(m_plan);
    }

private:
    static bool IsGroupFile(const ImportFile& file)
    {
        return HasExtension(file.name, kGroupFileExtension);
    }

    // Group files name their group exactly and carry its description: the
    // export folder's own is group 0's.
    void ApplyGroupFiles(const std::map<std::wstring, GroupFileFields>& groupFiles)
    {
        for (const auto& entry : groupFiles) {
            const GroupFileFields& fields = entry.second;
            if (Utf16Length(fields.name) > kTextColumnLimit || fields.name.IsEmpty()) continue;
            const int id = entry.first.empty() ? 0 : GroupId(fields.name, &fields);
            if (id < 0) continue;
            DatabaseGroup* group = FindGroupById(id);
            if (!group || m_addedGroups.count(id)) continue;
            if (group->fields.name == fields.name && group->fields.hasDescription == fields.hasDescription &&
                group->fields.description == fields.description)
                continue;
            Rename(*group, fields.name);
            group->fields = fields;
            m_plan.groups.push_back({ImportAction::Change, id, fields});
        }
    }

    DatabaseGroup* FindGroupById(int id)
    {
        for (DatabaseGroup& group : m_groups)
            if (group.id == id) return &group;
        return nullptr;
    }

    // Keeps the lookup by name true when a group file renames a group.
    void Rename(const DatabaseGroup& group, const CString& name)
    {
        if (group.fields.name == name) return;
        auto old = m_groupIdByName.find(group.fields.name.str());
        if (old != m_groupIdByName.end() && old->second == group.id) {
            m_groupIdByName.erase(old);
            for (const DatabaseGroup& other : m_groups)
                if (other.id != group.id && other.fields.name == group.fields.name) {
                    m_groupIdByName.emplace(other.fields.name.str(), other.id);
                    break;
                }
        }
        auto taken = m_groupIdByName.find(name.str());
        if (taken == m_groupIdByName.end()) m_groupIdByName.emplace(name.str(), group.id);
        else taken->second = std::min(taken->second, group.id);
    }

    // The group of that exact name (the lowest number when several share
    // it), added when there is none; -1 when no number is left.
    int GroupId(const CString& name, const GroupFileFields* description)
    {
        auto known = m_groupIdByName.find(name.str());
        if (known != m_groupIdByName.end()) return known->second;
        if (m_nextGroupId > kLastNumber) return -1;
        DatabaseGroup added;
        added.id = m_nextGroupId++;
        added.fields.name = name;
        if (description) added.fields = *description;
        m_groups.push_back(added);
        m_groupIdByName.emplace(added.fields.name.str(), added.id);
        m_addedGroups.insert(added.id);
        m_plan.groups.push_back({ImportAction::Add, added.id, added.fields});
        return added.id;
    }

    void Refuse(const ImportFile& file, const CString& reason, std::vector<HiddenNote> notes = {})
    {
        m_plan.refusals.push_back({Source(file), reason, true, std::move(notes), {}});
    }

    // The group a folder's notes are in when their headers do not say: the
    // one its group file names, else the one named after it.
    CString GroupOfFolder(const CString& folder) const
    {
        if (folder.IsEmpty()) return CString();
        auto it = m_groupFiles->find(folder.str());
        return it != m_groupFiles->end() ? it->second.name : folder;
    }

    // The note a file holds by its name alone: what an unreadable file may hide.
    HiddenNote NamedAfter(const ImportFile& file) const
    {
        return {GroupOfFolder(file.folder), TitleOfNoteFileName(file.name), TitleOfPlainFile(file.name)};
    }

    // A damaged header's notes: the one named after the file, and the one
    // its title and group lines name, read as well as they can be.
    std::vector<HiddenNote> Salvaged(const ImportFile& file) const
    {
        std::vector<HiddenNote> notes{NamedAfter(file)};
        HiddenNote salvaged{notes[0].group, CString(), CString()};
        const std::wstring& text = file.text.str();
        for (size_t pos = 0, n = 0; pos < text.size() && n < 6; ++n) {
            size_t end = text.find(L'\n', pos);
            if (end == std::wstring::npos) end = text.size();
            std::wstring line = text.substr(pos, end - pos);
            pos = end + 1;
            if (!line.empty() && line.back() == L'\r') line.pop_back();
            const bool title = line.compare(0, 10, L"-- title: ") == 0, group = line.compare(0, 10, L"-- group: ") == 0;
            if (!title && !group) continue;
            std::wstring value = line.substr(10);
            CString unquoted;
            if (!UnquoteFieldValue(CString(value), unquoted)) {
                if (!value.empty() && value.front() == L'"') value.erase(0, 1);
                if (!value.empty() && value.back() == L'"') value.pop_back();
                unquoted = CString(value);
            }
            if (title) salvaged.title = unquoted;
            else if (!file.folder.IsEmpty()) salvaged.group = unquoted;
        }
        if (!salvaged.title.IsEmpty()) notes.push_back(salvaged);
        return notes;
    }

    // The notes a file with git's markers holds on either side of the merge.
    std::vector<HiddenNote> MergeSides(const ImportFile& file) const
    {
        CString sides[2];
        SplitMergeConflict(file.text, sides[0], sides[1]);
        std::vector<HiddenNote> notes;
        for (const CString& side : sides) {
            NoteFileFields fields;
            if (ParseNoteFile(side, fields)) notes.push_back({file.folder.IsEmpty() ? CString() : fields.group, fields.title, CString()});
        }
        if (notes.empty()) notes.push_back(NamedAfter(file));
        return notes;
    }

    // A group file the import cannot take: the group stays as the database
    // has it. A file with markers that is no group file on either side is
    // not ours, and is left alone without a word.
    void RefuseGroupFile(const ImportFile& file, const CString& reason)
    {
        std::vector<CString> groups{file.folder};
        CString sides[2];
        SplitMergeConflict(file.text, sides[0], sides[1]);
        bool ours = reason != kMergeConflictReason;
        for (const CString& side : sides) {
            GroupFileFields fields;
            CString damage;
            const HeaderRead read = ReadGroupFile(side, fields, damage);
            ours = ours || read != HeaderRead::None;
            if (read == HeaderRead::Whole && !file.folder.IsEmpty()) groups.push_back(fields.name);
        }
        if (ours) m_plan.refusals.push_back({Source(file), reason, true, {}, groups});
    }

    void PlanNote(ImportFile& file, const std::map<std::wstring, GroupFileFields>& groupFiles)
    {
        if (!file.unreadable.IsEmpty()) return Refuse(file, L"cannot be read (" + file.unreadable + L")", {NamedAfter(file)});
        if (file.tooLarge) return Refuse(file, L"too large", {NamedAfter(file)});
        if (!file.isText) return Refuse(file, L"not text", {NamedAfter(file)});
        // A zero-byte file is a placeholder, not a note with an empty query.
        if (file.text.IsEmpty()) return Refuse(file, L"empty file", {NamedAfter(file)});
        if (HasMergeConflict(file.text)) return Refuse(file, kMergeConflictReason, MergeSides(file));
        NoteFileFields fields;
        CString damage;
        const HeaderRead read = ReadNoteFile(file.text, fields, damage);
        if (read == HeaderRead::Damaged) return Refuse(file, L"a damaged header: " + damage, Salvaged(file));
        const bool exported = read == HeaderRead::Whole;
        if (!exported) {
            fields = NoteFileFields();
            fields.title = TitleOfPlainFile(file.name);
            fields.query = QueryOfFileBody(file.text);
        }
        if (file.folder.IsEmpty()) fields.group = CString();
        else if (!exported) {
            auto it = groupFiles.find(file.folder.str());
            fields.group = it != groupFiles.end() ? it->second.name : file.folder;
        }
        // From here on the file's own header or name says which note it is.
        const std::vector<HiddenNote> itself{{fields.group, fields.title, CString()}};
        if (fields.title.IsEmpty()) return Refuse(file, L"no title", itself);
        if (Utf16Length(fields.title) > kTextColumnLimit) return Refuse(file, L"title over 255 characters", itself);
        if (fields.hasComments && Utf16Length(fields.comments) > kTextColumnLimit)
            return Refuse(file, L"comments over 255 characters", itself);
        if (Utf16Length(fields.group) > kTextColumnLimit) return Refuse(file, L"group name over 255 characters", itself);
        int groupId = 0;
        if (!file.folder.IsEmpty()) {
            auto it = groupFiles.find(file.folder.str());
            groupId = GroupId(fields.group, it != groupFiles.end() && it->second.name == fields.group ? &it->second : nullptr);
            if (groupId < 0) return Refuse(file, L"no group number left", itself);
        }
        m_fromHeader = exported;
        Match(file, groupId, std::move(fields));
    }

    // Against the notes the database held before the import: the one note of
    // that group and title is changed (or left when equal); among several,
    // a file whose query equals one of theirs changes nothing. Everything
    // else, and a second file for a note another file already took, is added.
    void Match(const ImportFile& file, int groupId, NoteFileFields&& fields)
    {
        static const std::vector<const DatabaseNote*> kNone;
        auto found = m_notesByPlace.find({groupId, fields.title.str()});
        const std::vector<const DatabaseNote*>& same = found == m_notesByPlace.end() ? kNone : found->second;
        // A query that differs only by a final line end keeps the database's.
        for (const DatabaseNote* note : same)
            if (SameQueryText(note->fields.query, fields.query)) fields.query = note->fields.query;
        if (same.size() == 1 && m_claimed.insert(same[0]->id).second) {
            const bool equal = SameText(same[0]->fields, fields);
            return AddStep(equal ? ImportAction::Unchanged : ImportAction::Change, same[0]->id, groupId, std::move(fields), file);
        }
        for (const DatabaseNote* note : same)
            if (note->fields.query == fields.query && m_claimed.insert(note->id).second)
                return AddStep(ImportAction::Unchanged, note->id, groupId, std::move(fields), file);
        if (m_nextNoteId > kLastNumber) return Refuse(file, L"no note number left", {{fields.group, fields.title, CString()}});
        AddStep(ImportAction::Add, m_nextNoteId++, groupId, std::move(fields), file);
    }

    void AddStep(ImportAction action, int id, int groupId, NoteFileFields&& fields, const ImportFile& file)
    {
        m_plan.notes.push_back({action, id, groupId, std::move(fields), Source(file), m_fromHeader});
    }

    const std::map<std::wstring, GroupFileFields>* m_groupFiles = nullptr;
    // The notes the database held, by group and exact title.
    std::map<std::pair<int, std::wstring>, std::vector<const DatabaseNote*>> m_notesByPlace;
    std::vector<DatabaseGroup> m_groups;
    std::map<std::wstring, int> m_groupIdByName;  // the lowest number of each name
    std::set<int> m_addedGroups;
    std::set<int> m_claimed;
    int m_nextGroupId = 1;
    int m_nextNoteId = 1;
    bool m_fromHeader = false;  // of the note being planned
    ImportPlan m_plan;
};

} // namespace

const wchar_t* const kMergeConflictReason = L"an unresolved merge conflict";

int ImportPlan::Count(ImportAction action) const
{
    return static_cast<int>(std::count_if(notes.begin(), notes.end(), [&](const ImportNoteStep& s) { return s.action == action; }));
}

int ImportPlan::CountGroups(ImportAction action) const
{
    return static_cast<int>(std::count_if(groups.begin(), groups.end(), [&](const ImportGroupStep& s) { return s.action == action; }));
}

ImportPlan PlanImport(const std::vector<DatabaseGroup>& groups, const std::vector<DatabaseNote>& notes,
                      std::vector<ImportFile> files)
{
    return ImportPlanner(groups, notes).Plan(std::move(files));
}
