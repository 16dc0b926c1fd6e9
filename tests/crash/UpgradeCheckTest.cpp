// The upgrade's crash checker must fail when the killed upgrade left a mixed
// schema or changed any row, and must tell an old file from an upgraded one.
#include "tests/crash/UpgradeCheck.h"

#include "NoteDatabase.h"
#include "tests/driver/OldFormatNoteFile.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

class UpgradeCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("qb-upgradecheck-" + std::to_string(::getpid()) +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        std::string error;
        ASSERT_TRUE(oldformat::Write(Path("template.mdb"), oldformat::Sample(40), error)) << error;
        fs::copy_file(Path("template.mdb"), Path("run.mdb"));
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    NoteCheckResult Check() const { return CheckUpgradedNoteFile(Path("run.mdb"), Path("template.mdb")); }
    void Upgrade() const
    {
        NoteDatabase db;
        DriverError error;
        ASSERT_TRUE(db.Open(Path("run.mdb"), false, 1000, error)) << error.message;
        ASSERT_EQ("", db.UpgradeFailure());
    }
    // Runs statements on a plain connection with GENERAL registered.
    void Plain(const char* sql) const
    {
        sqlite3* db = nullptr;
        sqlite3_open(Path("run.mdb").c_str(), &db);
        oldformat::RegisterGeneralCollation(db);
        EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql, nullptr, nullptr, nullptr)) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    fs::path m_dir;
};

TEST_F(UpgradeCheckTest, AcceptsTheOldFileAndTheUpgradedOneAndSaysWhich)
{
    NoteCheckResult result = Check();
    EXPECT_TRUE(result.Ok()) << result.faults.front();
    EXPECT_EQ("schema old, template notes, groups and tags intact", result.summary);
    Upgrade();
    result = Check();
    EXPECT_TRUE(result.Ok()) << result.faults.front();
    EXPECT_EQ("schema upgraded, template notes, groups and tags intact", result.summary);
}

TEST_F(UpgradeCheckTest, FindsAMixedSchemaAndChangedRows)
{
    // Only the groups table rewritten, as a torn upgrade would leave it.
    Plain("PRAGMA writable_schema=ON; UPDATE sqlite_master SET sql=replace(sql,'COLLATE GENERAL','COLLATE NOCASE') WHERE name='groups'; "
          "PRAGMA writable_schema=OFF;");
    EXPECT_EQ((std::vector<std::string>{"the schema is partly upgraded"}), Check().faults);

    fs::copy_file(Path("template.mdb"), Path("run.mdb"), fs::copy_options::overwrite_existing);
    Upgrade();
    Plain("UPDATE notes SET query=query||' ' WHERE id=7; DELETE FROM tags WHERE tag='Zeit'");
    EXPECT_EQ((std::vector<std::string>{"the rows of \"SELECT id, groupId, name, comments, query FROM notes ORDER BY id\" changed",
                                        "the rows of \"SELECT tag FROM tags ORDER BY tag COLLATE BINARY\" changed"}),
              Check().faults);
}

TEST_F(UpgradeCheckTest, RefusesATemplateThatNeedsNoUpgrade)
{
    Upgrade();
    fs::copy_file(Path("run.mdb"), Path("template.mdb"), fs::copy_options::overwrite_existing);
    EXPECT_EQ((std::vector<std::string>{"the template is not a file of an earlier build"}), Check().faults);
}

} // namespace
