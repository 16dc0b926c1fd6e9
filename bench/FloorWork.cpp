// CFloorWork: bare ODBC reads and writes and bare list-view fills.
#include "bench/FloorWork.h"

#include "bench/Clock.h"
#include "bench/OdbcStatement.h"

#include <commdlg.h>

#include <cwchar>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kGroupImage = 1;
// The dialog's File Open filter, in the system's form, and its room for the chosen path.
const wchar_t kNoteFileFilter[] = L"Microsoft Access Driver (*.mdb)\0*.mdb\0";
constexpr DWORD kPathRoom = 0x8000;
constexpr int kNoteImage = 2;

ListRow NoteRow(int id, std::wstring name, std::wstring comments, int indent, int image)
{
    ListRow row;
    row.data = id;
    row.name = std::move(name);
    row.description = std::move(comments);
    row.hasDescription = true;
    row.indent = indent;
    row.image = image;
    return row;
}

} // namespace

CFloorWork::CFloorWork(std::wstring connect, std::wstring plainConnect, int bigGroupId)
    : m_connect(std::move(connect)), m_plainConnect(std::move(plainConnect)), m_bigGroupId(bigGroupId)
{
}

bool CFloorWork::CreateControls(HWND model, HIMAGELIST images, int x, int y, HWND editPage, HWND groupEditPage)
{
    RECT list;
    ::GetWindowRect(model, &list);
    const int pagesTop = list.bottom - list.top + 8;
    return m_list.Create(model, images, x, y, CBarePages::Height(editPage, groupEditPage)) &&
           m_pages.Create(m_list.Frame(), pagesTop, editPage, groupEditPage);
}

double CFloorWork::Open()
{
    const double start = NowMs();
    m_database.Disconnect();
    m_database.Connect(m_connect);

    std::wstring text;
    {
        COdbcStatement groups(m_database);
        groups.Execute(kBenchGroupList);
        m_pages.ResetGroups();
        while (groups.Fetch()) {
            const int id = groups.GetShort(1);
            groups.GetText(2, text);
            m_pages.AddGroup(id, text);
        }
    }
    m_topRows.clear();
    m_groupNotes.clear();
    m_bigGroup = -1;
    m_bigGroupRow = -1;
    m_catalogueRows = 0;
    COdbcStatement catalogue(m_database);
    catalogue.Execute(kBenchCatalogue);
    m_list.BeginUpdate();
    m_list.Clear();
    int currentGroup = 0;
    std::wstring groupName, name, comments;
    while (catalogue.Fetch()) {
        const int id = catalogue.GetShort(1);
        const int groupId = catalogue.GetShort(2);
        catalogue.GetText(3, groupName);
        catalogue.GetText(4, name);
        catalogue.GetText(5, comments);
        ++m_catalogueRows;
        if (groupId <= 0) {
            m_topRows.push_back(NoteRow(id, name, comments, 1, kNoteImage));
            m_list.Append(m_topRows.back());
            continue;
        }
        if (groupId != currentGroup) {
            ListRow group;
            group.data = groupId;
            group.name = groupName;
            group.image = kGroupImage;
            group.indent = 1;
            m_topRows.push_back(group);
            const int row = m_list.Append(group);
            currentGroup = groupId;
            m_groupNotes.emplace_back();
            if (groupId == m_bigGroupId) {
                m_bigGroupRow = row;
                m_bigGroup = static_cast<int>(m_groupNotes.size()) - 1;
                m_bigGroupName = groupName;
            }
        }
        // Collapsed: the floor keeps every group's child rows for Expand, as the tree keeps a node for every note.
        m_groupNotes.back().push_back(NoteRow(id, name, comments, 2, -1));
    }
    m_list.EndUpdate();
    return NowMs() - start;
}

