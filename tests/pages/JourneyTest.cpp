// A user's whole journey: a new file, two groups, five notes with
// apostrophes and non-Latin text, Find in each scope, an edit, a delete,
// closing, a second Execute that opens the same file, and everything as it
// was left. PageFilesCheckTest reads the final file with SQLite.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/pages/PageTestData.h"
#include "tests/pages/NewFileStory.h"
#include "tests/pages/PageFiles.h"
#include "tests/store/StoreTestSupport.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"

namespace {

using namespace dialogdriver;
using namespace pages;
using namespace pagedata;

constexpr int kScopeName = 0;
constexpr int kScopeDescription = 1;
constexpr int kScopeSequel = 2;

Texts Sorted(Texts texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

// Expands every group row of the list (a double-click on a group row).
void ExpandGroups(HWND dialog, const Texts& groups)
{
    for (const std::wstring& group : groups) EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, group)).empty());
}

TEST(Journey, NotesSurviveEditingClosingAndOpeningAgain)
{
    const storetest::TestFolder folder(L"journey");
    const std::wstring file = folder.File(L"journey.mdb");
    const Texts groups = {W(kJourneyGroups[0]), W(kJourneyGroups[1])};
    harness::Host host(true);
    const bool firstEnded = ExecuteOnNewFile(host, file, [&](HWND dialog, const Pages& p) {
        SelectTab(dialog, 2);
        for (int g = 0; g < 2; ++g) {
            SetItemText(p.groupEdit, IDC_GROUP_NAME, W(kJourneyGroups[g]));
            SetItemText(p.groupEdit, IDC_GROUP_COMMENTS, W(kJourneyGroupDescriptions[g]));
            EXPECT_TRUE(Click(p.groupEdit, IDC_GROUP_SAVE).empty());
        }
        SelectTab(dialog, 1);
        for (const JourneyNote& note : kJourneyNotes) {
            EXPECT_TRUE(Click(p.edit, IDC_EDIT_NEW).empty());
            SetItemText(p.edit, IDC_EDIT_TITLE, W(note.title));
            SetItemText(p.edit, IDC_EDIT_COMMENTS, W(note.comments));
            SetItemText(p.edit, IDC_EDIT_QUERY, W(note.query));
            if (note.group >= 0) ChooseEntry(p.edit, IDC_EDIT_GROUP, W(kJourneyGroups[note.group]));
            EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty()) << Narrow(W(note.title));
        }

        // Find in each scope; with no scope chosen the names are searched.
        EXPECT_TRUE(Find(dialog, L"sales").empty());
        EXPECT_EQ(Texts{W(kJourneyNotes[0].title)}, RowNames(dialog));
        EXPECT_TRUE(ToggleScope(dialog, kScopeDescription));
        EXPECT_TRUE(Find(dialog, L"Сводка").empty());
        EXPECT_EQ(Texts{W(kJourneyNotes[1].title)}, RowNames(dialog));
        EXPECT_TRUE(ToggleScope(dialog, kScopeDescription));
        EXPECT_TRUE(ToggleScope(dialog, kScopeSequel));
        EXPECT_TRUE(Find(dialog, L"customers").empty());
        EXPECT_EQ(Texts{W(kJourneyNotes[2].title)}, RowNames(dialog));
        EXPECT_TRUE(ToggleScope(dialog, kScopeSequel));
        EXPECT_TRUE(ToggleScope(dialog, kScopeName));
        EXPECT_TRUE(Find(dialog, L"'").empty()) << "an apostrophe is a search text like any other";
        EXPECT_EQ(Texts{W(kJourneyNotes[0].title)}, RowNames(dialog));

        // The whole catalogue again: groups collapsed, the loose note on top level.
        EXPECT_TRUE(Find(dialog, L"").empty());
        EXPECT_EQ((Texts{W(kJourneyNotes[4].title), groups[0], groups[1]}), Sorted(RowNames(dialog)));
        EXPECT_EQ(Sorted({L"None", groups[0], groups[1]}), Sorted(ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP))))
            << "each group is listed once after a reload";
        ExpandGroups(dialog, groups);
        EXPECT_EQ(7u, RowNames(dialog).size()) << "three rows and the four notes of the two groups";

        // Edit one note, delete another.
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(kJourneyNotes[3].title))).empty());
        EXPECT_EQ(W(kJourneyNotes[3].comments), ItemText(p.edit, IDC_EDIT_COMMENTS));
        SetItemText(p.edit, IDC_EDIT_COMMENTS, W(kJourneyEditedComments));
        EXPECT_TRUE(Click(p.edit, IDC_EDIT_SAVE).empty());
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(kJourneyNotes[4].title))).empty());
        EXPECT_EQ(1u, Click(p.edit, IDC_EDIT_DELETE, {IDYES}).size());
    });
    EXPECT_TRUE(firstEnded) << "Exit ends the dialog with OK";

    harness::Host again(true);
    harness::Execute(again, [&](HWND dialog) {
        ASSERT_TRUE(OpenFile(dialog, file).boxes.empty());
        const Pages p = FindPages(dialog);
        EXPECT_EQ(groups, RowNames(dialog)) << "groups in the order of their ids, collapsed";
        EXPECT_EQ(Sorted({L"None", groups[0], groups[1]}), Sorted(ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP))));
        EXPECT_EQ(Sorted(groups), Sorted(ComboEntries(::GetDlgItem(p.groupEdit, IDC_GROUP_NAME))));
        ExpandGroups(dialog, groups);
        EXPECT_EQ(-1, FindRow(dialog, W(kJourneyNotes[4].title))) << "the deleted note stays deleted";
        for (int n = 0; n < 4; ++n) {
            const JourneyNote& note = kJourneyNotes[n];
            EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(note.title))).empty()) << n;
            EXPECT_EQ(W(note.title), ItemText(p.edit, IDC_EDIT_TITLE));
            EXPECT_EQ(W(n == 3 ? kJourneyEditedComments : note.comments), ItemText(p.edit, IDC_EDIT_COMMENTS));
            EXPECT_EQ(W(note.query), ItemText(p.edit, IDC_EDIT_QUERY));
            EXPECT_EQ(W(note.query), ItemText(p.view, IDC_VIEW_QUERY));
            const int selected = ComboSelection(::GetDlgItem(p.edit, IDC_EDIT_GROUP));
            ASSERT_GE(selected, 0);
            EXPECT_EQ(W(kJourneyGroups[note.group]), ComboEntries(::GetDlgItem(p.edit, IDC_EDIT_GROUP))[static_cast<size_t>(selected)]);
        }
        SelectTab(dialog, 2);
        EXPECT_TRUE(ChooseEntry(p.groupEdit, IDC_GROUP_NAME, groups[1]).empty());
        EXPECT_EQ(W(kJourneyGroupDescriptions[1]), ItemText(p.groupEdit, IDC_GROUP_COMMENTS));
        Snapshot(file, "journey");
    });
}

} // namespace
