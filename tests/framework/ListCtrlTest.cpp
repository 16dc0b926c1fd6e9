// CListCtrl on a real report-view list: items, sub-item texts of any length,
// item data and states, geometry and hit testing, columns and the header,
// the label editor, and owner drawing reached by reflection.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/CImageList.h"
#include "framework/CListCtrl.h"
#include "tests/framework/TestParent.h"

namespace {

constexpr UINT kListId = 200;

class ListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_list.Create(WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS,
                                  CRect(10, 10, 410, 310), &m_parent, kListId));
        ASSERT_EQ(0, m_list.InsertColumn(0, L"Name", LVCFMT_LEFT, 150));
        ASSERT_EQ(1, m_list.InsertColumn(1, L"Description", LVCFMT_LEFT, 200, 1));
    }

    // Rows "row 0".."row n-1" with descriptions "desc i" and item data 100 + i.
    void AddRows(int count)
    {
        for (int i = 0; i < count; ++i) {
            CString name, description;
            name.Format(L"row %d", i);
            description.Format(L"desc %d", i);
            ASSERT_EQ(i, m_list.InsertItem(i, name));
            ASSERT_TRUE(m_list.SetItemText(i, 1, description));
            ASSERT_TRUE(m_list.SetItemData(i, static_cast<DWORD_PTR>(100 + i)));
        }
    }

    CTestParent m_parent;
    CListCtrl m_list;
};

TEST_F(ListCtrlTest, ItemsAndSubItemTextsRoundTrip)
{
    AddRows(3);
    EXPECT_EQ(3, m_list.GetItemCount());
    EXPECT_EQ(CString(L"row 1"), m_list.GetItemText(1, 0));
    EXPECT_EQ(CString(L"desc 2"), m_list.GetItemText(2, 1));
    EXPECT_EQ(static_cast<DWORD_PTR>(101), m_list.GetItemData(1));

    // Inserting in the middle shifts the rows below.
    ASSERT_EQ(1, m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, 1, L"inserted", 0, 0, 0, 77));
    EXPECT_EQ(CString(L"inserted"), m_list.GetItemText(1, 0));
    EXPECT_EQ(CString(L""), m_list.GetItemText(1, 1));
    EXPECT_EQ(static_cast<DWORD_PTR>(77), m_list.GetItemData(1));
    EXPECT_EQ(CString(L"row 1"), m_list.GetItemText(2, 0));

    wchar_t buffer[4] = { L'x', L'x', L'x', L'x' };
    EXPECT_EQ(3, m_list.GetItemText(0, 1, buffer, 4)) << "the short form cuts to the buffer";
    EXPECT_STREQ(L"des", buffer);
}

TEST_F(ListCtrlTest, LongTextsComeBackWhole)
{
    AddRows(1);
    CString longText;
    for (int i = 0; i < 700; ++i) longText += static_cast<wchar_t>(L'a' + i % 26);
    ASSERT_TRUE(m_list.SetItemText(0, 1, longText));
    const CString read = m_list.GetItemText(0, 1);
    EXPECT_EQ(longText.GetLength(), read.GetLength());
    EXPECT_EQ(longText, read);
}

TEST_F(ListCtrlTest, GetItemAndSetItemCarryImageAndIndent)
{
    AddRows(2);
    ASSERT_TRUE(m_list.SetItem(1, 0, LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT, L"changed", 3, 0, 0, 0, 2));
    LVITEMW item = {};
    wchar_t text[64] = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT | LVIF_PARAM;
    item.iItem = 1;
    item.pszText = text;
    item.cchTextMax = 64;
    ASSERT_TRUE(m_list.GetItem(&item));
    EXPECT_STREQ(L"changed", item.pszText);
    EXPECT_EQ(3, item.iImage);
    EXPECT_EQ(2, item.iIndent);
    EXPECT_EQ(101, item.lParam);
}

TEST_F(ListCtrlTest, DeletingItemsShiftsAndEmpties)
{
    AddRows(4);
    ASSERT_TRUE(m_list.DeleteItem(1));
    EXPECT_EQ(3, m_list.GetItemCount());
    EXPECT_EQ(CString(L"row 2"), m_list.GetItemText(1, 0));
    EXPECT_EQ(static_cast<DWORD_PTR>(102), m_list.GetItemData(1));
    EXPECT_FALSE(m_list.DeleteItem(10));
    ASSERT_TRUE(m_list.DeleteAllItems());
    EXPECT_EQ(0, m_list.GetItemCount());
}