void CFloorWork::PickAndOpen(HWND owner, const std::wstring& path)
{
    std::vector<wchar_t> chosen(kPathRoom, L'\0');
    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = kNoteFileFilter;
    open.lpstrFile = chosen.data();
    open.nMaxFile = kPathRoom;
    open.Flags = OFN_EXPLORER | OFN_ENABLESIZING;
    if (!::GetOpenFileNameW(&open)) throw std::runtime_error("the floor's Open dialog was cancelled or failed");
    if (::lstrcmpiW(chosen.data(), path.c_str()) != 0) throw std::runtime_error("the floor's Open dialog chose another file");
    Open();
}

double CFloorWork::Search(const std::wstring& statement)
{
    const double start = NowMs();
    COdbcStatement search(m_database);
    search.Execute(statement);
    m_list.DeleteAll();
    m_list.BeginUpdate();
    m_searchRows = 0;
    std::wstring name, comments;
    while (search.Fetch()) {
        const int id = search.GetShort(1);
        search.GetText(4, name);
        search.GetText(5, comments);
        ++m_searchRows;
        m_list.Append(NoteRow(id, name, comments, 1, kNoteImage));
    }
    m_list.EndUpdate();
    return NowMs() - start;
}

double CFloorWork::PlainSearch(const std::wstring& statement, int markers, const std::wstring& word)
{
    COdbcConnection& database = m_plainConnect.empty() ? m_database : m_plain;
    if (!database.IsOpen()) database.Connect(m_plainConnect);
    const std::wstring pattern = L"%" + word + L"%";
    m_searchNames.clear();
    m_searchRows = 0;
    const double start = NowMs();
    COdbcStatement search(database);
    for (int marker = 1; marker <= markers; ++marker) search.BindText(static_cast<SQLUSMALLINT>(marker), pattern);
    search.Execute(statement);
    // Drawing off before the old rows go, so the emptied list is not painted on the way.
    m_list.BeginUpdate();
    m_list.Clear();
    std::wstring name, comments;
    while (search.Fetch()) {
        const int id = search.GetShort(1);
        search.GetText(4, name);
        search.GetText(5, comments);
        ++m_searchRows;
        m_list.Append(NoteRow(id, name, comments, 1, kNoteImage));
    }
    m_list.EndUpdate();
    const double ms = NowMs() - start;
    for (int row = 0; row < m_list.Count(); ++row) m_searchNames.push_back(m_list.Name(row));
    return ms;
}

double CFloorWork::Expand()
{
    if (m_bigGroupRow < 0) throw std::runtime_error("the big group is not in the floor's list");
    const double start = NowMs();
    m_list.BeginUpdate();
    int last = m_bigGroupRow;
    for (const ListRow& row : m_groupNotes[static_cast<size_t>(m_bigGroup)]) last = m_list.Insert(last + 1, row);
    m_list.EndUpdate(last);
    return NowMs() - start;
}

void CFloorWork::Collapse()
{
    m_list.BeginUpdate();
    m_list.Delete(m_bigGroupRow + 1, BigGroupSize());
    m_list.EndUpdate(m_bigGroupRow);
}

void CFloorWork::ShowCatalogue()
{
    m_list.DeleteAll();
    m_list.BeginUpdate();
    for (const ListRow& row : m_topRows) m_list.Append(row);
    m_list.EndUpdate();
}

void CFloorWork::PrepareSave() { m_pages.ShowNoNote(); }

void CFloorWork::Save()
{
    NewNote note;
    m_pages.ReadTypedNote(note.title, note.comments, note.query, note.groupId);
    std::wstring text;
    {
        COdbcStatement next(m_database);
        next.Execute(kBenchNextNoteId);
        if (!next.Fetch()) throw std::runtime_error("no next id");
        next.GetText(1, text);
    }
    const int id = static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
    {
        COdbcStatement insert(m_database);
        insert.BindText(1, note.title);
        insert.BindText(2, note.comments);
        insert.BindText(3, note.query);
        insert.Execute(BenchInsertWithMarkers(id, note));
    }
    m_pages.ShowSavedNote();
}
