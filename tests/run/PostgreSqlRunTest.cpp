// Notes run on a PostgreSQL server through psqlODBC (the server the tests
// start for themselves, scripts/pg-server): the password is asked for once
// per dialog and never stored, a query shows its rows, an error says which
// statement failed, a function body in $$ ... $$ stays whole, a long
// query is cancelled without waiting for it, and a query's blanks meet
// typed columns as meant.
#include <gtest/gtest.h>

#include "tests/pages/NewFileStory.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/SecretSearch.h"
#include "tests/support/UiDriver.h"
#include "tests/support/WideText.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace dialogdriver;
using Texts = std::vector<std::wstring>;

std::wstring Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? Wide(value) : std::wstring();
}

// Clicks Execute and types `password` into the password box it shows; false
// when no box asked. The run's end is waited for.
bool ExecuteGivingPassword(HWND dialog, const Pages& p, const std::wstring& password)
{
    if (!PostClick(p.view, IDC_VIEW_EXECUTE)) return false;
    HWND box = ui::WaitForWindow(L"#32770", L"Password", 10000);
    if (box) {
        SetItemText(box, IDC_PASSWORD_TEXT, password);
        ui::PressButton(box, IDOK);
    }
    EXPECT_TRUE(WaitForRunEnd(dialog, 30000));
    return box != nullptr;
}

class PostgreSqlRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_connect.empty()) << "QB_PG_CONNECT is set by scripts/pg-server exec";
        ASSERT_FALSE(m_password.empty());
    }

    const std::wstring m_connect = Environment("QB_PG_CONNECT");
    const std::wstring m_password = Environment("QB_PG_PASSWORD");
    const storetest::TestFolder m_folder{L"postgresql run"};
};

TEST_F(PostgreSqlRun, AQueryAnErrorAndAFunctionBodyWithThePasswordAskedOnce)
{
    harness::Host host(true);
    pages::ExecuteOnNewFile(host, m_folder.File(L"notes.mdb"), [&](HWND dialog, const Pages& p) {
        SetRunSource(dialog, m_connect + L";PWD=");
        SetItemText(p.view, IDC_VIEW_QUERY, L"SELECT 1 AS one, 'two' AS two, NULL AS nothing UNION ALL SELECT 3, 'four', 5");
        EXPECT_TRUE(ExecuteGivingPassword(dialog, p, m_password)) << "the password is asked for at the first connection";
        EXPECT_EQ((Texts{L"one", L"two", L"nothing"}), ResultColumns(dialog)) << Narrow(ResultStatus(dialog));
        ASSERT_EQ(2, ResultRowCount(dialog));
        EXPECT_EQ(L"four", ResultCell(dialog, 1, 1));
        EXPECT_EQ(L"5", ResultCell(dialog, 1, 2));

        // The first error stops the run and says where.
        SetItemText(p.view, IDC_VIEW_QUERY, L"SELECT 1;\r\nSELECT * FROM no_such_table;\r\nSELECT 3");
        EXPECT_TRUE(Execute(dialog).empty()) << "no password asked again, no question";
        const std::wstring status = ResultStatus(dialog);
        EXPECT_NE(std::wstring::npos, status.find(L"SELECT * FROM no_such_table")) << Narrow(status);
        EXPECT_NE(std::wstring::npos, status.find(L"42P01")) << Narrow(status);

        // A function body's ';' stay inside its dollar quotes; creating it asks first.
        SetItemText(p.view, IDC_VIEW_QUERY,
                    L"CREATE OR REPLACE FUNCTION add_one(i integer) RETURNS integer AS $body$\r\n"
                    L"BEGIN\r\n  RETURN i + 1; -- one statement of the body\r\nEND;\r\n$body$ LANGUAGE plpgsql;\r\n"
                    L"SELECT add_one(41) AS answer");
        const Boxes asked = Execute(dialog, {IDOK});
        ASSERT_EQ(1u, asked.size()) << Describe(asked);
        EXPECT_NE(std::wstring::npos, asked[0].text.find(L"CREATE OR REPLACE FUNCTION add_one(i integer)")) << Narrow(asked[0].text);
        EXPECT_EQ((Texts{L"answer"}), ResultColumns(dialog)) << Narrow(ResultStatus(dialog));
        EXPECT_EQ(L"42", ResultCell(dialog, 0, 0));
    });
}

TEST_F(PostgreSqlRun, ALongQueryIsCancelledAndTheConnectionServesTheNextRun)
{
    harness::Host host(true);
    pages::ExecuteOnNewFile(host, m_folder.File(L"cancel.mdb"), [&](HWND dialog, const Pages& p) {
        SetRunSource(dialog, m_connect + L";PWD=" + m_password);
        SetItemText(p.view, IDC_VIEW_QUERY, L"SELECT pg_sleep(60)");
        ASSERT_TRUE(PostClick(p.view, IDC_VIEW_EXECUTE));
        bool running = false;
        for (int i = 0; i < 200 && !running; ++i) {
            running = ItemText(p.view, IDC_VIEW_EXECUTE).find(L"Cancel") != std::wstring::npos;
            if (!running) ::Sleep(50);
        }
        ASSERT_TRUE(running) << "Execute reads Cancel while the query runs";
        EXPECT_TRUE(PostClick(p.view, IDC_VIEW_EXECUTE));
        // Far less than the query's minute: the server was told to stop.
        EXPECT_TRUE(WaitForRunEnd(dialog, 20000)) << "the cancelled query still runs";

        EXPECT_NE(std::wstring::npos, ResultStatus(dialog).find(L"ancel")) << Narrow(ResultStatus(dialog));

        // The same connection serves the next run, and the server runs no sleep any more.
        SetItemText(p.view, IDC_VIEW_QUERY,
                    L"SELECT count(*) AS sleeping FROM pg_stat_activity WHERE state = 'active' AND query = 'SELECT pg_sleep(60)'");
        EXPECT_TRUE(Execute(dialog).empty());
        EXPECT_EQ(L"0", ResultCell(dialog, 0, 0)) << Narrow(ResultStatus(dialog));
    });
}

