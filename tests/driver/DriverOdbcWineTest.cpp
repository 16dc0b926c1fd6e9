// The note database driver and its setup DLL through Wine's odbc32 and
// odbccp32 and the host's unixODBC, with raw ODBC calls: file creation by the
// installer, connect strings with Windows paths, column descriptions,
// long texts in pieces, diagnostics, row counts and transactions, and the
// note files of earlier builds.
#include <windows.h>
#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t* const kDriver = L"Microsoft Access Driver (*.mdb)";

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::wstring TempFolderPath()
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"quillbox driver " + std::to_wstring(::GetCurrentProcessId());
}

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    ::CloseHandle(file);
    return bytes;
}

bool CreateWithInstaller(const std::wstring& path)
{
    const std::wstring attributes = L"CREATE_DB=\"" + path + L"\";";
    return ::SQLConfigDataSourceW(nullptr, ODBC_ADD_DSN, kDriver, attributes.c_str()) != FALSE;
}

// Whether the driver's section of the odbcinst.ini that unixODBC reads
// ($ODBCSYSINI, a Unix folder) asks for Windows' Access driver's limits.
bool WindowsLimitsRegistered()
{
    wchar_t folder[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"ODBCSYSINI", folder, MAX_PATH)) return false;
    std::wstring ini = std::wstring(L"Z:") + folder + L"/odbcinst.ini";
    for (wchar_t& c : ini) c = c == L'/' ? L'\\' : c;
    wchar_t value[16] = {};
    ::GetPrivateProfileStringW(kDriver, L"WindowsLimits", L"", value, 16, ini.c_str());
    return ::lstrcmpiW(value, L"Yes") == 0;
}

// First diagnostic record of a handle: "STATE|message".
std::wstring Diagnostic(SQLSMALLINT type, SQLHANDLE handle)
{
    SQLWCHAR state[6] = {};
    SQLWCHAR message[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(::SQLGetDiagRecW(type, handle, 1, state, &native, message, 1024, &length))) return L"<none>";
    return std::wstring(reinterpret_cast<wchar_t*>(state)) + L"|" + reinterpret_cast<wchar_t*>(message);
}

// First diagnostic record of a handle with its native code: "STATE|native|message".
std::wstring DiagnosticWithNative(SQLSMALLINT type, SQLHANDLE handle)
{
    SQLWCHAR state[6] = {};
    SQLWCHAR message[1024] = {};
    SQLINTEGER native = -1;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(::SQLGetDiagRecW(type, handle, 1, state, &native, message, 1024, &length))) return L"<none>";
    return std::wstring(reinterpret_cast<wchar_t*>(state)) + L"|" + std::to_wstring(native) + L"|" + reinterpret_cast<wchar_t*>(message);
}