TEST_F(ListCtrlTest, SelectionStatesAndWalkingTheSelection)
{
    AddRows(5);
    ASSERT_TRUE(m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    ASSERT_TRUE(m_list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(2u, m_list.GetSelectedCount());
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED), m_list.GetItemState(1, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED), m_list.GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(1, m_list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(3, m_list.GetNextItem(1, LVNI_SELECTED));
    EXPECT_EQ(3, m_list.GetNextItem(-1, LVNI_FOCUSED));

    std::vector<int> walked;
    for (POSITION pos = m_list.GetFirstSelectedItemPosition(); pos;) walked.push_back(m_list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{ 1, 3 }), walked);

    // Index -1 changes every item.
    ASSERT_TRUE(m_list.SetItemState(-1, 0, LVIS_SELECTED));
    EXPECT_EQ(0u, m_list.GetSelectedCount());
    EXPECT_EQ(nullptr, m_list.GetFirstSelectedItemPosition());

    const int mark = m_list.GetSelectionMark();
    EXPECT_EQ(mark, m_list.SetSelectionMark(2)) << "returns the previous mark";
    EXPECT_EQ(2, m_list.GetSelectionMark());
}

TEST_F(ListCtrlTest, RectanglesAndHitTestsFindTheRowAndColumn)
{
    AddRows(5);
    CRect row;
    ASSERT_TRUE(m_list.GetItemRect(2, &row, LVIR_BOUNDS));
    EXPECT_GT(row.Height(), 0);
    CRect above;
    ASSERT_TRUE(m_list.GetItemRect(1, &above, LVIR_BOUNDS));
    EXPECT_EQ(above.bottom, row.top);

    CRect cell;
    ASSERT_TRUE(m_list.GetSubItemRect(2, 1, LVIR_BOUNDS, cell));
    EXPECT_EQ(150, cell.left - row.left) << "the second column starts after the first";
    EXPECT_EQ(200, cell.Width());
    EXPECT_EQ(row.top, cell.top);

    UINT flags = 0;
    EXPECT_EQ(2, m_list.HitTest(CPoint(row.left + 20, row.CenterPoint().y), &flags));
    EXPECT_NE(0u, flags & LVHT_ONITEM);
    EXPECT_EQ(-1, m_list.HitTest(CPoint(row.left + 20, row.top + 40 * row.Height())));

    LVHITTESTINFO info = {};
    info.pt = cell.CenterPoint();
    EXPECT_EQ(2, m_list.SubItemHitTest(&info));
    EXPECT_EQ(2, info.iItem);
    EXPECT_EQ(1, info.iSubItem);
}

TEST_F(ListCtrlTest, ScrollingMovesTheTopIndex)
{
    AddRows(60);
    const int perPage = m_list.GetCountPerPage();
    ASSERT_GT(perPage, 0);
    ASSERT_LT(perPage, 60);
    EXPECT_EQ(0, m_list.GetTopIndex());
    ASSERT_TRUE(m_list.EnsureVisible(59, FALSE));
    EXPECT_EQ(60 - perPage, m_list.GetTopIndex());
    CRect row;
    m_list.GetItemRect(0, &row, LVIR_BOUNDS);
    ASSERT_TRUE(m_list.Scroll(CSize(0, -row.Height() * 5)));
    EXPECT_EQ(60 - perPage - 5, m_list.GetTopIndex());
    EXPECT_TRUE(m_list.RedrawItems(0, 5));
    EXPECT_TRUE(m_list.Update(3));
}

TEST_F(ListCtrlTest, ColumnsAndHeader)
{
    EXPECT_EQ(150, m_list.GetColumnWidth(0));
    ASSERT_TRUE(m_list.SetColumnWidth(1, 90));
    EXPECT_EQ(90, m_list.GetColumnWidth(1));

    wchar_t text[32] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = 32;
    ASSERT_TRUE(m_list.GetColumn(1, &column));
    EXPECT_STREQ(L"Description", text);
    EXPECT_EQ(90, column.cx);

    CHeaderCtrl* header = m_list.GetHeaderCtrl();
    ASSERT_NE(nullptr, header);
    ASSERT_TRUE(::IsWindow(header->m_hWnd));
    EXPECT_EQ(2, header->GetItemCount());
    ASSERT_EQ(2, m_list.InsertColumn(2, L"Third"));
    EXPECT_EQ(3, m_list.GetHeaderCtrl()->GetItemCount());
    int order[3] = {};
    ASSERT_TRUE(m_list.GetColumnOrderArray(order));
    EXPECT_EQ(0, order[0]);
    EXPECT_EQ(2, order[2]);
    ASSERT_TRUE(m_list.DeleteColumn(2));
    EXPECT_EQ(2, header->GetItemCount());
}

TEST_F(ListCtrlTest, HeaderObjectThatSubclassedItIsReturned)
{
    CHeaderCtrl own;
    ASSERT_TRUE(own.SubclassWindow(reinterpret_cast<HWND>(m_list.SendMessage(LVM_GETHEADER))));
    EXPECT_EQ(&own, m_list.GetHeaderCtrl());
    own.UnsubclassWindow();
}

TEST_F(ListCtrlTest, ExtendedStyleAndImageList)
{
    const DWORD previous = m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    (void)previous;
    EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), m_list.GetExtendedStyle());

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    EXPECT_EQ(nullptr, m_list.SetImageList(&images, LVSIL_SMALL));
    CImageList* got = m_list.GetImageList(LVSIL_SMALL);
    ASSERT_NE(nullptr, got);
    EXPECT_EQ(images.m_hImageList, got->m_hImageList);
    EXPECT_EQ(nullptr, m_list.GetImageList(LVSIL_NORMAL));
    m_list.SetImageList(nullptr, LVSIL_SMALL);
}

