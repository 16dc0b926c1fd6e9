// Connection strings as the module and other programs write them, and the
// installer's creation request.
#include "driver/ConnectString.h"
#include "driver/setup/CreateDatabaseRequest.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// A connection string and the values its keys must have after parsing.
struct ConnectStringCase {
    const char* name;
    const char* text;
    std::map<std::string, std::string> values;
};

// gtest names a failing case by this, not by the struct's bytes.
void PrintTo(const ConnectStringCase& c, std::ostream* out) { *out << c.name; }

const ConnectStringCase kConnectStrings[] = {
    {"TheModulesStringWithSpacesInThePath",
     "DRIVER={Microsoft Access Driver (*.mdb)};DSN='';DBQ=C:\\My Notes\\my notes.mdb",
     {{"DRIVER", "Microsoft Access Driver (*.mdb)"}, {"DSN", "''"}, {"DBQ", "C:\\My Notes\\my notes.mdb"}}},
    {"BracesHoldSemicolonsAndKeysIgnoreCase",
     "driver={x;y};dbq={/tmp/a;b.mdb}; BusyTimeout = 250 ;",
     {{"DRIVER", "x;y"}, {"DBQ", "/tmp/a;b.mdb"}, {"BUSYTIMEOUT", "250"}}},
    // What the module writes for C:\a;b}\n.mdb, and a value ending in '}'.
    {"DoubledClosingBraceInsideBracesIsOneBrace",
     "DRIVER={x};DSN='';DBQ={C:\\a;b}}\\n.mdb};READONLY={1}}}",
     {{"DBQ", "C:\\a;b}\\n.mdb"}, {"READONLY", "1}"}, {"DRIVER", "x"}}},
};

class ConnectString : public ::testing::TestWithParam<ConnectStringCase> {};

TEST_P(ConnectString, ParsesEveryKey)
{
    auto parsed = ParseConnectString(GetParam().text);
    for (const auto& [key, value] : GetParam().values) EXPECT_EQ(value, parsed[key]) << key;
}

INSTANTIATE_TEST_SUITE_P(Written, ConnectString, ::testing::ValuesIn(kConnectStrings),
                         [](const ::testing::TestParamInfo<ConnectStringCase>& info) { return std::string(info.param.name); });

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
