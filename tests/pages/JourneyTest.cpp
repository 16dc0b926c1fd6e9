// A user's whole journey: a new file, two groups, five notes with
// apostrophes and non-Latin text, Find in each scope, an edit, a delete,
// closing, a second Execute that opens the same file, and everything as it
// was left. PageFilesCheckTest reads the final file with SQLite.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/pages/PageTestData.h"
#include "tests/pages/PagesUi.h"
#include "tests/window/DialogHarness.h"

namespace {

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
    const std::wstring folder = NewTestFolder(L"journey");
    const std::wstring file = folder + L"\\journey.mdb";
    const Texts groups = {W(kJourneyGroups[0]), W(kJourneyGroups[1])};
    harness::Host host(true);
    const bool firstEnded = harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(FileNew(dialog, file).empty());
        const Pages p = FindPages(dialog);
        ShowTab(dialog, 2);
        for (int g = 0; g < 2; ++g) {
            SetText(p.groupEdit, kGroupName, W(kJourneyGroups[g]));
            SetText(p.groupEdit, kGroupComments, W(kJourneyGroupDescriptions[g]));
            EXPECT_TRUE(Click(p.groupEdit, kGroupSave).empty());
        }
        ShowTab(dialog, 1);
        for (const JourneyNote& note : kJourneyNotes) {
            EXPECT_TRUE(Click(p.edit, kEditNew).empty());
            SetText(p.edit, kEditTitle, W(note.title));
            SetText(p.edit, kEditComments, W(note.comments));
            SetText(p.edit, kEditQuery, W(note.query));
            if (note.group >= 0) ChooseEntry(p.edit, kEditGroup, W(kJourneyGroups[note.group]));
            EXPECT_TRUE(Click(p.edit, kEditSave).empty()) << Narrow(W(note.title));
        }

        // Find in each scope; with no scope chosen the names are searched.
        EXPECT_TRUE(Find(dialog, L"sales").empty());
        EXPECT_EQ(Texts{W(kJourneyNotes[0].title)}, ListRows(dialog));
        ToggleScope(dialog, kScopeDescription);
        EXPECT_TRUE(Find(dialog, L"Сводка").empty());
        EXPECT_EQ(Texts{W(kJourneyNotes[1].title)}, ListRows(dialog));
        ToggleScope(dialog, kScopeDescription);
        ToggleScope(dialog, kScopeSequel);
        EXPECT_TRUE(Find(dialog, L"customers").empty());
        EXPECT_EQ(Texts{W(kJourneyNotes[2].title)}, ListRows(dialog));
        ToggleScope(dialog, kScopeSequel);
        ToggleScope(dialog, kScopeName);
        EXPECT_TRUE(Find(dialog, L"'").empty()) << "an apostrophe is a search text like any other";
        EXPECT_EQ(Texts{W(kJourneyNotes[0].title)}, ListRows(dialog));

        // The whole catalogue again: groups collapsed, the loose note on top level.
        EXPECT_TRUE(Find(dialog, L"").empty());
        EXPECT_EQ((Texts{W(kJourneyNotes[4].title), groups[0], groups[1]}), Sorted(ListRows(dialog)));
        EXPECT_EQ(Sorted({L"None", groups[0], groups[1]}), Sorted(ComboTexts(p.edit, kEditGroup)))
            << "each group is listed once after a reload";
        ExpandGroups(dialog, groups);
        EXPECT_EQ(7u, ListRows(dialog).size()) << "three rows and the four notes of the two groups";

        // Edit one note, delete another.
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(kJourneyNotes[3].title))).empty());
        EXPECT_EQ(W(kJourneyNotes[3].comments), Text(p.edit, kEditComments));
        SetText(p.edit, kEditComments, W(kJourneyEditedComments));
        EXPECT_TRUE(Click(p.edit, kEditSave).empty());
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(kJourneyNotes[4].title))).empty());
        EXPECT_EQ(1u, Click(p.edit, kEditDelete, {IDYES}).size());
    });
    EXPECT_TRUE(firstEnded) << "Exit ends the dialog with OK";

    harness::Host again(true);
    harness::Execute(again, [&](HWND dialog) {
        ASSERT_TRUE(FileOpen(dialog, file).empty());
        const Pages p = FindPages(dialog);
        EXPECT_EQ(groups, ListRows(dialog)) << "groups in the order of their ids, collapsed";
        EXPECT_EQ(Sorted({L"None", groups[0], groups[1]}), Sorted(ComboTexts(p.edit, kEditGroup)));
        EXPECT_EQ(Sorted(groups), Sorted(ComboTexts(p.groupEdit, kGroupName)));
        ExpandGroups(dialog, groups);
        EXPECT_EQ(-1, FindRow(dialog, W(kJourneyNotes[4].title))) << "the deleted note stays deleted";
        for (int n = 0; n < 4; ++n) {
            const JourneyNote& note = kJourneyNotes[n];
            EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, W(note.title))).empty()) << n;
            EXPECT_EQ(W(note.title), Text(p.edit, kEditTitle));
            EXPECT_EQ(W(n == 3 ? kJourneyEditedComments : note.comments), Text(p.edit, kEditComments));
            EXPECT_EQ(W(note.query), Text(p.edit, kEditQuery));
            EXPECT_EQ(W(note.query), Text(p.view, kViewQuery));
            const int selected = ComboSelection(p.edit, kEditGroup);
            ASSERT_GE(selected, 0);
            EXPECT_EQ(W(kJourneyGroups[note.group]), ComboTexts(p.edit, kEditGroup)[static_cast<size_t>(selected)]);
        }
        ShowTab(dialog, 2);
        EXPECT_TRUE(ChooseEntry(p.groupEdit, kGroupName, groups[1]).empty());
        EXPECT_EQ(W(kJourneyGroupDescriptions[1]), Text(p.groupEdit, kGroupComments));
        Snapshot(file, "journey");
    });
    RemoveTestFolder(folder);
}

} // namespace
