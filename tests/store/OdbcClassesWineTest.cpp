// The framework's ODBC classes over the real driver: CDatabase opening and
// closing, CRecordset moving and reading fields by position and by name as
// text and as CDBVariant, CDBException's texts, and the handle owner.
#include "StoreTestSupport.h"
#include "tests/support/BoxRecorder.h"

#include "framework/CDBException.h"
#include "framework/ThrownException.h"
#include "framework/CDBVariant.h"
#include "framework/CDatabase.h"
#include "framework/CRecordset.h"
#include "framework/OdbcHandle.h"

#include <gtest/gtest.h>
#include <odbcinst.h>
#include <sqlext.h>

#include <string>

namespace {

using namespace storetest;

std::wstring S(const CString& text) { return text.str(); }
std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

class OdbcClassesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = m_folder.File(L"classes.mdb");
        const std::wstring attributes = L"CREATE_DB=\"" + m_path + L"\";";
        ASSERT_TRUE(::SQLConfigDataSourceW(nullptr, ODBC_ADD_DSN, L"Microsoft Access Driver (*.mdb)", attributes.c_str()));
        ASSERT_TRUE(m_db.Open(nullptr, FALSE, FALSE, Connect().c_str(), TRUE));
        m_db.ExecuteSQL(L"CREATE TABLE t (id SMALLINT NOT NULL, name VARCHAR(20), body LONGTEXT, PRIMARY KEY(id))");
        m_db.ExecuteSQL(L"INSERT INTO t VALUES(-5,'minus five','short')");
        m_db.ExecuteSQL(L"INSERT INTO t VALUES(7,NULL,NULL)");
    }
    std::wstring Connect() const { return L"ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=" + m_path; }

    TestFolder m_folder{L"quillbox classes"};
    std::wstring m_path;
    CDatabase m_db;
};

