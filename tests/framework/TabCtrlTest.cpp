// CTabCtrl on a real tab control: tabs and their texts and data, selection
// and focus (with the notifications a click gives), geometry and hit tests.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "framework/CImageList.h"
#include "framework/CTabCtrl.h"
#include "tests/framework/TestParent.h"

namespace {

constexpr UINT kTabId = 300;

class TabCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tabs.Create(WS_VISIBLE | TCS_TABS, CRect(10, 10, 410, 260), &m_parent, kTabId));
        m_tabs.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        ASSERT_EQ(0, m_tabs.InsertItem(0, L"View"));
        ASSERT_EQ(1, m_tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 1, L"Edit", 0, 42));
        ASSERT_EQ(2, m_tabs.InsertItem(2, L"Group Edit"));
    }

    CString TabText(int index)
    {
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        return m_tabs.GetItem(index, &item) ? CString(text) : CString(L"<none>");
    }

    CTestParent m_parent;
    CTabCtrl m_tabs;
};

TEST_F(TabCtrlTest, TabsAndTheirTextsRoundTrip)
{
    EXPECT_EQ(3, m_tabs.GetItemCount());
    EXPECT_EQ(CString(L"View"), TabText(0));
    EXPECT_EQ(CString(L"Edit"), TabText(1));
    EXPECT_EQ(CString(L"Group Edit"), TabText(2));

    TCITEMW item = {};
    item.mask = TCIF_PARAM;
    ASSERT_TRUE(m_tabs.GetItem(1, &item));
    EXPECT_EQ(42, item.lParam);

    item.mask = TCIF_TEXT;
    item.pszText = const_cast<LPWSTR>(L"Results");
    ASSERT_TRUE(m_tabs.SetItem(2, &item));
    EXPECT_EQ(CString(L"Results"), TabText(2));

    ASSERT_EQ(1, m_tabs.InsertItem(1, L"Middle"));
    EXPECT_EQ(CString(L"Edit"), TabText(2));
    ASSERT_TRUE(m_tabs.DeleteItem(1));
    EXPECT_EQ(CString(L"Edit"), TabText(1));
    ASSERT_TRUE(m_tabs.DeleteAllItems());
    EXPECT_EQ(0, m_tabs.GetItemCount());
}

TEST_F(TabCtrlTest, SelectionAndFocus)
{
    EXPECT_EQ(0, m_tabs.GetCurSel());
    EXPECT_EQ(0, m_tabs.SetCurSel(2));
    EXPECT_EQ(2, m_tabs.GetCurSel());
    EXPECT_EQ(0, m_parent.Count(TCN_SELCHANGE)) << "SetCurSel notifies nobody";
    EXPECT_EQ(-1, m_tabs.SetCurSel(7));

    // Moving the focus is what a click does: the parent hears of it.
    m_tabs.SetCurFocus(1);
    EXPECT_EQ(1, m_tabs.GetCurFocus());
    EXPECT_EQ(1, m_tabs.GetCurSel());
    EXPECT_EQ(1, m_parent.Count(TCN_SELCHANGING));
    EXPECT_EQ(1, m_parent.Count(TCN_SELCHANGE));
}

TEST_F(TabCtrlTest, GeometryAndHitTest)
{
    CRect first, second;
    ASSERT_TRUE(m_tabs.GetItemRect(0, &first));
    ASSERT_TRUE(m_tabs.GetItemRect(1, &second));
    EXPECT_GT(first.Width(), 0);
    EXPECT_GT(first.Height(), 0);
    EXPECT_LE(first.right, second.left + 2) << "tabs lie side by side";
    EXPECT_EQ(1, m_tabs.GetRowCount());

    TCHITTESTINFO info = {};
    info.pt = second.CenterPoint();
    EXPECT_EQ(1, m_tabs.HitTest(&info));
    EXPECT_NE(0u, info.flags & TCHT_ONITEM);
    info.pt = CPoint(5, 200);
    EXPECT_EQ(-1, m_tabs.HitTest(&info));

    CRect client;
    m_tabs.GetClientRect(&client);
    CRect display = client;
    m_tabs.AdjustRect(FALSE, &display);
    EXPECT_GT(display.top, first.bottom - 1) << "the display area lies below the tabs";
    EXPECT_LT(display.Width(), client.Width());
    CRect back = display;
    m_tabs.AdjustRect(TRUE, &back);
    EXPECT_EQ(client.Height(), back.Height());
}

TEST_F(TabCtrlTest, ItemStateAndImages)
{
    ASSERT_TRUE(m_tabs.HighlightItem(2));
    EXPECT_EQ(static_cast<DWORD>(TCIS_HIGHLIGHTED), m_tabs.GetItemState(2, TCIS_HIGHLIGHTED));
    EXPECT_EQ(0u, m_tabs.GetItemState(1, TCIS_HIGHLIGHTED));
    ASSERT_TRUE(m_tabs.SetItemState(2, TCIS_HIGHLIGHTED, 0));
    EXPECT_EQ(0u, m_tabs.GetItemState(2, TCIS_HIGHLIGHTED));

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 1));
    EXPECT_EQ(nullptr, m_tabs.SetImageList(&images));
    ASSERT_NE(nullptr, m_tabs.GetImageList());
    EXPECT_EQ(images.m_hImageList, m_tabs.GetImageList()->m_hImageList);
    m_tabs.SetImageList(nullptr);
}

} // namespace