TEST(ListCtrlImageListTest, ListLeavesTheImageListToItsOwner)
{
    CTestParent parent;
    CImageList small, state;
    ASSERT_TRUE(small.Create(16, 16, ILC_COLOR24, 2, 2));
    ASSERT_TRUE(state.Create(16, 16, ILC_COLOR24, 2, 2));
    ImageList_SetImageCount(small.m_hImageList, 2);
    ImageList_SetImageCount(state.m_hImageList, 3);
    {
        CListCtrl list;
        ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 200), &parent, kListId));
        list.SetImageList(&small, LVSIL_SMALL);
        list.SetImageList(&state, LVSIL_STATE);
    }
    EXPECT_EQ(2, small.GetImageCount()) << "the destroyed list took the image list with it";
    EXPECT_EQ(3, state.GetImageCount()) << "the destroyed list took the state image list with it";
}

TEST_F(ListCtrlTest, EditLabelGivesTheEditorWithTheItemText)
{
    AddRows(2);
    m_list.SetFocus();
    CEdit* edit = m_list.EditLabel(1);
    ASSERT_NE(nullptr, edit);
    ASSERT_TRUE(::IsWindow(edit->m_hWnd));
    EXPECT_EQ(edit->m_hWnd, m_list.GetEditControl()->m_hWnd);
    EXPECT_EQ(CString(L"row 1"), edit->GetWindowText());
    EXPECT_EQ(1, m_parent.Count(LVN_BEGINLABELEDITW));
    m_list.SendMessage(LVM_CANCELEDITLABEL);
    EXPECT_EQ(nullptr, m_list.GetEditControl());
}

TEST_F(ListCtrlTest, DragImageIsANewImageListTheCallerOwns)
{
    AddRows(2);
    POINT upperLeft = { -1, -1 };
    CImageList* drag = m_list.CreateDragImage(0, &upperLeft);
    ASSERT_NE(nullptr, drag);
    HIMAGELIST handle = drag->m_hImageList;
    EXPECT_EQ(1, drag->GetImageCount());
    delete drag;
    EXPECT_EQ(0, ImageList_GetImageCount(handle)) << "the drag image list outlived its owner";
}

// An owner-drawn list reached by reflection of its parent's WM_DRAWITEM.
class COwnerDrawnList : public CListCtrl {
public:
    std::vector<UINT> m_drawn;
    int m_measured = 0;
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override { m_drawn.push_back(drawItem->itemID); }
    void MeasureItem(LPMEASUREITEMSTRUCT measureItem) override
    {
        ++m_measured;
        measureItem->itemHeight = 30;
    }
};

TEST(ListCtrlOwnerDrawTest, RowsAreDrawnAndMeasuredByTheListItself)
{
    CTestParent parent;
    COwnerDrawnList list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 300, 300), &parent, kListId));
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    list.SetFont(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    list.InsertItem(0, L"a");
    list.InsertItem(1, L"b");
    list.Invalidate();
    list.UpdateWindow();
    PumpMessages();
    EXPECT_GE(list.m_measured, 1) << "WM_MEASUREITEM did not reach MeasureItem";
    ASSERT_GE(list.m_drawn.size(), 2u) << "WM_DRAWITEM did not reach DrawItem";
    EXPECT_NE(list.m_drawn.end(), std::find(list.m_drawn.begin(), list.m_drawn.end(), 1u));
    CRect row;
    list.GetItemRect(0, &row, LVIR_BOUNDS);
    EXPECT_EQ(30, row.Height()) << "the measured height was not used";
}

} // namespace
