// CTabCtrlSSL and CTabPageSSL on real windows: a host dialog from a template
// with a tab control, three pages from their own templates, tabs switched
// with TCM_SETCURFOCUS (which raises the changing/changed notifications as a
// click does), keys delivered through the dialog's own modal loop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "res/resource.h"
#include "controls/CTabCtrlSSL.h"
#include "controls/CTabPageSSL.h"
#include "controls/TabPlacement.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/PendingInput.h"

namespace {

using dialogdriver::PostKey;
using dialogdriver::RectInParent;

constexpr UINT kTestNotifyCode = 0x7001;

// A tab control that records its page hooks.
class CRecordingTabCtrl : public CTabCtrlSSL {
public:
    BOOL OnPageInit(int index, int pageId) override
    {
        Log("init", index, pageId);
        CTabPageSSL* page = GetPage(index);
        if (page) ::GetWindowRect(page->m_hWnd, &m_pageRectAtInit);
        if (m_onInit) m_onInit(index);
        return m_initResult;
    }
    void OnPageActivate(int index, int pageId) override { Log("activate", index, pageId); }
    void OnPageDeactivate(int index, int pageId) override { Log("deactivate", index, pageId); }
    void OnPageDestroy(int index, int pageId) override
    {
        Log("destroy", index, pageId);
        CTabPageSSL* page = GetPageBeforeDestroy(index);
        m_pageAliveAtDestroy.push_back(page && ::IsWindow(page->m_hWnd));
    }

    std::string Calls() const
    {
        std::string all;
        for (const std::string& call : m_calls) all += (all.empty() ? "" : ", ") + call;
        return all;
    }

    std::vector<std::string> m_calls;
    std::vector<bool> m_pageAliveAtDestroy;
    std::vector<CTabPageSSL*> m_pagesSeen; // filled by the test, read during destruction
    BOOL m_initResult = TRUE;
    std::function<void(int)> m_onInit;
    RECT m_pageRectAtInit = {};

private:
    void Log(const char* what, int index, int pageId)
    {
        std::ostringstream text;
        text << what << ' ' << index << ' ' << pageId;
        m_calls.push_back(text.str());
    }
    CTabPageSSL* GetPageBeforeDestroy(int index)
    {
        return index < static_cast<int>(m_pagesSeen.size()) ? m_pagesSeen[static_cast<size_t>(index)] : nullptr;
    }
};

class CTestPage : public CTabPageSSL {
public:
    explicit CTestPage(UINT templateId) : CTabPageSSL(templateId) {}
    void RouteEverything()
    {
        m_routeCommand = true;
        m_routeNotify = true;
        m_routeEvent = true;
    }
};

// The host dialog: a tab control subclassed from its template and handlers
// that count what the pages pass on.
class CHostDlg : public CDialog {
public:
    CHostDlg() : CDialog(IDD_TEST_HOST) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_tabs.SubclassDlgItem(IDC_TEST_TAB, this);
        if (m_setUp) m_setUp();
        return TRUE;
    }
    void OnOK() override
    {
        ++m_okCount;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++m_cancelCount;
        CDialog::OnCancel();
    }

    void OnPageButton() { ++m_pageButtonClicks; }
    void OnPageNotify(NMHDR*, LRESULT* result)
    {
        ++m_pageNotifies;
        *result = 0;
    }
    void OnPageEvent() { ++m_pageEvents; }

    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }

    CRecordingTabCtrl m_tabs;
    CTestPage m_pageA{IDD_TEST_PAGE_A};
    CTestPage m_pageB{IDD_TEST_PAGE_B};
    CTestPage m_pageC{IDD_TEST_PAGE_C};
    std::function<void()> m_setUp;
    int m_okCount = 0;
    int m_cancelCount = 0;
    int m_pageButtonClicks = 0;
    int m_pageNotifies = 0;
    int m_pageEvents = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostDlg, CDialog)
    ON_BN_CLICKED(IDC_PAGE_A_BUTTON, OnPageButton)
    ON_NOTIFY(kTestNotifyCode, IDC_PAGE_A_FIRST, OnPageNotify)
    ON_CONTROL(CN_EVENT, IDC_PAGE_A_FIRST, OnPageEvent)
END_MESSAGE_MAP()

using ui::PumpMessages;