// One environment and connection to a new note database file.
class DriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(m_folder.c_str(), nullptr);
        m_path = m_folder + L"\\driver test.mdb";
        ::DeleteFileW(m_path.c_str());
        ASSERT_TRUE(CreateWithInstaller(m_path));
        ASSERT_TRUE(SQL_SUCCEEDED(::SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_env)));
        ::SQLSetEnvAttr(m_env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        m_dbc = Connect(m_path);
        ASSERT_NE(nullptr, m_dbc);
        Exec(L"CREATE TABLE notes (id SMALLINT NOT NULL,groupId SMALLINT NOT NULL,name VARCHAR(255) NOT NULL,comments VARCHAR(255),"
             L"query LONGTEXT NOT NULL,PRIMARY KEY(id))");
    }
    void TearDown() override
    {
        for (SQLHDBC dbc : m_connections) {
            ::SQLDisconnect(dbc);
            ::SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        }
        if (m_env) ::SQLFreeHandle(SQL_HANDLE_ENV, m_env);
        ::DeleteFileW(m_path.c_str());
        ::RemoveDirectoryW(m_folder.c_str());
    }
    SQLHDBC Connect(const std::wstring& path)
    {
        SQLHDBC dbc = nullptr;
        ::SQLAllocHandle(SQL_HANDLE_DBC, m_env, &dbc);
        std::wstring text = std::wstring(L"DRIVER={") + kDriver + L"};DSN='';DBQ=" + path;
        SQLWCHAR out[1024];
        SQLSMALLINT outLength = 0;
        const SQLRETURN rc = ::SQLDriverConnectW(dbc, nullptr, reinterpret_cast<SQLWCHAR*>(text.data()), SQL_NTS, out, 1024, &outLength,
                                                 SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc)) {
            m_lastError = Diagnostic(SQL_HANDLE_DBC, dbc);
            ::SQLFreeHandle(SQL_HANDLE_DBC, dbc);
            return nullptr;
        }
        m_connections.push_back(dbc);
        return dbc;
    }
    SQLRETURN Exec(const std::wstring& sql, SQLHDBC dbc = nullptr, SQLLEN* rowCount = nullptr)
    {
        SQLHSTMT stmt = nullptr;
        ::SQLAllocHandle(SQL_HANDLE_STMT, dbc ? dbc : m_dbc, &stmt);
        std::wstring text = sql;
        const SQLRETURN rc = ::SQLExecDirectW(stmt, reinterpret_cast<SQLWCHAR*>(text.data()), SQL_NTS);
        m_lastError = rc == SQL_ERROR ? Diagnostic(SQL_HANDLE_STMT, stmt) : L"";
        if (rowCount) ::SQLRowCount(stmt, rowCount);
        ::SQLFreeHandle(SQL_HANDLE_STMT, stmt);
        return rc;
    }
    // The first column of every row of `sql`, as text.
    std::vector<std::wstring> Column(const std::wstring& sql, SQLHDBC dbc)
    {
        std::vector<std::wstring> rows;
        SQLHSTMT stmt = nullptr;
        ::SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
        std::wstring text = sql;
        if (!SQL_SUCCEEDED(::SQLExecDirectW(stmt, reinterpret_cast<SQLWCHAR*>(text.data()), SQL_NTS))) {
            rows.push_back(L"error: " + Diagnostic(SQL_HANDLE_STMT, stmt));
        }
        while (SQL_SUCCEEDED(::SQLFetch(stmt))) {
            SQLWCHAR value[4096] = {};
            SQLLEN length = 0;
            ::SQLGetData(stmt, 1, SQL_C_WCHAR, value, sizeof value, &length);
            rows.push_back(reinterpret_cast<wchar_t*>(value));
        }
        ::SQLFreeHandle(SQL_HANDLE_STMT, stmt);
        return rows;
    }
    std::wstring m_folder = TempFolderPath();
    std::wstring m_path;
    std::wstring m_lastError;
    SQLHENV m_env = nullptr;
    SQLHDBC m_dbc = nullptr;
    std::vector<SQLHDBC> m_connections;
};