TEST_F(OdbcClassesTest, OpenStripsThePrefixAndKeepsTheCompletedConnectString)
{
    EXPECT_TRUE(m_db.IsOpen());
    EXPECT_EQ(L"ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + m_path + L";", S(m_db.GetConnect()));
    m_db.Close();
    EXPECT_FALSE(m_db.IsOpen());
    EXPECT_EQ(L"", S(m_db.GetConnect()));
}

TEST_F(OdbcClassesTest, RowsByPositionAndByName)
{
    CRecordset rs(&m_db);
    rs.Open(CRecordset::forwardOnly, L"SELECT id, name, body FROM t ORDER BY id", CRecordset::executeDirect);
    ASSERT_FALSE(rs.IsEOF());
    EXPECT_EQ(3, rs.GetODBCFieldCount());
    EXPECT_EQ(2, rs.GetFieldIndexByName(L"Body")) << "looked up in any case";
    CString text;
    rs.GetFieldValue(static_cast<short>(0), text);
    EXPECT_EQ(L"-5", S(text)) << "a number reads as its decimal digits";
    rs.GetFieldValue(L"NAME", text);
    EXPECT_EQ(L"minus five", S(text));
    CDBVariant id;
    rs.GetFieldValue(L"id", id, SQL_C_SSHORT);
    EXPECT_EQ(static_cast<DWORD>(DBVT_SHORT), id.m_dwType);
    EXPECT_EQ(-5, id.m_iVal);
    rs.MoveNext();
    ASSERT_FALSE(rs.IsEOF());
    text = L"stale";
    rs.GetFieldValue(L"name", text);
    EXPECT_EQ(L"", S(text)) << "NULL reads as an empty text";
    CDBVariant body;
    rs.GetFieldValue(static_cast<short>(2), body);
    EXPECT_EQ(static_cast<DWORD>(DBVT_NULL), body.m_dwType);
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_NE(kNoDatabaseError, DatabaseErrorOf([&] { rs.MoveNext(); })) << "moving past the end is an error";
}

TEST_F(OdbcClassesTest, TextsAroundTheFirstPieceSizeReadWhole)
{
    // The first piece of a text goes to a 1,024-character buffer: the texts
    // just below, at and above it, and one of several pieces, must come back whole.
    const int lengths[] = { 1022, 1023, 1024, 1025, 40000 };
    for (int n = 0; n < 5; ++n) {
        std::wstring body;
        for (int i = 0; i < lengths[n]; ++i) body += static_cast<wchar_t>(i % 7 == 6 ? L'\u00e9' : L'a' + i % 26);
        m_db.ExecuteSQL((L"INSERT INTO t VALUES(" + std::to_wstring(100 + n) + L",'x','" + body + L"')").c_str());
        CRecordset rs(&m_db);
        rs.Open(CRecordset::forwardOnly, (L"SELECT body FROM t WHERE id=" + std::to_wstring(100 + n)).c_str(), CRecordset::executeDirect);
        ASSERT_FALSE(rs.IsEOF());
        CString text;
        rs.GetFieldValue(static_cast<short>(0), text);
        EXPECT_EQ(lengths[n], text.GetLength()) << "length " << lengths[n];
        EXPECT_TRUE(S(text) == body) << "length " << lengths[n];
    }
}

TEST_F(OdbcClassesTest, DefaultVariantTypesFollowTheColumns)
{
    CRecordset rs(&m_db);
    rs.Open(CRecordset::forwardOnly, L"SELECT id, name, Max(id)+1 FROM t WHERE id=-5", CRecordset::executeDirect);
    ASSERT_FALSE(rs.IsEOF());
    CDBVariant value;
    rs.GetFieldValue(static_cast<short>(0), value);
    EXPECT_EQ(static_cast<DWORD>(DBVT_SHORT), value.m_dwType);
    EXPECT_EQ(-5, value.m_iVal);
    value.Clear();
    rs.GetFieldValue(static_cast<short>(1), value);
    ASSERT_EQ(static_cast<DWORD>(DBVT_STRING), value.m_dwType);
    EXPECT_EQ(L"minus five", S(*value.m_pstring));
    value.Clear();
    rs.GetFieldValue(static_cast<short>(2), value);
    EXPECT_EQ(static_cast<DWORD>(DBVT_LONG), value.m_dwType);
    EXPECT_EQ(-4, value.m_lVal);
}

TEST_F(OdbcClassesTest, AskedFieldTypesFillTheirOwnVariantMember)
{
    CRecordset rs(&m_db);
    rs.Open(CRecordset::forwardOnly, L"SELECT id, 2.5, 200, 1, id FROM t WHERE id=-5", CRecordset::executeDirect);
    ASSERT_FALSE(rs.IsEOF());
    CDBVariant value;
    rs.GetFieldValue(static_cast<short>(0), value, SQL_C_DOUBLE);
    EXPECT_EQ(static_cast<DWORD>(DBVT_DOUBLE), value.m_dwType);
    EXPECT_EQ(-5.0, value.m_dblVal);
    rs.GetFieldValue(static_cast<short>(1), value, SQL_C_FLOAT);
    EXPECT_EQ(static_cast<DWORD>(DBVT_SINGLE), value.m_dwType);
    EXPECT_EQ(2.5f, value.m_fltVal);
    rs.GetFieldValue(static_cast<short>(2), value, SQL_C_UTINYINT);
    EXPECT_EQ(static_cast<DWORD>(DBVT_UCHAR), value.m_dwType);
    EXPECT_EQ(200, value.m_chVal);
    rs.GetFieldValue(static_cast<short>(3), value, SQL_C_BIT);
    EXPECT_EQ(static_cast<DWORD>(DBVT_BOOL), value.m_dwType);
    EXPECT_TRUE(value.m_boolVal);
    rs.GetFieldValue(static_cast<short>(4), value, SQL_C_SLONG);
    EXPECT_EQ(static_cast<DWORD>(DBVT_LONG), value.m_dwType);
    EXPECT_EQ(-5, value.m_lVal);
}

TEST_F(OdbcClassesTest, UnknownFieldAndBadIndexAreExceptions)
{
    CRecordset rs(&m_db);
    rs.Open(CRecordset::forwardOnly, L"SELECT id FROM t", CRecordset::executeDirect);
    CString text;
    EXPECT_EQ(L"The field 'nosuch' is not a column of the result.\n", DatabaseErrorOf([&] { rs.GetFieldValue(L"nosuch", text); }));
    EXPECT_EQ(L"The field 'nosuch' is not a column of the result.\n", DatabaseErrorOf([&] { rs.GetFieldIndexByName(L"nosuch"); }));
    EXPECT_NE(kNoDatabaseError, DatabaseErrorOf([&] { rs.GetFieldValue(static_cast<short>(3), text); }));
}

TEST_F(OdbcClassesTest, ExceptionCarriesTextWithoutOriginAndStateApart)
{
    bool thrown = false;
    try {
        m_db.ExecuteSQL(L"INSERT INTO t VALUES(40000,'a name','x')");
    } catch (CDBException* e) {
        const CThrownException<CDBException> caught(e);
        thrown = true;
        EXPECT_EQ(SQL_ERROR, e->m_nRetCode);
        const std::wstring text = L"The value for the field 't.id' is out of range: the field holds whole numbers from -32768 to 32767 (SMALLINT).";
        EXPECT_EQ(text + L"\n", S(e->m_strError));
        EXPECT_EQ(0u, S(e->m_strStateNativeOrigin).find(L"State:22003,Native:275,Origin:[Quillbox][Note database driver]"))
            << Narrow(S(e->m_strStateNativeOrigin));
        EXPECT_EQ(S(e->m_strError), S(e->GetErrorText()));
        ui::BoxRecorder boxes;
        e->ReportError(MB_OK);
        const auto seen = boxes.Stop();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ(0u, seen[0].text.find(text)) << Narrow(seen[0].text);
    }
    EXPECT_TRUE(thrown);
}

TEST_F(OdbcClassesTest, ChangesThatTouchNoRowAreNotFailures)
{
    m_db.ExecuteSQL(L"DELETE FROM t WHERE id=999");
    EXPECT_EQ(0, m_db.GetRowsAffected());
    m_db.ExecuteSQL(L"UPDATE t SET name='x' WHERE id=999");
    EXPECT_EQ(0, m_db.GetRowsAffected());
    m_db.ExecuteSQL(L"UPDATE t SET name='x'");
    EXPECT_EQ(2, m_db.GetRowsAffected()) << "an update counts the rows it changed";
    CRecordset rs(&m_db);
    rs.Open(CRecordset::forwardOnly, L"SELECT count(*) FROM t", CRecordset::executeDirect);
    CString count;
    rs.GetFieldValue(static_cast<short>(0), count);
    EXPECT_EQ(L"2", S(count));
}

TEST_F(OdbcClassesTest, ClosingTheDatabaseClosesItsRecordsets)
{
    CRecordset rs(&m_db);
    rs.Open(CRecordset::forwardOnly, L"SELECT id FROM t", CRecordset::executeDirect);
    EXPECT_TRUE(rs.IsOpen());
    m_db.Close();
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(L"The database is not open.\n",
              DatabaseErrorOf([&] { rs.Open(CRecordset::forwardOnly, L"SELECT id FROM t", CRecordset::executeDirect); }));
}

TEST_F(OdbcClassesTest, RefusedConnectionThrowsAndLeavesTheDatabaseClosed)
{
    CDatabase other;
    const std::wstring connect = L"ODBC;DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=" + m_folder.File(L"absent.mdb");
    EXPECT_EQ(L"Could not find file '" + m_folder.File(L"absent.mdb") + L"'.\n",
              DatabaseErrorOf([&] { other.OpenEx(connect.c_str(), CDatabase::noOdbcDialog); }));
    EXPECT_FALSE(other.IsOpen());
}

TEST(OdbcHandle, FreesOnceAndHandsOverOnMove)
{
    COdbcHandle first;
    ASSERT_TRUE(SQL_SUCCEEDED(first.Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE)));
    const SQLHANDLE raw = first.Get();
    COdbcHandle second(std::move(first));
    EXPECT_FALSE(static_cast<bool>(first));
    EXPECT_EQ(raw, second.Get());
    EXPECT_TRUE(SQL_SUCCEEDED(::SQLSetEnvAttr(second.Get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)));
    const SQLHANDLE detached = second.Detach();
    EXPECT_FALSE(static_cast<bool>(second));
    // Still valid after Detach: the caller owns it now.
    EXPECT_TRUE(SQL_SUCCEEDED(::SQLSetEnvAttr(detached, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)));
    EXPECT_TRUE(SQL_SUCCEEDED(::SQLFreeHandle(SQL_HANDLE_ENV, detached)));
}

} // namespace