// Where a page belongs in `tab` by the tab strip's own measurements.
RECT ExpectedPageRect(HWND tab, int index)
{
    RECT item = {}, client = {};
    ::SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ::GetClientRect(tab, &client);
    const int rows = static_cast<int>(::SendMessageW(tab, TCM_GETROWCOUNT, 0, 0));
    const TabPagePlacement p = PlaceTabPage(static_cast<unsigned long>(::GetWindowLongW(tab, GWL_STYLE)),
                                            ControlRect{item.left, item.top, item.right, item.bottom}, rows,
                                            client.right, client.bottom);
    return RECT{p.x, p.y, p.x + p.width, p.y + p.height};
}

::testing::AssertionResult SameRect(const RECT& got, const RECT& expected)
{
    if (::EqualRect(&got, &expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got {" << got.left << ", " << got.top << ", " << got.right << ", "
                                         << got.bottom << "}, expected {" << expected.left << ", " << expected.top
                                         << ", " << expected.right << ", " << expected.bottom << "}";
}

class TabsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (m_host && m_host->m_hWnd) m_host->DestroyWindow();
        m_host.reset();
        PumpMessages();
    }

    void OpenHost()
    {
        m_host = std::make_unique<CHostDlg>();
        ASSERT_TRUE(m_host->Create(IDD_TEST_HOST));
        m_host->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_host->m_hWnd);
        PumpMessages();
    }

    void CreatePages()
    {
        ASSERT_TRUE(m_host->m_pageA.Create(IDD_TEST_PAGE_A, m_host.get()));
        ASSERT_TRUE(m_host->m_pageB.Create(IDD_TEST_PAGE_B, m_host.get()));
        ASSERT_TRUE(m_host->m_pageC.Create(IDD_TEST_PAGE_C, m_host.get()));
        m_host->m_tabs.m_pagesSeen = {&m_host->m_pageA, &m_host->m_pageB, &m_host->m_pageC};
    }

    void AddPages()
    {
        CreatePages();
        ASSERT_EQ(m_host->m_tabs.AddPage(L"View", 102, &m_host->m_pageA), 0);
        ASSERT_EQ(m_host->m_tabs.AddPage(L"Edit", 1015, &m_host->m_pageB), 1);
        ASSERT_EQ(m_host->m_tabs.AddPage(L"Group Edit", 1020, &m_host->m_pageC), 2);
    }

    void Select(int index) { m_host->m_tabs.SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(index)); }

    // The window with the focus once tab `index` was selected.
    HWND FocusAfterSelecting(int index)
    {
        Select(index);
        return ::GetFocus();
    }

    HWND PageItem(CTabPageSSL& page, int id) const { return ::GetDlgItem(page.m_hWnd, id); }

    std::unique_ptr<CHostDlg> m_host;
};

// The host dialog open with its three pages added: View, Edit and Group Edit.
class TabsWithPagesTest : public TabsTest {
protected:
    void SetUp() override
    {
        OpenHost();
        if (!HasFatalFailure()) AddPages();
    }
};

TEST_F(TabsWithPagesTest, TheFirstPageIsShownAtOnceAndTheOthersWhenSelected)
{
    CHostDlg& host = *m_host;
    EXPECT_EQ(host.m_tabs.GetPageCount(), 3);
    EXPECT_EQ(::GetParent(host.m_pageB.m_hWnd), host.m_tabs.m_hWnd) << "pages live inside the tab control";
    EXPECT_TRUE(host.m_pageA.IsWindowVisible());
    EXPECT_FALSE(host.m_pageB.IsWindowVisible());
    EXPECT_FALSE(host.m_pageC.IsWindowVisible());

    Select(1);
    EXPECT_EQ(host.m_tabs.GetCurSel(), 1);
    EXPECT_FALSE(host.m_pageA.IsWindowVisible());
    EXPECT_TRUE(host.m_pageB.IsWindowVisible());
    EXPECT_FALSE(host.m_pageC.IsWindowVisible());

    Select(2);
    EXPECT_FALSE(host.m_pageB.IsWindowVisible());
    EXPECT_TRUE(host.m_pageC.IsWindowVisible());
}

