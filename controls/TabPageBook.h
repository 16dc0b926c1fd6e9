// The tab control's bookkeeping of its pages: three parallel arrays indexed
// by tab index (the page with its ownership mark, the window that should get
// the focus when the page is active, the caller's page identifier). Portable:
// the page and window types are parameters, so the rules are tested natively.
#pragma once

#include <cstddef>
#include <vector>

template <class Page, class Window>
class CTabPageBook {
public:
    // The page shown for a tab and whether the book deletes it when emptied.
    struct TabDelete {
        Page* page = nullptr;
        int owned = 0; // 1: deleted by DestroyAll; 0: the caller owns the page object
    };

    CTabPageBook() = default;
    CTabPageBook(const CTabPageBook&) = delete;
    CTabPageBook& operator=(const CTabPageBook&) = delete;

    int GetCount() const { return static_cast<int>(m_pages.size()); }
    bool IsValidIndex(int index) const { return index >= 0 && index < GetCount(); }

    // Appends one tab's entries to all three arrays at once; returns its index.
    int Append(Page* page, bool owned, int pageId, Window focusWindow = Window())
    {
        m_pages.push_back(TabDelete{page, owned ? 1 : 0});
        m_pageIds.push_back(pageId);
        m_focusWindows.push_back(focusWindow);
        return GetCount() - 1;
    }

    // Accessors answer a neutral value (null page, id 0, empty window) for an
    // index the book does not hold; callers pass indexes the tab control reports.
    Page* GetPage(int index) const { return IsValidIndex(index) ? m_pages[Slot(index)].page : nullptr; }
    bool IsOwned(int index) const { return IsValidIndex(index) && m_pages[Slot(index)].owned == 1; }
    int GetPageId(int index) const { return IsValidIndex(index) ? m_pageIds[Slot(index)] : 0; }
    Window GetFocusWindow(int index) const { return IsValidIndex(index) ? m_focusWindows[Slot(index)] : Window(); }
    void SetFocusWindow(int index, Window window)
    {
        if (IsValidIndex(index)) m_focusWindows[Slot(index)] = window;
    }

    // Walks the tabs from the last to the first, calling destroy(index, pageId,
    // page) for each (the page may be null), deletes the pages the book owns,
    // then empties all three arrays and frees their storage.
    template <class DestroyFn>
    void DestroyAll(DestroyFn destroy)
    {
        for (int i = GetCount() - 1; i >= 0; --i) {
            const TabDelete entry = m_pages[Slot(i)];
            destroy(i, m_pageIds[Slot(i)], entry.page);
            if (entry.page && entry.owned == 1) delete entry.page;
        }
        Clear();
    }

    void Clear()
    {
        std::vector<TabDelete>().swap(m_pages);
        std::vector<Window>().swap(m_focusWindows);
        std::vector<int>().swap(m_pageIds);
    }

private:
    static std::size_t Slot(int index) { return static_cast<std::size_t>(index); }

    std::vector<TabDelete> m_pages;
    std::vector<Window> m_focusWindows;
    std::vector<int> m_pageIds;
};
