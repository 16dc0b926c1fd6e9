// CheckUpgradedNoteFile: the independent reader of a killed upgrade.
#include "tests/crash/UpgradeCheck.h"

#include "tests/crash/RawNoteFile.h"

#include <sqlite3.h>

namespace {

// A result of one row of one column.
const std::vector<RawNoteFile::Row> kOk = {{std::string("ok")}};
const std::vector<RawNoteFile::Row> kZero = {{std::string("0")}};

const char* const kContent[] = {"SELECT id, groupId, name, comments, query FROM notes ORDER BY id",
                                "SELECT id, groupName, groupDescription FROM groups ORDER BY id", "SELECT tag FROM tags ORDER BY tag COLLATE BINARY"};
const char kGeneralCount[] = "SELECT count(*) FROM sqlite_master WHERE instr(upper(sql), 'COLLATE GENERAL')";

} // namespace

NoteCheckResult CheckUpgradedNoteFile(const std::string& databasePath, const std::string& templatePath)
{
    NoteCheckResult result;
    const auto fail = [&result](const std::string& what) { result.faults.push_back(what); };
    bool ok = true;
    // Read-write, as any reader of a killed writer's file: a hot journal is rolled back first.
    RawNoteFile file(databasePath, SQLITE_OPEN_READWRITE);
    RawNoteFile original(templatePath, SQLITE_OPEN_READONLY);
    if (file.Rows("PRAGMA integrity_check", ok) != kOk) fail("integrity_check did not say ok");
    const auto general = file.Rows(kGeneralCount, ok);
    const auto generalBefore = original.Rows(kGeneralCount, ok);
    const bool upgraded = general == kZero;
    if (!upgraded && general != generalBefore) fail("the schema is partly upgraded");
    if (generalBefore == kZero) fail("the template is not a file of an earlier build");
    for (const char* sql : kContent) {
        if (file.Rows(sql, ok) != original.Rows(sql, ok)) fail(std::string("the rows of \"") + sql + "\" changed");
    }
    if (upgraded) {
        RawNoteFile plain(databasePath, SQLITE_OPEN_READONLY, false);
        bool plainOk = true;
        const size_t sorted = plain.Rows("SELECT name FROM notes ORDER BY name", plainOk).size();
        if (!plainOk) fail("plain SQLite cannot sort the upgraded file: " + plain.Error());
        if (sorted != file.Rows(kContent[0], ok).size()) fail("plain SQLite did not hand over every note");
    }
    if (!ok) fail("SQLite failed: " + (file.Error().empty() ? original.Error() : file.Error()));
    result.summary = std::string("schema ") + (upgraded ? "upgraded" : "old") + ", template notes, groups and tags intact";
    return result;
}