TEST_F(TabsWithPagesTest, TabCaptionsAreTheTitlesGiven)
{
    wchar_t text[64] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    ASSERT_TRUE(m_host->m_tabs.GetItem(2, &item));
    EXPECT_STREQ(text, L"Group Edit");
}

TEST_F(TabsWithPagesTest, ThePageFillsTheClientAreaBelowTheTabStripWithAFourPixelMargin)
{
    HWND tab = m_host->m_tabs.m_hWnd;
    const RECT pageA = RectInParent(m_host->m_pageA.m_hWnd);
    EXPECT_TRUE(SameRect(pageA, ExpectedPageRect(tab, 0)));
    RECT item = {}, client = {};
    m_host->m_tabs.GetItemRect(0, &item);
    ::GetClientRect(tab, &client);
    EXPECT_EQ(pageA.left, 4);
    EXPECT_GE(pageA.top, item.bottom) << "the page does not cover the tabs";
    EXPECT_EQ(client.right - pageA.right, 4);
    EXPECT_EQ(client.bottom - pageA.bottom, 4);

    Select(1);
    EXPECT_TRUE(SameRect(RectInParent(m_host->m_pageB.m_hWnd), ExpectedPageRect(tab, 1)));
}

TEST_F(TabsTest, APageAddedToATabControlWithoutRoomIsPlacedWhenSelected)
{
    OpenHost();
    HWND tab = m_host->m_tabs.m_hWnd;
    const RECT tabRect = RectInParent(tab);
    ::SetWindowPos(tab, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
    CreatePages();
    RECT before;
    ::GetWindowRect(m_host->m_pageB.m_hWnd, &before);
    ASSERT_EQ(m_host->m_tabs.AddPage(L"View", 1, &m_host->m_pageA), 0);
    ASSERT_EQ(m_host->m_tabs.AddPage(L"Edit", 2, &m_host->m_pageB), 1);
    RECT after;
    ::GetWindowRect(m_host->m_pageB.m_hWnd, &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left) << "not sized while the control had no room";
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);

    ::SetWindowPos(tab, nullptr, 0, 0, tabRect.right - tabRect.left, tabRect.bottom - tabRect.top,
                   SWP_NOMOVE | SWP_NOZORDER);
    Select(1);
    EXPECT_TRUE(SameRect(RectInParent(m_host->m_pageB.m_hWnd), ExpectedPageRect(tab, 1)));
}

// A second tab control made with a given style inside the host dialog.
struct StyledTabs {
    CRecordingTabCtrl tabs;
    CTestPage page{IDD_TEST_PAGE_C};
};

TEST_F(TabsTest, BottomTabsKeepThePageAtTheTop)
{
    OpenHost();
    StyledTabs styled;
    ASSERT_TRUE(styled.tabs.Create(WS_VISIBLE | TCS_BOTTOM, RECT{10, 10, 410, 310}, m_host.get(), 1100));
    ASSERT_TRUE(styled.page.Create(IDD_TEST_PAGE_C, m_host.get()));
    ASSERT_EQ(styled.tabs.AddPage(L"Only", 7, &styled.page), 0);
    const RECT page = RectInParent(styled.page.m_hWnd);
    RECT item = {};
    styled.tabs.GetItemRect(0, &item);
    EXPECT_EQ(page.top, 4);
    EXPECT_LE(page.bottom, item.top) << "the page stops above the tabs";
    EXPECT_TRUE(SameRect(page, ExpectedPageRect(styled.tabs.m_hWnd, 0)));
    m_host->DestroyWindow();
}