TEST(SetupDll, CreatesAnEmptyFileAndNeverOverwrites)
{
    const std::wstring folder = TempFolderPath() + L" setup";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\new notes.mdb";
    ::DeleteFileW(path.c_str());
    ASSERT_TRUE(CreateWithInstaller(path));
    EXPECT_EQ(std::string(), ReadBytes(path));

    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, "keep me", 7, &written, nullptr);
    ::CloseHandle(file);
    EXPECT_FALSE(CreateWithInstaller(path));
    EXPECT_EQ("keep me", ReadBytes(path));

    EXPECT_FALSE(CreateWithInstaller(folder + L"\\missing\\notes.mdb"));
    EXPECT_EQ("<missing>", ReadBytes(folder + L"\\missing\\notes.mdb"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((folder + L"\\missing").c_str()));

    EXPECT_FALSE(::SQLConfigDataSourceW(nullptr, ODBC_ADD_DSN, kDriver, L"DSN=notes;")) << "the driver keeps no data sources";
    ::DeleteFileW(path.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST_F(DriverTest, MissingFileNamesIt)
{
    EXPECT_EQ(nullptr, Connect(m_folder + L"\\absent.mdb"));
    EXPECT_EQ(L"08001|[Quillbox][Note database driver] Could not find file '" + m_folder + L"\\absent.mdb'.", m_lastError);
}

TEST_F(DriverTest, DescribesAccessTypes)
{
    SQLHSTMT stmt = nullptr;
    ::SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &stmt);
    std::wstring sql = L"SELECT id, name, query, Max(id)+1 FROM notes";
    ASSERT_TRUE(SQL_SUCCEEDED(::SQLExecDirectW(stmt, reinterpret_cast<SQLWCHAR*>(sql.data()), SQL_NTS)));
    const SQLSMALLINT expectedTypes[] = {SQL_SMALLINT, SQL_WVARCHAR, SQL_WLONGVARCHAR};
    const SQLULEN expectedSizes[] = {5, 255};
    for (SQLUSMALLINT c = 1; c <= 3; ++c) {
        SQLWCHAR name[64];
        SQLSMALLINT nameLength = 0, type = 0, decimals = 0, nullable = 0;
        SQLULEN size = 0;
        ASSERT_TRUE(SQL_SUCCEEDED(::SQLDescribeColW(stmt, c, name, 64, &nameLength, &type, &size, &decimals, &nullable)));
        EXPECT_EQ(expectedTypes[c - 1], type) << "column " << c;
        if (c <= 2) {
            EXPECT_EQ(expectedSizes[c - 1], size) << "column " << c;
        }
    }
    ::SQLFreeHandle(SQL_HANDLE_STMT, stmt);
}

TEST_F(DriverTest, LongTextArrivesInPiecesWith01004)
{
    std::wstring text;
    for (int i = 0; text.size() < 100000; ++i) text += L"line " + std::to_wstring(i) + L" \u00e9\U0001F600\r\n";
    // In, as a parameter sent in pieces at execution, with a NULL beside it.
    SQLHSTMT stmt = nullptr;
    ::SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &stmt);
    std::wstring sql = L"INSERT INTO notes VALUES(1,0,'long',?,?)";
    SQLLEN nullComments = SQL_NULL_DATA, atExecution = SQL_LEN_DATA_AT_EXEC(static_cast<SQLLEN>(text.size() * 2));
    ::SQLBindParameter(stmt, 1, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 255, 0, nullptr, 0, &nullComments);
    ::SQLBindParameter(stmt, 2, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WLONGVARCHAR, text.size(), 0, reinterpret_cast<SQLPOINTER>(2), 0,
                       &atExecution);
    ASSERT_EQ(SQL_NEED_DATA, ::SQLExecDirectW(stmt, reinterpret_cast<SQLWCHAR*>(sql.data()), SQL_NTS));
    SQLPOINTER token = nullptr;
    ASSERT_EQ(SQL_NEED_DATA, ::SQLParamData(stmt, &token));
    EXPECT_EQ(reinterpret_cast<SQLPOINTER>(2), token);
    for (size_t at = 0; at < text.size(); at += 7001) {
        const size_t piece = std::min<size_t>(7001, text.size() - at);
        ASSERT_EQ(SQL_SUCCESS, ::SQLPutData(stmt, &text[at], static_cast<SQLLEN>(piece * 2)));
    }
    ASSERT_EQ(SQL_SUCCESS, ::SQLParamData(stmt, &token)) << Narrow(Diagnostic(SQL_HANDLE_STMT, stmt));
    ::SQLFreeHandle(SQL_HANDLE_STMT, stmt);

    ::SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &stmt);
    sql = L"SELECT id, comments, query FROM notes";
    ASSERT_TRUE(SQL_SUCCEEDED(::SQLExecDirectW(stmt, reinterpret_cast<SQLWCHAR*>(sql.data()), SQL_NTS)));
    ASSERT_EQ(SQL_SUCCESS, ::SQLFetch(stmt));

    SQLSMALLINT id = 0;
    SQLLEN indicator = 0;
    ASSERT_EQ(SQL_SUCCESS, ::SQLGetData(stmt, 1, SQL_C_SSHORT, &id, sizeof id, &indicator));
    EXPECT_EQ(1, id);
    SQLWCHAR small[8];
    ASSERT_EQ(SQL_SUCCESS, ::SQLGetData(stmt, 2, SQL_C_WCHAR, small, sizeof small, &indicator));
    EXPECT_EQ(SQL_NULL_DATA, indicator);

    std::wstring read;
    int pieces = 0;
    SQLWCHAR buffer[1000];
    for (;;) {
        const SQLRETURN rc = ::SQLGetData(stmt, 3, SQL_C_WCHAR, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA) break;
        ASSERT_TRUE(SQL_SUCCEEDED(rc));
        ++pieces;
        if (rc == SQL_SUCCESS_WITH_INFO) {
            EXPECT_EQ(L"01004", Diagnostic(SQL_HANDLE_STMT, stmt).substr(0, 5));
            EXPECT_EQ(static_cast<SQLLEN>((text.size() - read.size()) * sizeof(SQLWCHAR)), indicator) << "bytes still to come";
            read += reinterpret_cast<wchar_t*>(buffer);
        } else {
            read.append(reinterpret_cast<wchar_t*>(buffer), static_cast<size_t>(indicator) / sizeof(SQLWCHAR));
        }
    }
    EXPECT_GT(pieces, 50);
    EXPECT_TRUE(read == text) << "read " << read.size() << " of " << text.size() << " characters";
    EXPECT_EQ(SQL_NO_DATA, ::SQLFetch(stmt));
    ::SQLFreeHandle(SQL_HANDLE_STMT, stmt);
}

