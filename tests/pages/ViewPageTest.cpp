// The View page: a double-clicked note's query with its line breaks, the
// message for a note deleted since the list was loaded, and Execute before
// a data source is chosen.
#include <gtest/gtest.h>

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

void SaveNote(HWND edit, const wchar_t* title, const std::wstring& query)
{
    EXPECT_TRUE(Click(edit, IDC_EDIT_NEW).empty());
    SetItemText(edit, IDC_EDIT_TITLE, title);
    SetItemText(edit, IDC_EDIT_QUERY, query);
    EXPECT_TRUE(Click(edit, IDC_EDIT_SAVE).empty());
}

TEST(ViewPage, ShowsQueriesAndReportsNotesDeletedMeanwhile)
{
    const storetest::TestFolder folder(L"view page");
    const std::wstring file = folder.File(L"view.mdb");
    harness::Host host(true);
    ExecuteOnNewFile(host, file, [&](HWND dialog, const Pages& p) {
        SelectTab(dialog, 1);
        SaveNote(p.edit, L"Multi", W(kMultiLineQuery));
        SaveNote(p.edit, L"Single", W(kSingleQuery));
        SaveNote(p.edit, L"Other", L"SELECT 2");
        EXPECT_TRUE(Find(dialog, L"").empty());
        ASSERT_EQ((Texts{L"Multi", L"Other", L"Single"}), RowNames(dialog));

        SelectTab(dialog, 0);
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, L"Multi")).empty());
        EXPECT_EQ(W(kMultiLineQuery), ItemText(p.view, IDC_VIEW_QUERY));
        EXPECT_EQ(3, static_cast<int>(::SendMessageW(::GetDlgItem(p.view, IDC_VIEW_QUERY), EM_GETLINECOUNT, 0, 0)));
        EXPECT_EQ(L"Multi", ItemText(p.edit, IDC_EDIT_TITLE)) << "the Edit page loads the same note";

        // The Edit page deletes it; the list drops it at once.
        EXPECT_EQ(1u, Click(p.edit, IDC_EDIT_DELETE, {IDYES}).size());
        EXPECT_EQ((Texts{L"Other", L"Single"}), RowNames(dialog));
        EXPECT_TRUE(DoubleClickRow(dialog, FindRow(dialog, L"Single")).empty());
        EXPECT_EQ(W(kSingleQuery), ItemText(p.view, IDC_VIEW_QUERY));

        // Someone else deletes a note the list still shows.
        ExecuteOnFile(file, {L"DELETE FROM notes WHERE name='Other'"});
        const Boxes boxes = DoubleClickRow(dialog, FindRow(dialog, L"Other"));
        ASSERT_EQ(1u, boxes.size()) << "only the View page tells";
        EXPECT_EQ(L"Note not found", boxes[0].text);
        EXPECT_EQ(L"Internal mailfunction", boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[0].icon);
        EXPECT_EQ(W(kSingleQuery), ItemText(p.view, IDC_VIEW_QUERY)) << "the previous query stays";
        EXPECT_EQ(L"Single", ItemText(p.edit, IDC_EDIT_TITLE)) << "the Edit page stays as it was";

        // Execute, allowed by this host, with no data source chosen yet: the
        // Results page says so, and the query stays.
        ASSERT_TRUE(IsItemEnabled(p.view, IDC_VIEW_EXECUTE));
        EXPECT_TRUE(Click(p.view, IDC_VIEW_EXECUTE).empty());
        EXPECT_EQ(L"Results", CurrentTab(dialog));
        EXPECT_EQ(L"Choose a data source to run on, or type a connection string.", ItemText(p.results, IDC_RESULTS_STATUS));
        EXPECT_EQ(W(kSingleQuery), ItemText(p.view, IDC_VIEW_QUERY));
        Snapshot(file, "view");
    });

    harness::Host plainHost(false);
    harness::Execute(plainHost, [&](HWND dialog) {
        EXPECT_FALSE(IsItemEnabled(FindPages(dialog).view, IDC_VIEW_EXECUTE)) << "Execute stays disabled without the host's permission";
    });
}

} // namespace