TEST_F(TabsTest, VerticalTabsPutThePageBesideTheStrip)
{
    OpenHost();
    StyledTabs left, right;
    ASSERT_TRUE(left.tabs.Create(WS_VISIBLE | TCS_VERTICAL | TCS_MULTILINE, RECT{10, 10, 410, 310}, m_host.get(), 1100));
    ASSERT_TRUE(right.tabs.Create(WS_VISIBLE | TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, RECT{10, 10, 410, 310},
                                  m_host.get(), 1101));
    ASSERT_TRUE(left.page.Create(IDD_TEST_PAGE_C, m_host.get()));
    ASSERT_TRUE(right.page.Create(IDD_TEST_PAGE_C, m_host.get()));
    ASSERT_EQ(left.tabs.AddPage(L"Left", 1, &left.page), 0);
    ASSERT_EQ(right.tabs.AddPage(L"Right", 2, &right.page), 0);

    RECT item = {};
    left.tabs.GetItemRect(0, &item);
    const RECT leftPage = RectInParent(left.page.m_hWnd);
    EXPECT_GE(leftPage.left, item.right) << "right of the tab column";
    EXPECT_EQ(leftPage.top, 4);
    EXPECT_TRUE(SameRect(leftPage, ExpectedPageRect(left.tabs.m_hWnd, 0)));

    right.tabs.GetItemRect(0, &item);
    const RECT rightPage = RectInParent(right.page.m_hWnd);
    EXPECT_EQ(rightPage.left, 4);
    EXPECT_LE(rightPage.right, item.left) << "left of the tab column";
    EXPECT_TRUE(SameRect(rightPage, ExpectedPageRect(right.tabs.m_hWnd, 0)));
    m_host->DestroyWindow();
}

TEST_F(TabsWithPagesTest, FocusComesBackToTheControlThatHadItWhenThePageWasLeft)
{
    CHostDlg& host = *m_host;
    ::SetFocus(PageItem(host.m_pageA, IDC_PAGE_A_SECOND));
    EXPECT_EQ(FocusAfterSelecting(1), PageItem(host.m_pageB, IDC_PAGE_B_FIRST)) << "a new page starts at its first control";
    ::SetFocus(PageItem(host.m_pageB, IDC_PAGE_B_SECOND));
    EXPECT_EQ(FocusAfterSelecting(0), PageItem(host.m_pageA, IDC_PAGE_A_SECOND));
    EXPECT_EQ(FocusAfterSelecting(1), PageItem(host.m_pageB, IDC_PAGE_B_SECOND));
}

TEST_F(TabsWithPagesTest, TheTabControlPassesTheFocusIntoTheActivePage)
{
    CHostDlg& host = *m_host;
    host.m_tabs.SetFocus();
    EXPECT_EQ(::GetFocus(), PageItem(host.m_pageA, IDC_PAGE_A_FIRST));
    ::SetFocus(PageItem(host.m_pageA, IDC_PAGE_A_SECOND));
    Select(1);
    Select(0);
    ::SetFocus(host.Item(IDC_TEST_OUTSIDE_EDIT));
    host.m_tabs.SetFocus();
    EXPECT_EQ(::GetFocus(), PageItem(host.m_pageA, IDC_PAGE_A_SECOND));
}

TEST_F(TabsWithPagesTest, AWindowOutsideThePageIsNotRememberedAsThePagesFocus)
{
    CHostDlg& host = *m_host;
    ::SetFocus(PageItem(host.m_pageA, IDC_PAGE_A_SECOND));
    Select(1);
    Select(0);
    ASSERT_EQ(::GetFocus(), PageItem(host.m_pageA, IDC_PAGE_A_SECOND));
    // The dialog switches tabs itself while its own edit box has the focus.
    ::SetFocus(host.Item(IDC_TEST_OUTSIDE_EDIT));
    Select(1);
    EXPECT_EQ(FocusAfterSelecting(0), PageItem(host.m_pageA, IDC_PAGE_A_SECOND));
    host.m_tabs.SetFocus();
    EXPECT_EQ(::GetFocus(), PageItem(host.m_pageA, IDC_PAGE_A_SECOND)) << "tabbing onto the tabs leads into the page";
}

TEST_F(TabsWithPagesTest, HooksAreCalledInOrderWithTabIndexAndPageId)
{
    CRecordingTabCtrl& tabs = m_host->m_tabs;
    EXPECT_EQ(tabs.Calls(), "init 0 102, init 1 1015, init 2 1020");
    tabs.m_calls.clear();
    Select(2);
    EXPECT_EQ(tabs.Calls(), "deactivate 0 102, activate 2 1020");
    tabs.m_calls.clear();
    m_host->DestroyWindow();
    EXPECT_EQ(tabs.Calls(), "destroy 2 1020, destroy 1 1015, destroy 0 102");
    EXPECT_EQ(tabs.m_pageAliveAtDestroy, (std::vector<bool>{true, true, true})) << "hooks run before the windows go";
}