// Texts that no string constant may hold travel as parameters, exactly; the
// usual misuse gets the usual states, and leaves the statement usable.
TEST_F(DriverTest, ParametersCarryAnyTextAndRefuseMisuse)
{
    SQLHSTMT stmt = nullptr;
    ::SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &stmt);
    std::wstring sql = L"INSERT INTO notes(id,groupId,name,comments,query) VALUES(?,0,?,?,?)";
    ASSERT_EQ(SQL_SUCCESS, ::SQLPrepareW(stmt, reinterpret_cast<SQLWCHAR*>(sql.data()), SQL_NTS));
    SQLSMALLINT markers = 0;
    EXPECT_EQ(SQL_SUCCESS, ::SQLNumParams(stmt, &markers));
    EXPECT_EQ(4, markers);
    SQLINTEGER id = 7;
    std::wstring name = L"a|b '%_' [dbo].[t] #temp * ? 漢字 😀", query = L"SELECT a || b FROM t";
    SQLLEN idLength = 0, nameLength = SQL_NTS, emptyLength = 0, queryLength = static_cast<SQLLEN>(query.size() * 2);
    ASSERT_EQ(SQL_SUCCESS, ::SQLBindParameter(stmt, 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 10, 0, &id, 0, &idLength));
    ASSERT_EQ(SQL_SUCCESS, ::SQLBindParameter(stmt, 2, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 255, 0, name.data(), 0, &nameLength));
    EXPECT_EQ(SQL_ERROR, ::SQLExecute(stmt)) << "two markers have no value";
    EXPECT_EQ(L"07002", Diagnostic(SQL_HANDLE_STMT, stmt).substr(0, 5));
    ASSERT_EQ(SQL_SUCCESS, ::SQLBindParameter(stmt, 3, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 255, 0, name.data(), 0, &emptyLength));
    ASSERT_EQ(SQL_SUCCESS, ::SQLBindParameter(stmt, 4, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WLONGVARCHAR, query.size(), 0, query.data(), 0,
                                              &queryLength));
    EXPECT_EQ(SQL_ERROR, ::SQLPutData(stmt, query.data(), 2)) << "no parameter waits for data";
    EXPECT_EQ(L"HY010", Diagnostic(SQL_HANDLE_STMT, stmt).substr(0, 5));
    ASSERT_EQ(SQL_SUCCESS, ::SQLExecute(stmt)) << Narrow(Diagnostic(SQL_HANDLE_STMT, stmt));
    id = 8;  // the same bound buffers, read again at the next execution
    ASSERT_EQ(SQL_SUCCESS, ::SQLExecute(stmt)) << Narrow(Diagnostic(SQL_HANDLE_STMT, stmt));

    // A number sent at execution comes whole, once: a second piece is
    // refused and abandons the execution, which then runs again.
    idLength = SQL_DATA_AT_EXEC;
    SQLPOINTER token = nullptr;
    id = 9;
    for (int attempt = 0; attempt < 2; ++attempt) {
        ASSERT_EQ(SQL_NEED_DATA, ::SQLExecute(stmt));
        ASSERT_EQ(SQL_NEED_DATA, ::SQLParamData(stmt, &token));
        EXPECT_EQ(&id, token);
        ASSERT_EQ(SQL_SUCCESS, ::SQLPutData(stmt, &id, 0));
        if (attempt == 0) {
            EXPECT_EQ(SQL_ERROR, ::SQLPutData(stmt, &id, 0));
            EXPECT_EQ(L"HY019", Diagnostic(SQL_HANDLE_STMT, stmt).substr(0, 5));
            EXPECT_EQ(SQL_ERROR, ::SQLParamData(stmt, &token));
        }
    }
    ASSERT_EQ(SQL_SUCCESS, ::SQLParamData(stmt, &token)) << Narrow(Diagnostic(SQL_HANDLE_STMT, stmt));
    // Cancelled while waiting: nothing is written.
    ASSERT_EQ(SQL_NEED_DATA, ::SQLExecute(stmt));
    EXPECT_EQ(SQL_SUCCESS, ::SQLCancel(stmt));
    EXPECT_EQ(SQL_ERROR, ::SQLParamData(stmt, &token));
    ::SQLFreeHandle(SQL_HANDLE_STMT, stmt);

    EXPECT_EQ((std::vector<std::wstring>{L"7", L"8", L"9"}), Column(L"SELECT id FROM notes ORDER BY id", m_dbc));
    EXPECT_EQ((std::vector<std::wstring>(3, name)), Column(L"SELECT name FROM notes ORDER BY id", m_dbc));
    EXPECT_EQ((std::vector<std::wstring>(3, L"")), Column(L"SELECT comments FROM notes WHERE comments IS NOT NULL", m_dbc));
    EXPECT_EQ((std::vector<std::wstring>(3, query)), Column(L"SELECT query FROM notes ORDER BY id", m_dbc));
}

