// CComboBox and CEdit on real controls: list items, their data, searching,
// selecting and text retrieval; edit selection, limits and lines.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CComboBox.h"
#include "framework/CEdit.h"
#include "tests/framework/TestParent.h"

namespace {

class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(10, 10, 210, 200), &m_parent, 400));
    }

    CTestParent m_parent;
    CComboBox m_combo;
};

TEST_F(ComboBoxTest, ItemsTextsAndDataRoundTrip)
{
    EXPECT_EQ(0, m_combo.GetCount());
    EXPECT_EQ(0, m_combo.AddString(L"None"));
    EXPECT_EQ(1, m_combo.AddString(L"Reports"));
    EXPECT_EQ(1, m_combo.InsertString(1, L"Maintenance"));
    EXPECT_EQ(3, m_combo.AddString(L"reports archive"));
    ASSERT_EQ(4, m_combo.GetCount());
    EXPECT_NE(CB_ERR, m_combo.SetItemData(2, 17));
    EXPECT_EQ(static_cast<DWORD_PTR>(17), m_combo.GetItemData(2));

    CString text;
    m_combo.GetLBText(1, text);
    EXPECT_EQ(CString(L"Maintenance"), text);
    wchar_t buffer[32] = {};
    EXPECT_EQ(7, m_combo.GetLBText(2, buffer));
    EXPECT_STREQ(L"Reports", buffer);
    EXPECT_EQ(7, m_combo.GetLBTextLen(2));
    m_combo.GetLBText(9, text);
    EXPECT_TRUE(text.IsEmpty()) << "an index out of range gives an empty text";

    EXPECT_EQ(3, m_combo.DeleteString(0)) << "returns the items left";
    m_combo.GetLBText(0, text);
    EXPECT_EQ(CString(L"Maintenance"), text);
    m_combo.ResetContent();
    EXPECT_EQ(0, m_combo.GetCount());
}

TEST_F(ComboBoxTest, FindingAndSelecting)
{
    m_combo.AddString(L"Alpha");
    m_combo.AddString(L"reports");
    m_combo.AddString(L"Reports archive");
    EXPECT_EQ(CB_ERR, m_combo.GetCurSel());
    EXPECT_EQ(1, m_combo.FindString(-1, L"REP")) << "prefix, case ignored";
    EXPECT_EQ(2, m_combo.FindString(1, L"rep")) << "search starts after the given item";
    EXPECT_EQ(2, m_combo.FindStringExact(-1, L"reports ARCHIVE"));
    EXPECT_EQ(CB_ERR, m_combo.FindStringExact(-1, L"Report"));
    EXPECT_EQ(2, m_combo.SelectString(1, L"Rep"));
    EXPECT_EQ(2, m_combo.GetCurSel());
    EXPECT_EQ(0, m_combo.SetCurSel(0));
    EXPECT_EQ(0, m_combo.GetCurSel());
    m_combo.SetCurSel(-1);
    EXPECT_EQ(CB_ERR, m_combo.GetCurSel());
}

TEST(EditTest, SelectionReplaceAndLimit)
{
    CTestParent parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 210, 30), &parent, 500));
    edit.SetWindowText(L"SELECT * FROM notes");
    edit.SetSel(7, 8);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(7, start);
    EXPECT_EQ(8, end);
    EXPECT_EQ(MAKELONG(7, 8), static_cast<LONG>(edit.GetSel()));
    edit.ReplaceSel(L"id, name");
    EXPECT_EQ(CString(L"SELECT id, name FROM notes"), edit.GetWindowText());
    edit.SetSel(static_cast<DWORD>(MAKELONG(0, -1)));
    edit.GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(edit.GetWindowTextLength(), end) << "0, -1 selects everything";

    edit.SetLimitText(5);
    EXPECT_EQ(5u, edit.GetLimitText());
    edit.SetWindowText(L"");
    edit.ReplaceSel(L"1234567");
    EXPECT_EQ(CString(L"12345"), edit.GetWindowText());
}

TEST(EditTest, LinesOfAMultiLineEdit)
{
    CTestParent parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, CRect(10, 10, 310, 200), &parent, 501));
    edit.SetWindowText(L"SELECT *\r\nFROM notes\r\n\r\nWHERE id = 1");
    EXPECT_EQ(4, edit.GetLineCount());
    EXPECT_EQ(CString(L"SELECT *"), edit.GetLine(0));
    EXPECT_EQ(CString(L"FROM notes"), edit.GetLine(1));
    EXPECT_EQ(CString(L""), edit.GetLine(2));
    EXPECT_EQ(CString(L"WHERE id = 1"), edit.GetLine(3));
    EXPECT_EQ(CString(L""), edit.GetLine(9));
    wchar_t buffer[5] = {};
    EXPECT_EQ(4, edit.GetLine(1, buffer, 4)) << "the short form copies at most its size";
    EXPECT_EQ(CString(L"FROM"), CString(buffer, 4));
    EXPECT_EQ(10, edit.LineIndex(1));
    EXPECT_EQ(1, edit.LineFromChar(12));
}

} // namespace
