// CListedGroups: a catalogue reload leaves each group in the pages' group
// lists exactly once, keeping the entries that are still right.
#include "window/ListedGroups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Entry = CListedGroups::Entry;

// The changes as text, e.g. "-3 +3:Work", in order.
std::string Describe(const std::vector<CListedGroups::Change>& changes)
{
    std::string out;
    for (const auto& c : changes) {
        if (!out.empty()) out += ' ';
        out += (c.removed ? "-" : "+") + std::to_string(c.id);
        if (!c.removed) {
            out += ':';
            for (wchar_t ch : c.name.str()) out += static_cast<char>(ch);
        }
    }
    return out;
}

// Applies the changes the way the dialog does: every change is reported back.
void Apply(CListedGroups& listed, const std::vector<CListedGroups::Change>& changes)
{
    for (const auto& c : changes) {
        if (c.removed) listed.Remove(c.id);
        else listed.Add(c.id, c.name);
    }
}

TEST(ListedGroups, FirstLoadAddsEveryGroupInTheOrderGiven)
{
    CListedGroups listed;
    EXPECT_EQ("+0:None +2:Admin +1:Work", Describe(listed.Reconcile({{0, L"None"}, {2, L"Admin"}, {1, L"Work"}})));
}

TEST(ListedGroups, ReloadOfTheSameGroupsChangesNothing)
{
    CListedGroups listed;
    const std::vector<Entry> groups = {{0, L"None"}, {1, L"Work"}};
    Apply(listed, listed.Reconcile(groups));
    EXPECT_EQ("", Describe(listed.Reconcile(groups)));
    EXPECT_EQ(2u, listed.Entries().size());
}

TEST(ListedGroups, ReloadRemovesGoneAndRenamedGroupsAndAddsNewOnes)
{
    CListedGroups listed;
    Apply(listed, listed.Reconcile({{0, L"None"}, {1, L"Work"}, {2, L"Old"}, {3, L"Gone"}}));
    const std::vector<Entry> now = {{0, L"None"}, {1, L"Work"}, {2, L"Renamed"}, {4, L"New"}};
    const auto changes = listed.Reconcile(now);
    EXPECT_EQ("-2 -3 +2:Renamed +4:New", Describe(changes));
    Apply(listed, changes);
    EXPECT_EQ("", Describe(listed.Reconcile(now)));
}

TEST(ListedGroups, AnIdListedTwiceIsRemovedTwiceAndAddedOnce)
{
    CListedGroups listed;
    listed.Add(5, L"Twice");
    listed.Add(5, L"Twice");
    listed.Add(6, L"Kept");
    EXPECT_EQ("-5 -5 +5:Twice", Describe(listed.Reconcile({{5, L"Twice"}, {6, L"Kept"}})));
}

TEST(ListedGroups, RemoveTakesTheFirstEntryOfTheIdOnly)
{
    CListedGroups listed;
    listed.Add(1, L"a");
    listed.Add(2, L"b");
    listed.Add(1, L"c");
    listed.Remove(1);
    listed.Remove(9);
    ASSERT_EQ(2u, listed.Entries().size());
    EXPECT_EQ(2, listed.Entries()[0].id);
    EXPECT_EQ(L"c", listed.Entries()[1].name.str());
}

TEST(ListedGroups, ClearForgetsEverything)
{
    CListedGroups listed;
    listed.Add(1, L"Work");
    listed.Clear();
    EXPECT_EQ("+1:Work", Describe(listed.Reconcile({{1, L"Work"}})));
    EXPECT_EQ("", Describe(listed.Reconcile({})));
}

TEST(ListedGroups, AnEmptyDatabaseEmptiesTheLists)
{
    CListedGroups listed;
    listed.Add(0, L"None");
    listed.Add(1, L"Work");
    EXPECT_EQ("-0 -1", Describe(listed.Reconcile({})));
}

} // namespace
