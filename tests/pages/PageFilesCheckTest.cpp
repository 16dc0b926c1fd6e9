// Independent check of what the pages stored: the copies of the note
// databases that PagesWineTest took at each step are opened here with SQLite
// directly, without the driver and with nothing of ours registered, and
// their rows compared with what was typed.
#include "tests/pages/PageTestData.h"
#include "tests/store/ReadOnlyNoteFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace pagedata;
using Row = ReadOnlyNoteFile::Row;
using Rows = ReadOnlyNoteFile::Rows;

// The copy PagesWineTest took at step `name`.
class SavedFile {
public:
    explicit SavedFile(const char* name) : m_path(std::string(QB_PAGES_EXCHANGE) + "/" + name + ".mdb"), m_file(m_path)
    {
        if (!m_file.IsReadable()) ADD_FAILURE() << "no readable copy " << m_path;
    }

    // Every row of `sql`, each column as text ("<NULL>" for NULL).
    Rows Query(const char* sql) const { return m_file.IsReadable() ? m_file.Query(sql) : Rows(); }
    Rows Groups() const { return Query("SELECT id, groupName, groupDescription FROM groups ORDER BY id"); }
    Rows Notes() const { return Query("SELECT id, groupId, name, comments, query FROM notes ORDER BY id"); }

private:
    std::string m_path;
    ReadOnlyNoteFile m_file;
};

const Row kGroupNone = {u"0", u"None", u"<NULL>"};

TEST(PageFiles, GroupsAddedWithIdsFromOne)
{
    const Rows added = {kGroupNone, {u"1", kSales, kSalesDescription}, {u"2", kAccounts, kAccountsDescription}};
    EXPECT_EQ(added, SavedFile("groups-added").Groups());
    EXPECT_EQ(added, SavedFile("groups-update-refused").Groups()) << "No changes nothing";
}

TEST(PageFiles, GroupUpdateTakesTheNewCase)
{
    EXPECT_EQ((Rows{kGroupNone, {u"1", kSalesLower, kSalesRenamedDescription}, {u"2", kAccounts, kAccountsDescription}}),
              SavedFile("groups-updated").Groups());
}

TEST(PageFiles, TypedNoneIsANewGroupAndTheEmptyGroupIsDeleted)
{
    const Rows groups = {kGroupNone, {u"1", kSalesLower, kSalesRenamedDescription}, {u"3", u"None", u""}};
    const SavedFile deleted("groups-deleted");
    EXPECT_EQ(groups, deleted.Groups());
    EXPECT_TRUE(deleted.Notes().empty());
    const SavedFile refused("groups-refused-delete");
    EXPECT_EQ(groups, refused.Groups()) << "the group with a note stays";
    EXPECT_EQ((Rows{{u"0", u"1", kNoteInSales, u"", kNoteInSalesQuery}}), refused.Notes());
}

TEST(PageFiles, NoteSavedTrimmedWithoutGroupThenUpdatedInPlace)
{
    EXPECT_EQ((Rows{{u"0", u"0", kDailyTitle, u"", kDailyQuery}}), SavedFile("notes-saved").Notes());
    const Rows updated = {{u"0", u"1", kDailyTitle, kDailyComments, kDailyQuery}};
    EXPECT_EQ(updated, SavedFile("notes-updated").Notes());
    EXPECT_EQ(updated, SavedFile("notes-delete-refused").Notes());
    EXPECT_TRUE(SavedFile("notes-deleted").Notes().empty());
    const SavedFile last("notes-missing-group");
    EXPECT_EQ((Rows{{u"0", u"1", kWeeklyTitle, u"", kWeeklyQuery}, {u"5", u"7", u"Old orders", u"", u"SELECT * FROM old_orders"}}),
              last.Notes());
    EXPECT_EQ((Rows{kGroupNone, {u"1", kReports, u""}, {u"7", u"Archive", u""}}), last.Groups());
}

TEST(PageFiles, LeavingWithYesSavedAndNoOrCancelKeptTheStoredNote)
{
    const Row weekly = {u"1", u"0", kWeeklyTitle, kSavedComments, kWeeklySaved};
    EXPECT_EQ((Rows{{u"0", u"0", kDailyTitle, u"kept", kDailySaved}, weekly}), SavedFile("leave-saved").Notes());
    EXPECT_EQ((Rows{{u"0", u"0", kDailyTitle, u"kept", kDailySaved}, weekly, {u"2", u"0", u"Monthly", u"", u"SELECT month FROM orders"}}),
              SavedFile("leave-escape").Notes())
        << "Escape with Yes saved the new note before the dialog ended";
}

