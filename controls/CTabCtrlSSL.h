// CTabCtrlSSL: a tab control that hosts dialog pages, one visible at a time.
// For each tab it keeps the page, the caller's page identifier and the
// window that should get the focus when the page is active; it places the
// selected page inside its client area, switches pages on its own
// (reflected) selection notifications and passes the focus into the page.
#pragma once

#include "framework/CTabCtrl.h"

#include "CTabPageSSL.h"
#include "CmdMsgRouting.h"
#include "TabPageBook.h"

class CTabCtrlSSL : public CTabCtrl, public CCmdMsgRouting {
public:
    using TabDelete = CTabPageBook<CTabPageSSL, HWND>::TabDelete;

    CTabCtrlSSL();
    ~CTabCtrlSSL() override;

    // Appends a tab captioned `title` for a page whose window exists and
    // that the caller keeps owning. Returns the tab's index, or -1.
    int AddPage(const wchar_t* title, int pageId, CTabPageSSL* page);
    int GetPageCount();
    // The page of tab `index`, or null when there is no such tab.
    CTabPageSSL* GetPage(int index);
    // Makes the strip a stop of the keyboard's own: it keeps the focus it
    // gets (its arrow keys change pages), and a page change moves the focus
    // into the new page only when it was in the page left. Off by default:
    // the focus then always passes into the current page.
    void SetStripKeepsFocus(bool keep) { m_stripKeepsFocus = keep; }

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // Page hooks for derived classes, each given (tab index, page identifier).
    // Called once while a page is added, after it is placed; FALSE means the
    // hook set the focus itself (the focused window becomes the page's).
    virtual BOOL OnPageInit(int index, int pageId);
    // After the page has become the visible one.
    virtual void OnPageActivate(int index, int pageId);
    // Before the visible page is hidden because another tab is selected.
    virtual void OnPageDeactivate(int index, int pageId);
    // For each page while the tab control is destroyed, before its window goes.
    virtual void OnPageDestroy(int index, int pageId);

protected:
    void OnDestroy();
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    void OnSize(UINT type, int width, int height);
    void OnSelChanging(NMHDR* header, LRESULT* result);
    void OnSelChange(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    int AddPage(const wchar_t* title, int pageId, TabDelete entry);
    // Places page `index` inside a client area of width x height.
    void PlacePage(int index, int width, int height);
    // Keeps `focus` as the window of tab `index` when it lies in that tab's page.
    void RememberFocus(int index, HWND focus);
    static HWND FirstControl(HWND page);
    // Leaves the pressed state on the selected tab only.
    void ReleasePressedTabs(int selected);
    // The window that gets the focus when tab `index` is entered.
    HWND FocusTarget(int index) const;

    CTabPageBook<CTabPageSSL, HWND> m_book; // m_pages, m_focusWindows, m_pageIds, per tab
    bool m_stripKeepsFocus = false;
    bool m_focusWasInPage = false;  // while a page change runs: the focus was in the page left
};