TEST_F(DriverTest, RowCountsAndUpdatesThatTouchNothing)
{
    ASSERT_EQ(SQL_SUCCESS, Exec(L"INSERT INTO notes VALUES(1,0,'a','','q')"));
    ASSERT_EQ(SQL_SUCCESS, Exec(L"INSERT INTO notes VALUES(2,0,'b','','q')"));
    SQLLEN count = 0;
    EXPECT_EQ(SQL_SUCCESS, Exec(L"UPDATE notes SET name='c'", nullptr, &count));
    EXPECT_EQ(2, count);
    EXPECT_EQ(SQL_NO_DATA, Exec(L"DELETE FROM notes WHERE id=99"));
    count = 0;
    EXPECT_EQ(SQL_SUCCESS, Exec(L"CREATE TABLE other (x SMALLINT)", nullptr, &count));
    EXPECT_EQ(-1, count) << "a statement that changes no rows has no row count";
}

// As its odbcinst.ini section says: Windows' Access driver's limits, each
// refusal naming its limit, too-long text cut and LIKE over 255 characters
// (WindowsLimits=Yes; ctest runs this test both ways), or SQLite's forms
// run and too-long text refused.
TEST_F(DriverTest, WindowsLimitsAsRegistered)
{
    const bool limits = WindowsLimitsRegistered();
    const std::wstring origin = L"42000|[Quillbox][Note database driver] ";
    const struct {
        std::wstring sql;
        std::wstring refusal;
    } cases[] = {
        {L"SELECT id FROM notes WHERE name='" + std::wstring(65000, L'\u00e9') + L"'",
         L"The statement is 65,034 characters long; the Access driver accepts at most 65,000. Pass long texts as parameters."},
        {L"SELECT id FROM notes WHERE query='a|b'",
         L"The string constant 'a|b' holds the character |, which the Access driver does not accept in a string constant. "
         L"Pass the text as a parameter."},
        {L"SELECT id FROM notes WHERE name=\"x\"",
         L"\"x\" is in double quotes: the Access driver takes string constants in single quotes only and does not know double-quoted names."},
        {L"SELECT id FROM notes WHERE name LIKE 'a!%' ESCAPE '!'", L"LIKE ... ESCAPE is not supported by the Access driver."},
        {L"SELECT id FROM notes ORDER BY id LIMIT 5 OFFSET 1", L"LIMIT is SQLite's own: the Access driver does not know it."},
        {L"SELECT lower(name) FROM notes",
         L"The function lower is not one the Access driver shares with this driver (Count, Max, Min, Sum, Avg, InStr)."},
    };
    for (const auto& c : cases) {
        if (limits) {
            EXPECT_EQ(SQL_ERROR, Exec(c.sql));
            EXPECT_EQ(origin + c.refusal, m_lastError);
        } else {
            EXPECT_TRUE(SQL_SUCCEEDED(Exec(c.sql))) << Narrow(m_lastError);
        }
    }

    const std::wstring tooLong = L"INSERT INTO notes VALUES(1,0,'" + std::wstring(256, L'x') + L"','','" + std::wstring(254, L'q') + L"needle')";
    if (!limits) {
        EXPECT_EQ(SQL_ERROR, Exec(tooLong));
        EXPECT_EQ(L"22001|[Quillbox][Note database driver] The text for the field 'notes.name' is too long: the field holds at most 255 "
                  L"characters (VARCHAR(255)).",
                  m_lastError);
        return;
    }
    ASSERT_EQ(SQL_SUCCESS, Exec(tooLong)) << Narrow(m_lastError);
    EXPECT_EQ((std::vector<std::wstring>{std::wstring(255, L'x')}), Column(L"SELECT name FROM notes", m_dbc));
    EXPECT_EQ((std::vector<std::wstring>{}), Column(L"SELECT id FROM notes WHERE query LIKE '%needle%'", m_dbc))
        << "the needle starts at character 255";
    EXPECT_EQ((std::vector<std::wstring>{L"1"}), Column(L"SELECT id FROM notes WHERE query LIKE '%qn%'", m_dbc));
}

TEST_F(DriverTest, RefusedValuesCarryStateAndText)
{
    EXPECT_EQ(SQL_ERROR, Exec(L"INSERT INTO notes VALUES(-32769,0,'x','','q')"));
    EXPECT_EQ(L"22003", m_lastError.substr(0, 5));
    EXPECT_EQ(SQL_ERROR, Exec(L"INSERT INTO notes VALUES(1,0,'x','',NULL)"));
    EXPECT_EQ(L"23000", m_lastError.substr(0, 5));
    EXPECT_EQ(SQL_ERROR, Exec(L"SELECT * FROM nowhere"));
    EXPECT_EQ(L"42S02", m_lastError.substr(0, 5));
}