TEST_F(TabsTest, ThePageIsPlacedBeforeItsInitHookRuns)
{
    OpenHost();
    CreatePages();
    ASSERT_EQ(m_host->m_tabs.AddPage(L"View", 102, &m_host->m_pageA), 0);
    RECT now;
    ::GetWindowRect(m_host->m_pageA.m_hWnd, &now);
    EXPECT_TRUE(SameRect(m_host->m_tabs.m_pageRectAtInit, now));
}

TEST_F(TabsTest, AnInitHookThatSetsTheFocusChoosesThePagesFocus)
{
    OpenHost();
    CreatePages();
    CHostDlg& host = *m_host;
    host.m_tabs.m_initResult = FALSE;
    host.m_tabs.m_onInit = [&](int index) {
        if (index == 0) ::SetFocus(PageItem(host.m_pageA, IDC_PAGE_A_SECOND));
    };
    ASSERT_EQ(host.m_tabs.AddPage(L"View", 1, &host.m_pageA), 0);
    host.m_tabs.m_onInit = [&](int) { ::SetFocus(PageItem(host.m_pageB, IDC_PAGE_B_SECOND)); };
    ASSERT_EQ(host.m_tabs.AddPage(L"Edit", 2, &host.m_pageB), 1);
    EXPECT_EQ(FocusAfterSelecting(1), PageItem(host.m_pageB, IDC_PAGE_B_SECOND));
    EXPECT_EQ(FocusAfterSelecting(0), PageItem(host.m_pageA, IDC_PAGE_A_SECOND));
}

TEST_F(TabsWithPagesTest, DestroyingTheTabControlDestroysPageWindowsButKeepsCallerOwnedPages)
{
    HWND pageWindow = m_host->m_pageB.m_hWnd;
    m_host->DestroyWindow();
    EXPECT_FALSE(::IsWindow(pageWindow));
    EXPECT_EQ(m_host->m_pageB.m_hWnd, nullptr) << "the page object let go of its window";
    EXPECT_EQ(m_host->m_tabs.GetPage(0), nullptr) << "the tab control forgot its pages";
}

TEST_F(TabsWithPagesTest, GetPageAnswersOnlyForExistingTabs)
{
    EXPECT_EQ(m_host->m_tabs.GetPage(0), &m_host->m_pageA);
    EXPECT_EQ(m_host->m_tabs.GetPage(2), &m_host->m_pageC);
    EXPECT_EQ(m_host->m_tabs.GetPage(3), nullptr);
    EXPECT_EQ(m_host->m_tabs.GetPage(-1), nullptr);
}

TEST_F(TabsTest, AddingNoPageOrAPageWithoutAWindowLeavesNoTab)
{
    OpenHost();
    EXPECT_EQ(m_host->m_tabs.AddPage(L"Nothing", 5, nullptr), -1);
    EXPECT_EQ(m_host->m_tabs.GetPageCount(), 0);
    CTestPage notCreated(IDD_TEST_PAGE_A);
    EXPECT_EQ(m_host->m_tabs.AddPage(L"No window", 6, &notCreated), -1);
    EXPECT_EQ(m_host->m_tabs.GetPageCount(), 0);
    EXPECT_TRUE(m_host->m_tabs.m_calls.empty());
    AddPages();
    EXPECT_EQ(m_host->m_tabs.GetPageCount(), 3);
    EXPECT_EQ(m_host->m_tabs.GetPage(0), &m_host->m_pageA);
}

TEST_F(TabsWithPagesTest, ASelectionNotificationWithoutASelectedTabChangesNothing)
{
    CHostDlg& host = *m_host;
    host.m_tabs.SetCurSel(-1);
    ASSERT_EQ(host.m_tabs.GetCurSel(), -1);
    host.m_tabs.m_calls.clear();
    for (UINT code : {UINT(TCN_SELCHANGING), UINT(TCN_SELCHANGE)}) {
        NMHDR header = {host.m_tabs.m_hWnd, IDC_TEST_TAB, code};
        host.SendMessage(WM_NOTIFY, IDC_TEST_TAB, reinterpret_cast<LPARAM>(&header));
    }
    EXPECT_TRUE(host.m_tabs.m_calls.empty()) << host.m_tabs.Calls();
    EXPECT_TRUE(host.m_pageA.IsWindowVisible());
    EXPECT_FALSE(host.m_pageB.IsWindowVisible());
}

