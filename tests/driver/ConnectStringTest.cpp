// Connection strings as the module and other programs write them, and the
// installer's creation request.
#include "driver/ConnectString.h"
#include "driver/setup/CreateDatabaseRequest.h"

#include <gtest/gtest.h>

namespace {

TEST(ConnectString, TheModulesStringWithSpacesInThePath)
{
    auto a = ParseConnectString("DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=C:\\My Notes\\my notes.mdb");
    EXPECT_EQ("Microsoft Access Driver (*.mdb)", a["DRIVER"]);
    EXPECT_EQ("''", a["DSN"]);
    EXPECT_EQ("C:\\My Notes\\my notes.mdb", a["DBQ"]);
}

TEST(ConnectString, BracesHoldSemicolonsAndKeysIgnoreCase)
{
    auto a = ParseConnectString("driver={x;y};dbq={/tmp/a;b.mdb}; BusyTimeout = 250 ;");
    EXPECT_EQ("x;y", a["DRIVER"]);
    EXPECT_EQ("/tmp/a;b.mdb", a["DBQ"]);
    EXPECT_EQ("250", a["BUSYTIMEOUT"]);
}

TEST(ConnectString, DoubledClosingBraceInsideBracesIsOneBrace)
{
    // What the module writes for C:\a;b}\n.mdb, and a value ending in '}'.
    auto a = ParseConnectString("DRIVER={x};DSN='';DBQ={C:\\a;b}}\\n.mdb};READONLY={1}}}");
    EXPECT_EQ("C:\\a;b}\\n.mdb", a["DBQ"]);
    EXPECT_EQ("1}", a["READONLY"]);
    EXPECT_EQ("x", a["DRIVER"]);
}

TEST(CreateDatabaseRequest, QuotedPathWithSpacesAndSemicolon)
{
    std::wstring path;
    ASSERT_TRUE(ParseCreateDatabaseRequest(L"CREATE_DB=\"C:\\data\\my notes;1.mdb\";", path));
    EXPECT_EQ(L"C:\\data\\my notes;1.mdb", path);
}

TEST(CreateDatabaseRequest, UnquotedPathWithSortOrder)
{
    std::wstring path;
    ASSERT_TRUE(ParseCreateDatabaseRequest(L"create_db=C:\\a b\\n.mdb General", path));
    EXPECT_EQ(L"C:\\a b\\n.mdb", path);
}

TEST(CreateDatabaseRequest, NoRequest)
{
    std::wstring path;
    EXPECT_FALSE(ParseCreateDatabaseRequest(L"DSN=notes;DBQ=C:\\x.mdb", path));
    EXPECT_FALSE(ParseCreateDatabaseRequest(L"CREATE_DB=\"\";", path));
    EXPECT_FALSE(ParseCreateDatabaseRequest(L"", path));
}

} // namespace
