// The tab control's page bookkeeping: parallel entries per tab, the focus
// window remembered per tab, and destruction that deletes only owned pages.
#include "controls/TabPageBook.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A page that records its deletion.
struct FakePage {
    explicit FakePage(std::vector<int>* deleted, int tag) : m_deleted(deleted), m_tag(tag) {}
    ~FakePage()
    {
        if (m_deleted) m_deleted->push_back(m_tag);
    }
    std::vector<int>* m_deleted;
    int m_tag;
};

using Book = CTabPageBook<FakePage, int>;

TEST(TabPageBook, EachTabKeepsItsPageIdAndFocusWindow)
{
    FakePage view(nullptr, 0), edit(nullptr, 1);
    Book book;
    EXPECT_EQ(book.Append(&view, false, 102, 7001), 0);
    EXPECT_EQ(book.Append(&edit, false, 1015, 7002), 1);
    EXPECT_EQ(book.GetCount(), 2);
    EXPECT_EQ(book.GetPage(0), &view);
    EXPECT_EQ(book.GetPage(1), &edit);
    EXPECT_EQ(book.GetPageId(0), 102);
    EXPECT_EQ(book.GetPageId(1), 1015);
    EXPECT_EQ(book.GetFocusWindow(0), 7001);
    EXPECT_EQ(book.GetFocusWindow(1), 7002);
    EXPECT_FALSE(book.IsOwned(0));
}

TEST(TabPageBook, FocusLeftInAPageComesBackWhenItIsEnteredAgain)
{
    FakePage a(nullptr, 0), b(nullptr, 1);
    Book book;
    book.Append(&a, false, 1, 10);
    book.Append(&b, false, 2, 20);
    book.SetFocusWindow(0, 11); // leaving page 0 with the focus on window 11
    EXPECT_EQ(book.GetFocusWindow(1), 20);
    book.SetFocusWindow(1, 21);
    EXPECT_EQ(book.GetFocusWindow(0), 11);
    EXPECT_EQ(book.GetFocusWindow(1), 21);
}

TEST(TabPageBook, IndexesOutsideTheBookAnswerNeutralValues)
{
    FakePage a(nullptr, 0);
    Book book;
    book.Append(&a, false, 5, 9);
    EXPECT_EQ(book.GetPage(1), nullptr); // equal to the count
    EXPECT_EQ(book.GetPage(-1), nullptr);
    EXPECT_EQ(book.GetPageId(3), 0);
    EXPECT_EQ(book.GetFocusWindow(-1), 0);
    book.SetFocusWindow(1, 99); // ignored, nothing grows
    EXPECT_EQ(book.GetCount(), 1);
    EXPECT_EQ(book.GetFocusWindow(0), 9);
}

TEST(TabPageBook, DestroyWalksFromTheLastTabAndDeletesOnlyOwnedPages)
{
    std::vector<int> deleted;
    FakePage callerOwned(&deleted, 100);
    Book book;
    book.Append(&callerOwned, false, 1);
    book.Append(new FakePage(&deleted, 200), true, 2);
    book.Append(nullptr, false, 3);

    std::vector<int> visitedIds;
    std::vector<int> visitedIndexes;
    book.DestroyAll([&](int index, int pageId, FakePage*) {
        visitedIndexes.push_back(index);
        visitedIds.push_back(pageId);
    });
    EXPECT_EQ(visitedIndexes, (std::vector<int>{2, 1, 0}));
    EXPECT_EQ(visitedIds, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(deleted, (std::vector<int>{200})) << "only the owned page is deleted";
    EXPECT_EQ(book.GetCount(), 0);
    EXPECT_EQ(book.GetPage(0), nullptr);
}

TEST(TabPageBook, ThePageHookSeesThePageBeforeItIsDeleted)
{
    std::vector<int> deleted;
    Book book;
    book.Append(new FakePage(&deleted, 7), true, 1);
    int tagSeen = -1;
    book.DestroyAll([&](int, int, FakePage* page) {
        ASSERT_NE(page, nullptr);
        tagSeen = page->m_tag;
        EXPECT_TRUE(deleted.empty());
    });
    EXPECT_EQ(tagSeen, 7);
    EXPECT_EQ(deleted, (std::vector<int>{7}));
}

TEST(TabPageBook, ABookCanBeFilledAgainAfterItWasEmptied)
{
    FakePage a(nullptr, 0);
    Book book;
    book.Append(&a, false, 1, 1);
    book.DestroyAll([](int, int, FakePage*) {});
    EXPECT_EQ(book.Append(&a, false, 4, 2), 0);
    EXPECT_EQ(book.GetPageId(0), 4);
}

} // namespace