// What a caller reads back from each kind of refusal: state, native code
// (SQLite's for the file's own rules, 0 for the driver's checks) and text.
TEST_F(DriverTest, RefusalsKeepTheirStateNativeCodeAndText)
{
    const std::wstring origin = L"[Quillbox][Note database driver] ";
    const std::wstring file = L"'" + m_path + L"'";
    ASSERT_EQ(SQL_SUCCESS, Exec(L"INSERT INTO notes VALUES(1,0,'abc',NULL,'q')"));
    struct Refusal {
        const wchar_t* sql;
        std::wstring expected;
    };
    const Refusal refusals[] = {
        {L"", L"42000|0|" + origin + L"The SQL statement is empty."},
        {L"SELECT 1; SELECT 2", L"42000|0|" + origin + L"Characters found after end of SQL statement: run one statement at a time."},
        {L"SELEC name FROM notes", L"42000|1|" + origin + L"Syntax error in the SQL statement (near \"SELEC\": syntax error)."},
        {L"SELECT nope FROM notes", L"42S22|1|" + origin + L"Unknown field 'nope' in the SQL statement."},
        {L"SELECT * FROM nowhere",
         L"42S02|1|" + origin + L"The table 'nowhere' does not exist in the database " + file + L"; the file may not be a note database."},
        {L"CREATE TABLE notes (x SMALLINT)", L"42S01|1|" + origin + L"The table 'notes' already exists in the database " + file + L"."},
        {L"INSERT INTO notes VALUES(2,0,'x','',NULL)",
         L"23000|1299|" + origin + L"The field 'notes.query' cannot be empty: a value is required (NOT NULL)."},
        {L"INSERT INTO notes VALUES(1,0,'x','','q')",
         L"23000|1555|" + origin + L"The value for the field 'notes.id' is already used by another row: the field is a primary key or "
                                  L"has a unique index, so duplicate values are not allowed."},
        {L"INSERT INTO notes VALUES(-32769,0,'x','','q')",
         L"22003|275|" + origin + L"The value for the field 'notes.id' is out of range: the field holds whole numbers from -32768 to 32767 "
                                 L"(SMALLINT)."},
    };
    for (const Refusal& refusal : refusals) {
        SQLHSTMT stmt = nullptr;
        ::SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &stmt);
        std::wstring text = refusal.sql;
        EXPECT_EQ(SQL_ERROR, ::SQLExecDirectW(stmt, reinterpret_cast<SQLWCHAR*>(text.data()), SQL_NTS)) << Narrow(text);
        EXPECT_EQ(Narrow(refusal.expected), Narrow(DiagnosticWithNative(SQL_HANDLE_STMT, stmt))) << Narrow(text);
        ::SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    }

    // Reading a row: values that do not fit what the caller asked for.
    SQLHSTMT stmt = nullptr;
    ::SQLAllocHandle(SQL_HANDLE_STMT, m_dbc, &stmt);
    std::wstring sql = L"SELECT id, name, comments, 300, 1.5 FROM notes";
    ASSERT_TRUE(SQL_SUCCEEDED(::SQLExecDirectW(stmt, reinterpret_cast<SQLWCHAR*>(sql.data()), SQL_NTS)));
    SQLWCHAR name[8];
    SQLSMALLINT nameLength = 0, type = 0, decimals = 0, nullable = 0;
    SQLULEN size = 0;
    EXPECT_EQ(SQL_ERROR, ::SQLDescribeColW(stmt, 9, name, 8, &nameLength, &type, &size, &decimals, &nullable));
    EXPECT_EQ(Narrow(L"07009|0|" + origin + L"Invalid descriptor index 9."), Narrow(DiagnosticWithNative(SQL_HANDLE_STMT, stmt)));
    ASSERT_EQ(SQL_SUCCESS, ::SQLFetch(stmt));
    SQLSMALLINT number = 0;
    SQLLEN indicator = 0;
    EXPECT_EQ(SQL_ERROR, ::SQLGetData(stmt, 2, SQL_C_SSHORT, &number, sizeof number, &indicator));
    EXPECT_EQ(Narrow(L"22018|0|" + origin + L"Invalid character value for the requested type: column 2 holds text that is not a number."),
              Narrow(DiagnosticWithNative(SQL_HANDLE_STMT, stmt)));
    SQLWCHAR small[2];
    EXPECT_EQ(SQL_ERROR, ::SQLGetData(stmt, 3, SQL_C_WCHAR, small, sizeof small, nullptr));
    EXPECT_EQ(Narrow(L"22002|0|" + origin + L"Indicator variable required but not supplied: the value is NULL."),
              Narrow(DiagnosticWithNative(SQL_HANDLE_STMT, stmt)));
    SQLSCHAR tiny = 0;
    EXPECT_EQ(SQL_ERROR, ::SQLGetData(stmt, 4, SQL_C_STINYINT, &tiny, sizeof tiny, &indicator));
    EXPECT_EQ(Narrow(L"22003|0|" + origin + L"Numeric value out of range: the value 300 of column 4 does not fit the requested type."),
              Narrow(DiagnosticWithNative(SQL_HANDLE_STMT, stmt)));
    SQLINTEGER whole = 0;
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, ::SQLGetData(stmt, 5, SQL_C_SLONG, &whole, sizeof whole, &indicator));
    EXPECT_EQ(1, whole);
    EXPECT_EQ(Narrow(L"01S07|0|" + origin + L"Fractional truncation."), Narrow(DiagnosticWithNative(SQL_HANDLE_STMT, stmt)));
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, ::SQLGetData(stmt, 2, SQL_C_WCHAR, small, sizeof small, &indicator));
    EXPECT_EQ(Narrow(L"01004|0|" + origin + L"String data, right truncated."), Narrow(DiagnosticWithNative(SQL_HANDLE_STMT, stmt)));
    ::SQLFreeStmt(stmt, SQL_CLOSE);
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, ::SQLSetStmtAttrW(stmt, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(SQL_CONCUR_LOCK), 0));
    EXPECT_EQ(Narrow(L"01S02|0|" + origin + L"Option value changed: cursors are read-only."), Narrow(DiagnosticWithNative(SQL_HANDLE_STMT, stmt)));
    EXPECT_EQ(SQL_ERROR, ::SQLSetStmtAttrW(stmt, SQL_ATTR_CURSOR_SCROLLABLE, reinterpret_cast<SQLPOINTER>(SQL_SCROLLABLE), 0));
    EXPECT_EQ(Narrow(L"HYC00|0|" + origin + L"Scrollable cursors are not supported."), Narrow(DiagnosticWithNative(SQL_HANDLE_STMT, stmt)));
    ::SQLFreeHandle(SQL_HANDLE_STMT, stmt);

    // Connecting: a folder, a file that is no database, a short buffer for the completed string.
    EXPECT_EQ(nullptr, Connect(m_folder));
    EXPECT_EQ(Narrow(L"08001|" + origin + L"'" + m_folder + L"' is a folder, not a note database file."), Narrow(m_lastError));
    const std::wstring notDatabase = m_folder + L"\\plain.txt";
    HANDLE plain = ::CreateFileW(notDatabase.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(plain, "just some words, no database at all, long enough to fill a header page", 72, &written, nullptr);
    ::CloseHandle(plain);
    EXPECT_EQ(nullptr, Connect(notDatabase));
    EXPECT_EQ(Narrow(L"08001|" + origin + L"The file '" + notDatabase + L"' is not a note database: it is not a database file this driver can read."),
              Narrow(m_lastError));
    ::DeleteFileW(notDatabase.c_str());
    SQLHDBC dbc = nullptr;
    ::SQLAllocHandle(SQL_HANDLE_DBC, m_env, &dbc);
    std::wstring connect = std::wstring(L"DRIVER={") + kDriver + L"};DBQ=" + m_path;
    SQLWCHAR out[8];
    SQLSMALLINT outLength = 0;
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, ::SQLDriverConnectW(dbc, nullptr, reinterpret_cast<SQLWCHAR*>(connect.data()), SQL_NTS, out, 8,
                                                         &outLength, SQL_DRIVER_NOPROMPT));
    EXPECT_EQ(Narrow(L"01004|0|" + origin + L"The completed connection string was truncated."), Narrow(DiagnosticWithNative(SQL_HANDLE_DBC, dbc)));
    m_connections.push_back(dbc);
}