TEST(PageFiles, SaveWroteOverANewerNoteOnlyWhenAskedTo)
{
    const Row weekly = {u"1", u"0", kWeeklyTitle, kSavedComments, kWeeklySaved};
    EXPECT_EQ((Rows{{u"0", u"0", kDailyTitle, u"on the newer one", u"SELECT newer"}, weekly}), SavedFile("newer-loaded").Notes());
    EXPECT_EQ((Rows{{u"0", u"0", kDailyTitle, u"on the newer one", u"SELECT mine"}, weekly}), SavedFile("newer-overwritten").Notes());
    EXPECT_EQ((Rows{{u"0", u"0", kDailyTitle, u"on the newer one", u"SELECT mine"}, weekly, {u"2", u"0", kWeeklyTitle, u"", u"SELECT 2"}}),
              SavedFile("same-title").Notes());
}

TEST(PageFiles, CommentsEditedInTheListReachedTheDatabase)
{
    EXPECT_EQ((Rows{{u"0", u"0", kDailyTitle, u"edited in the list", kDailySaved}, {u"1", u"0", kWeeklyTitle, kSavedComments, kWeeklySaved}}),
              SavedFile("in-place").Notes());
}

TEST(PageFiles, RenamedGroupKeepsItsIdAndNotesAndLongNamesAreWhole)
{
    const std::u16string longName(255, u'g');
    const SavedFile renamed("group-renamed");
    EXPECT_EQ((Rows{kGroupNone, {u"1", longName, u""}, {u"2", u"Revenue", kSalesDescription}}), renamed.Groups());
    EXPECT_EQ((Rows{{u"0", u"2", kNoteInSales, u"", kNoteInSalesQuery}}), renamed.Notes());
    EXPECT_EQ((Rows{kGroupNone, {u"1", longName, u""}, {u"2", u"Revenue", u"from the list"}}), SavedFile("group-described").Groups())
        << "the description edited in the list";
}

TEST(PageFiles, ViewAndExecuteChangeNothing)
{
    EXPECT_EQ((Rows{{u"1", u"0", u"Single", u"", kSingleQuery}}), SavedFile("view").Notes());
}

TEST(PageFiles, BadInputStoresOnlyWhatWasValid)
{
    const SavedFile file("bad-input");
    EXPECT_EQ((Rows{kGroupNone, {u"1", kQuotedGroup, kQuotedGroupDescription}}), file.Groups());
    EXPECT_EQ((Rows{{u"0", u"0", std::u16string(255, u'x'), u"", u"SELECT 1"}, {u"1", u"1", kQuotedTitle, kQuotedComments, kQuotedQuery}}),
              file.Notes());
}

TEST(PageFiles, MegabyteQueryStoredWhole)
{
    const Rows notes = SavedFile("big-query").Notes();
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(kBigTitle, notes[0][2]);
    EXPECT_EQ(BigQuery().size(), notes[0][4].size());
    EXPECT_TRUE(BigQuery() == notes[0][4]);
}

TEST(PageFiles, FailedOpenLostNothing)
{
    const SavedFile file("failed-open");
    EXPECT_EQ((Rows{kGroupNone, {u"1", kReports, u""}}), file.Groups());
    EXPECT_EQ((Rows{{u"0", u"1", kKeptTitle, u"", kKeptQuery}}), file.Notes());
}

TEST(PageFiles, JourneyEndsAsItWasLeft)
{
    const SavedFile file("journey");
    EXPECT_EQ((Rows{kGroupNone, {u"1", kJourneyGroups[0], kJourneyGroupDescriptions[0]}, {u"2", kJourneyGroups[1], kJourneyGroupDescriptions[1]}}),
              file.Groups());
    Rows notes;
    for (int n = 0; n < 4; ++n) {
        const JourneyNote& note = kJourneyNotes[n];
        notes.push_back({std::u16string(1, static_cast<char16_t>(u'0' + n)), std::u16string(1, static_cast<char16_t>(u'1' + note.group)),
                         note.title, n == 3 ? kJourneyEditedComments : note.comments, note.query});
    }
    EXPECT_EQ(notes, file.Notes());
    // The search the Find button ran by name finds the same row here.
    EXPECT_EQ((Rows{{kJourneyNotes[0].title}}), file.Query("SELECT name FROM notes WHERE name LIKE '%sales%' ORDER BY name"));
}

} // namespace
