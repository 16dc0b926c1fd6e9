// The bare work the Results scenarios are measured against, on a connection
// of its own: the statement executed and read with SQLFetch and SQLGetData,
// then either one screen of rows drawn in a bare virtual list-view or every
// row kept in the dialog's compact storage (ResultRows).
#pragma once

#include <memory>
#include <string>
#include <vector>

class CBareVirtualList;
class COdbcConnection;
class ResultRows;

class CResultFloors {
public:
    explicit CResultFloors(COdbcConnection& connection) : m_connection(connection) {}

    // Executes `sql`, reads as many rows as `list` shows at once and draws
    // them there: the milliseconds taken.
    double FirstScreen(const std::wstring& sql, CBareVirtualList& list);
    // Executes `sql` and reads every row into `rows` (made here): the milliseconds taken.
    double FetchAll(const std::wstring& sql, std::unique_ptr<ResultRows>& rows);

private:
    COdbcConnection& m_connection;
    std::vector<std::wstring> m_headings;
    std::vector<std::vector<std::wstring>> m_screen;  // the rows FirstScreen shows
};