TEST_F(DriverTest, ManualCommitRollsBackAndHoldsOthersAtBay)
{
    SQLHDBC second = Connect(m_path);
    ASSERT_NE(nullptr, second);
    ASSERT_TRUE(SQL_SUCCEEDED(::SQLSetConnectAttrW(second, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), SQL_IS_UINTEGER)));
    ASSERT_EQ(SQL_SUCCESS, Exec(L"INSERT INTO notes VALUES(1,0,'pending','','q')", second));
    EXPECT_EQ(SQL_ERROR, Exec(L"INSERT INTO notes VALUES(2,0,'blocked','','q')"));
    EXPECT_EQ(L"HYT00", m_lastError.substr(0, 5)) << Narrow(m_lastError);
    ASSERT_TRUE(SQL_SUCCEEDED(::SQLEndTran(SQL_HANDLE_DBC, second, SQL_ROLLBACK)));
    EXPECT_EQ(SQL_SUCCESS, Exec(L"INSERT INTO notes VALUES(2,0,'free','','q')")) << Narrow(m_lastError);
    SQLLEN count = 0;
    EXPECT_EQ(SQL_NO_DATA, Exec(L"DELETE FROM notes WHERE name='pending'", nullptr, &count)) << "the rolled-back row is gone";
}

// The note file of an earlier build that qb-oldnotefile wrote before this
// test (its schema names the driver's collation GENERAL; 300 notes).
std::wstring OldNoteFile()
{
    std::wstring path = L"Z:";
    for (char c : std::string(QB_DRIVER_EXCHANGE "/old.mdb")) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

TEST_F(DriverTest, FilesOfEarlierBuildsKeepTheirOrderAndSearchAndAreUpgradedUnlessReadOnly)
{
    const std::wstring old = m_folder + L"\\old notes.mdb";
    const std::wstring readOnly = m_folder + L"\\old read-only notes.mdb";
    ASSERT_TRUE(::CopyFileW(OldNoteFile().c_str(), old.c_str(), FALSE)) << "OldNoteFileForWine writes it";
    ASSERT_TRUE(::CopyFileW(OldNoteFile().c_str(), readOnly.c_str(), FALSE));
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string readOnlyBytes = ReadBytes(readOnly);

    // Group 0 in the General order: case never counts, accents only between
    // otherwise equal names, Latin before Greek before Cyrillic.
    const std::vector<std::wstring> groupZero = {
        L"apple note 210", L"\u00e4rger note 294", L"\u00e4rger note 84", L"Banana note 21", L"Banana note 231", L"cherry note 252",
        L"cherry note 42", L"delta note 168", L"\u00c9clair note 273", L"\u00c9clair note 63", L"\u00c9COLE note 189",
        L"Zebra note 105", L"\u03a9mega note 147", L"\u043f\u0440\u0438\u0432\u0435\u0442 note 126"};
    for (const std::wstring& path : {old, readOnly}) {
        SCOPED_TRACE(Narrow(path));
        SQLHDBC dbc = Connect(path);
        ASSERT_NE(nullptr, dbc) << Narrow(m_lastError);
        EXPECT_EQ(groupZero, Column(L"SELECT notes.name FROM groups,notes WHERE notes.groupId=groups.id AND notes.groupId=0 "
                                    L"ORDER BY notes.groupId,notes.name", dbc));
        EXPECT_EQ((std::vector<std::wstring>{L"30"}), Column(L"SELECT count(*) FROM notes WHERE notes.name LIKE '%\u00c4RGER%'", dbc));
        EXPECT_EQ((std::vector<std::wstring>{L"\u00c9clair note 63"}), Column(L"SELECT name FROM notes WHERE name='\u00e9CLAIR NOTE 63'", dbc));
        // Counted here: with Windows' limits, LIKE would read only the first 255 characters of each.
        const std::vector<std::wstring> schema = Column(L"SELECT sql FROM sqlite_master", dbc);
        const auto general = std::count_if(schema.begin(), schema.end(), [](const std::wstring& sql) {
            return sql.find(L"COLLATE GENERAL") != std::wstring::npos;
        });
        EXPECT_EQ(path == old ? 0 : 3, general);
    }
    EXPECT_TRUE(readOnlyBytes == ReadBytes(readOnly)) << "the read-only file changed";

    // The upgraded file takes changes by name as before.
    SQLHDBC dbc = Connect(old);
    ASSERT_NE(nullptr, dbc);
    SQLLEN count = 0;
    EXPECT_EQ(SQL_SUCCESS, Exec(L"UPDATE notes SET comments='by name' WHERE name='BANANA NOTE 21'", dbc, &count)) << Narrow(m_lastError);
    EXPECT_EQ(1, count);
    EXPECT_EQ(SQL_SUCCESS, Exec(L"DELETE FROM notes WHERE name='\u03c9MEGA NOTE 147'", dbc, &count)) << Narrow(m_lastError);
    EXPECT_EQ(1, count);
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (SQLHDBC connection : m_connections) ::SQLDisconnect(connection);
    EXPECT_TRUE(::DeleteFileW(old.c_str()));
    EXPECT_TRUE(::DeleteFileW(readOnly.c_str()));
}

} // namespace
