// The Results floors: bare ODBC reading, a bare virtual list, the compact storage.
#include "bench/ResultFloors.h"

#include "bench/BareVirtualList.h"
#include "bench/Clock.h"
#include "bench/OdbcConnection.h"
#include "bench/OdbcStatement.h"
#include "run/ResultRows.h"

double CResultFloors::FirstScreen(const std::wstring& sql, CBareVirtualList& list)
{
    const double start = NowMs();
    COdbcStatement statement(m_connection);
    statement.Execute(sql);
    const std::vector<COdbcStatement::Column> columns = statement.Columns();
    m_headings.clear();
    for (const COdbcStatement::Column& column : columns) m_headings.push_back(column.name);
    const int wanted = list.RowsPerPage();
    m_screen.clear();
    while (static_cast<int>(m_screen.size()) < wanted && statement.Fetch()) {
        m_screen.emplace_back(columns.size());
        for (size_t i = 0; i < columns.size(); ++i) statement.GetText(static_cast<SQLUSMALLINT>(i + 1), m_screen.back()[i]);
    }
    list.SetColumns(m_headings);
    list.Show(static_cast<int>(m_screen.size()), [this](int row, int column) -> const std::wstring& { return m_screen[row][column]; });
    return NowMs() - start;
}

double CResultFloors::FetchAll(const std::wstring& sql, std::unique_ptr<ResultRows>& rows)
{
    const double start = NowMs();
    COdbcStatement statement(m_connection);
    statement.Execute(sql);
    const std::vector<COdbcStatement::Column> columns = statement.Columns();
    rows = std::make_unique<ResultRows>(columns.size());
    std::wstring text;
    while (statement.Fetch()) {
        for (size_t i = 0; i < columns.size(); ++i) {
            statement.GetText(static_cast<SQLUSMALLINT>(i + 1), text);
            rows->AddText(text.data(), text.size(), columns[i].number ? CellKind::Number : CellKind::Text);
        }
    }
    return NowMs() - start;
}
