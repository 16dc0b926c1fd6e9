// CFloorWork: the floors of the dialog scenarios: the work the dialog must do
// for each action, done with bare ODBC calls, a bare list-view (CBareList)
// and bare page controls (CBarePages), on the dialog's thread; the searches
// for words through a plain SQLite driver with SQLite's own LIKE.
// Each timed operation returns its milliseconds. It keeps what the last
// catalogue read gave (the rows the list shows, the big group's notes), so
// later floors insert the same rows as the dialog.
#pragma once

#include "bench/BareList.h"
#include "bench/BarePages.h"
#include "bench/BenchSql.h"
#include "bench/ListRow.h"
#include "bench/OdbcConnection.h"

#include <string>
#include <vector>

class CFloorWork {
public:
    // `plainConnect`: a plain SQLite ODBC driver on the same file (SQLite's
    // own LIKE, the General collation loaded); empty: our driver throughout.
    CFloorWork(std::wstring connect, std::wstring plainConnect, int bigGroupId);

    // The list modelled on the note list `model`, the page controls on the
    // dialog's Edit and Group Edit pages, in one window at (x, y).
    bool CreateControls(HWND model, HIMAGELIST images, int x, int y, HWND editPage, HWND groupEditPage);
    int ListCount() const { return m_list.Count(); }
    const CBarePages& Pages() const { return m_pages; }
    int CatalogueRowCount() const { return m_catalogueRows; }
    int BigGroupRow() const { return m_bigGroupRow; }
    int BigGroupSize() const { return m_bigGroup < 0 ? 0 : static_cast<int>(m_groupNotes[static_cast<size_t>(m_bigGroup)].size()); }
    const std::wstring& BigGroupName() const { return m_bigGroupName; }
    int LastSearchRows() const { return m_searchRows; }
    // The names ReadPlainSearch read, in order.
    const std::vector<std::wstring>& LastSearchNames() const { return m_searchNames; }

    // File Open: closes the connection, connects, empties the two group
    // lists and fills them with the group list statement's rows, empties the
    // list and shows the catalogue's top-level rows.
    double Open();
    // File Open as a user picks the file: a bare Open dialog over `owner`,
    // as the dialog shows it, then Open once it returns `path`. Timed by the
    // caller, from the Open dialog's destruction, as the dialog's open is.
    void PickAndOpen(HWND owner, const std::wstring& path);
    // The search statement read through, the list emptied and filled with its rows.
    double Search(const std::wstring& statement);
    // A search for `word` through the plain SQLite driver (its connection
    // made untimed, on the first call), as the floor of a search for words:
    // the statement with SQLite's own LIKE, `%word%` bound to each of its
    // `markers`, read while the list is emptied and filled with its rows.
    double PlainSearch(const std::wstring& statement, int markers, const std::wstring& word);
    // Inserts the big group's notes below its row.
    double Expand();
    // Untimed: takes the rows of Expand out again.
    void Collapse();
    // Untimed: the list shows the catalogue's top-level rows again.
    void ShowCatalogue();
    // Untimed, before each Save: New hidden and Delete disabled, as New leaves them.
    void PrepareSave();
    // The note typed into the Edit page's stand-in read from its boxes and
    // group list, the next id and the insert as the Edit page's Save issues
    // them (the three texts bound), then New shown and Delete enabled. Timed
    // by the caller, as a message of its own (the click's counterpart).
    void Save();

private:

    std::wstring m_connect;
    std::wstring m_plainConnect;
    COdbcConnection m_plain;
    int m_bigGroupId;
    COdbcConnection m_database;
    CBareList m_list;
    CBarePages m_pages;
    std::vector<ListRow> m_topRows;        // the rows the catalogue shows, in order
    std::vector<std::vector<ListRow>> m_groupNotes;  // each listed group's notes as child rows, in list order
    int m_bigGroup = -1;                              // the big group's index in m_groupNotes
    std::wstring m_bigGroupName;
    int m_bigGroupRow = -1;
    int m_catalogueRows = 0;
    int m_searchRows = 0;
    std::vector<std::wstring> m_searchNames;
};