TEST_F(TabsWithPagesTest, PagesKeepTheirCommandsAndNotificationsUnlessTheyRouteThem)
{
    CHostDlg& host = *m_host;
    HWND button = PageItem(host.m_pageA, IDC_PAGE_A_BUTTON);
    NMHDR header = {PageItem(host.m_pageA, IDC_PAGE_A_FIRST), IDC_PAGE_A_FIRST, kTestNotifyCode};

    ::SendMessageW(button, BM_CLICK, 0, 0);
    host.m_pageA.SendMessage(WM_NOTIFY, IDC_PAGE_A_FIRST, reinterpret_cast<LPARAM>(&header));
    host.m_pageA.OnCmdMsg(IDC_PAGE_A_FIRST, static_cast<int>(CN_EVENT), nullptr, nullptr);
    EXPECT_EQ(host.m_pageButtonClicks, 0);
    EXPECT_EQ(host.m_pageNotifies, 0);
    EXPECT_EQ(host.m_pageEvents, 0);

    host.m_pageA.RouteEverything();
    ::SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(host.m_pageButtonClicks, 1) << "the click reaches the dialog through the tab control";
    host.m_pageA.SendMessage(WM_NOTIFY, IDC_PAGE_A_FIRST, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(host.m_pageNotifies, 1) << "exactly once";
    EXPECT_TRUE(host.m_pageA.OnCmdMsg(IDC_PAGE_A_FIRST, static_cast<int>(CN_EVENT), nullptr, nullptr));
    EXPECT_EQ(host.m_pageEvents, 1);
    EXPECT_FALSE(host.m_pageA.OnCmdMsg(IDC_PAGE_A_FIRST, 0, nullptr, nullptr)) << "only control events are routed";
    EXPECT_EQ(host.m_pageEvents, 1);
}

// Drives a modal host dialog from a timer while its loop runs.
struct ModalScript {
    CHostDlg* host = nullptr;
    int step = 0;
    bool pageVisibleAfterEnter = false;
    bool pageVisibleAfterEscape = false;
    int hostOkAfterKeys = -1;
    int hostCancelAfterKeys = -1;
};
ModalScript* g_script = nullptr;

void CALLBACK DriveModalHost(HWND window, UINT, UINT_PTR timer, DWORD)
{
    ModalScript& s = *g_script;
    CHostDlg& host = *s.host;
    HWND edit = ::GetDlgItem(host.m_pageA.m_hWnd, IDC_PAGE_A_FIRST);
    switch (s.step++) {
    case 0:
        ::SetFocus(edit);
        PostKey(edit, VK_RETURN);
        break;
    case 1:
        s.pageVisibleAfterEnter = host.m_pageA.IsWindowVisible() != FALSE;
        ::SetFocus(edit);
        PostKey(edit, VK_ESCAPE);
        break;
    case 2:
        s.pageVisibleAfterEscape = host.m_pageA.IsWindowVisible() != FALSE;
        s.hostOkAfterKeys = host.m_okCount;
        s.hostCancelAfterKeys = host.m_cancelCount;
        ::KillTimer(window, timer);
        host.EndDialog(42);
        break;
    default:
        break;
    }
}

TEST(TabsModal, EnterAndEscapeInAPageCloseNothing)
{
    CHostDlg host;
    ModalScript script;
    script.host = &host;
    g_script = &script;
    host.m_setUp = [&host] {
        ASSERT_TRUE(host.m_pageA.Create(IDD_TEST_PAGE_A, &host));
        ASSERT_EQ(host.m_tabs.AddPage(L"View", 102, &host.m_pageA), 0);
        ::SetTimer(host.m_hWnd, 1, 50, &DriveModalHost);
    };
    const INT_PTR result = host.DoModal();
    g_script = nullptr;
    EXPECT_EQ(result, 42) << "the dialog ran until the script ended it";
    EXPECT_EQ(script.step, 3);
    EXPECT_TRUE(script.pageVisibleAfterEnter);
    EXPECT_TRUE(script.pageVisibleAfterEscape);
    EXPECT_EQ(script.hostOkAfterKeys, 0);
    EXPECT_EQ(script.hostCancelAfterKeys, 0);
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);
    return RUN_ALL_TESTS();
}