// Blanks on a server that types its parameters: a value that reads as a
// number meets an integer column, any other a text one; casts and
// assignments ask nothing.
TEST_F(PostgreSqlRun, BlanksMeetTypedColumnsAndCastsAskNothing)
{
    harness::Host host(true);
    pages::ExecuteOnNewFile(host, m_folder.File(L"blanks.mdb"), [&](HWND dialog, const Pages& p) {
        SetRunSource(dialog, m_connect + L";PWD=" + m_password);
        SetItemText(p.view, IDC_VIEW_QUERY,
                    L"SELECT n, name FROM (VALUES (1, 'Ann'), (42, 'O''Brien')) AS ${alias}(n, name)\r\n"
                    L"WHERE n = :n OR name = :name;\r\n"
                    L"DO $$ DECLARE x integer; BEGIN x := 1; END $$;\r\n"
                    L"SELECT ':x'::text AS colon, :n::int + 1 AS next");
        EXPECT_TRUE(PostClick(p.view, IDC_VIEW_EXECUTE));
        HWND ask = ui::WaitForWindow(L"#32770", L"Values for the query");
        ASSERT_NE(nullptr, ask);
        EXPECT_EQ(L"alias:", ItemText(ask, IDC_PLACEHOLDER_FIRST));
        EXPECT_EQ(L"n:", ItemText(ask, IDC_PLACEHOLDER_FIRST + 2));
        EXPECT_EQ(L"name:", ItemText(ask, IDC_PLACEHOLDER_FIRST + 4));
        EXPECT_EQ(nullptr, ::GetDlgItem(ask, IDC_PLACEHOLDER_FIRST + 6)) << "':x', :=, ::int ask nothing";
        SetItemText(ask, IDC_PLACEHOLDER_FIRST + 1, L"t");
        SetItemText(ask, IDC_PLACEHOLDER_FIRST + 3, L"42");
        SetItemText(ask, IDC_PLACEHOLDER_FIRST + 5, L"1 OR 1=1");
        ui::PressButton(ask, IDOK);
        // The DO block asks as a statement that may change data.
        AnswerBoxes(dialog, {IDOK});
        ASSERT_TRUE(WaitForRunEnd(dialog, 30000));
        ASSERT_EQ(1, ResultRowCount(dialog)) << Narrow(ResultStatus(dialog));
        EXPECT_EQ(L"O'Brien", ResultCell(dialog, 0, 1)) << "42 met the integer, the text met nothing";
        EXPECT_TRUE(ChooseEntry(p.results, IDC_RESULTS_CHOICE, L"Result 2: statement 3").empty());
        EXPECT_EQ(L":x", ResultCell(dialog, 0, 0));
        EXPECT_EQ(L"43", ResultCell(dialog, 0, 1));
    });
}

TEST_F(PostgreSqlRun, APasswordIsNeverStored)
{
    const std::wstring file = m_folder.File(L"stored.mdb");
    harness::Host host(true);
    pages::ExecuteOnNewFile(host, file, [&](HWND dialog, const Pages& p) {
        // Typed in the connection string: used, and kept without it.
        SetRunSource(dialog, m_connect + L";PWD=" + m_password);
        SetItemText(p.view, IDC_VIEW_QUERY, L"SELECT current_user AS who");
        EXPECT_TRUE(Execute(dialog).empty());
        EXPECT_EQ(L"quillbox", ResultCell(dialog, 0, 0)) << Narrow(ResultStatus(dialog));
    });
    // The next dialog on the same database remembers the data source, not the password.
    harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(OpenFile(dialog, file).boxes.empty());
        const Pages p = FindPages(dialog);
        const std::wstring source = ItemText(p.results, IDC_RESULTS_SOURCE);
        EXPECT_NE(std::wstring::npos, source.find(L"Port=")) << Narrow(source);
        EXPECT_EQ(std::wstring::npos, source.find(m_password)) << Narrow(source);
        SetItemText(p.view, IDC_VIEW_QUERY, L"SELECT current_user AS who");
        EXPECT_TRUE(ExecuteGivingPassword(dialog, p, m_password)) << "asked for again";
        EXPECT_EQ(L"quillbox", ResultCell(dialog, 0, 0)) << Narrow(ResultStatus(dialog));
    });

    Texts found = RegistryPlacesHolding(HKEY_CURRENT_USER, L"HKCU", m_password);
    for (const std::wstring& inFile : FilesHolding(m_folder.Path(), m_password)) found.push_back(inFile);
    const std::wstring odbc = storetest::WindowsPathOf(std::getenv("ODBCSYSINI") ? std::getenv("ODBCSYSINI") : "");
    for (const std::wstring& inFile : FilesHolding(odbc, m_password)) found.push_back(inFile);
    EXPECT_TRUE(found.empty()) << Narrow(found.empty() ? std::wstring() : found.front());
}

} // namespace
