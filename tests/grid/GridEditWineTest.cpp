// In-place editing in a real dialog: Enter opens the editor over the current
// cell with the right id, style and rectangle; typing widens it; Enter and
// focus loss commit to the row and its record; Escape changes nothing.
#include "controls/CListEditCtrl.h"
#include "tests/grid/GridDialogTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Node = CSuperGridCtrl::CTreeItem;

class GridEditTest : public GridDialogTest<> {
protected:
    void AddRows() override
    {
        n0 = m_grid.AddRootNode(MakeRecord(L"first note", L"its comment", 10));
        bare = m_grid.AddRootNode(MakeRecord(L"no comment", nullptr, 11));
        g1 = m_grid.AddRootNode(MakeRecord(L"G1", nullptr, 1, 1));
        m_grid.AddChildNode(g1, MakeRecord(L"a"), FALSE);
        Select(0);
    }

    // Enter on the current cell: the editor it opened, or null.
    HWND OpenEditor()
    {
        PressKey(Dialog(), VK_RETURN);
        return FindEditor(m_grid);
    }
    void Select(int row)
    {
        m_grid.SetFocus();
        m_grid.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        m_grid.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        PumpMessages(Dialog());
    }

    Node *n0 = nullptr, *bare = nullptr, *g1 = nullptr;
};

TEST_F(GridEditTest, EnterOpensTheFirstColumnEditorOverTheLabel)
{
    CCreationRecorder created;
    HWND editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ(static_cast<int>(CListEditCtrl::FIRST_COLUMN_ID), ::GetDlgCtrlID(editor));
    const CCreationRecorder::Creation* creation = created.Last(L"Edit");
    ASSERT_NE(nullptr, creation);
    EXPECT_EQ(0x50800080u, creation->style) << std::hex << creation->style;
    EXPECT_EQ(4659, creation->id);
    CRect label;
    m_grid.GetItemRect(0, &label, LVIR_LABEL);
    const CRect rect = RectIn(editor, m_grid.m_hWnd);
    EXPECT_EQ(label.left, rect.left);
    EXPECT_EQ(label.top, rect.top);
    EXPECT_EQ(label.right, rect.right) << "the label, not the whole row";
    EXPECT_EQ(label.bottom, rect.bottom);
    EXPECT_EQ(editor, ::GetFocus());
    wchar_t text[64] = {};
    ::GetWindowTextW(editor, text, 64);
    EXPECT_STREQ(L"first note", text);
    DWORD start = 1, end = 1;
    ::SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start) << "caret at the start, nothing selected";
    EXPECT_EQ(0u, end);
    EXPECT_EQ(m_grid.SendMessage(WM_GETFONT), ::SendMessageW(editor, WM_GETFONT, 0, 0));
}

TEST_F(GridEditTest, TypingWidensTheEditorUpToTheGridsEdge)
{
    HWND editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    const CRect before = RectIn(editor, m_grid.m_hWnd);
    TypeText(Dialog(), L"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");
    const CRect wider = RectIn(editor, m_grid.m_hWnd);
    EXPECT_GT(wider.Width(), before.Width());
    EXPECT_EQ(before.left, wider.left);
    EXPECT_EQ(before.top, wider.top);
    EXPECT_EQ(before.Height(), wider.Height());
    wchar_t text[512] = {};
    ::GetWindowTextW(editor, text, 512);
    SIZE extent = {};
    {
        HDC dc = ::GetDC(editor);
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(m_grid.SendMessage(WM_GETFONT)));
        ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
        ::SelectObject(dc, old);
        ::ReleaseDC(editor, dc);
    }
    EXPECT_EQ(before.left + extent.cx + 5, wider.right) << "text extent plus 5";

    for (int i = 0; i < 8; ++i) TypeText(Dialog(), L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    CRect client;
    m_grid.GetClientRect(&client);
    EXPECT_EQ(client.right, RectIn(editor, m_grid.m_hWnd).right) << "never beyond the grid's client area";
}

TEST_F(GridEditTest, EnterCommitsToTheRowAndTheRecord)
{
    HWND editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    TypeText(Dialog(), L"new ");
    PressKey(Dialog(), VK_RETURN);
    EXPECT_FALSE(::IsWindow(editor)) << "the editor is gone";
    EXPECT_EQ(CString(L"new first note"), m_grid.GetItemText(0, 0));
    EXPECT_EQ(CString(L"new first note"), m_grid.GetData(n0)->m_text);
    EXPECT_EQ(CString(L"its comment"), m_grid.GetData(n0)->m_subTexts[0]);
    EXPECT_EQ(m_grid.m_hWnd, ::GetFocus());
    EXPECT_EQ("new first note,no comment,G1", RowTexts(m_grid));
}

TEST_F(GridEditTest, EscapeLeavesTheRowAndTheRecordUnchanged)
{
    HWND editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    TypeText(Dialog(), L"changed");
    PressKey(Dialog(), VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(CString(L"first note"), m_grid.GetItemText(0, 0));
    EXPECT_EQ(CString(L"first note"), m_grid.GetData(n0)->m_text);
    EXPECT_TRUE(::IsWindow(Dialog())) << "Escape did not reach the dialog";
    EXPECT_EQ(m_grid.m_hWnd, ::GetFocus());
}

TEST_F(GridEditTest, FocusMovingElsewhereCommits)
{
    HWND editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    TypeText(Dialog(), L"> ");
    ::SetFocus(m_dialog->GetDlgItem(IDC_GRID_TEST_EDIT)->m_hWnd);
    PumpMessages(Dialog());
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(CString(L"> first note"), m_grid.GetData(n0)->m_text);
}

TEST_F(GridEditTest, ScrollingTheGridEndsTheEdit)
{
    HWND editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    TypeText(Dialog(), L"1");
    ::SendMessageW(m_grid.m_hWnd, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    PumpMessages(Dialog());
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(CString(L"1first note"), m_grid.GetData(n0)->m_text);
}

TEST_F(GridEditTest, SecondColumnEditorCoversTheCellAndCreatesTheSubText)
{
    Select(1);
    PressKey(Dialog(), VK_RIGHT);
    ASSERT_EQ(1, m_grid.m_curColumn);
    HWND editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ(static_cast<int>(CListEditCtrl::LATER_COLUMN_ID), ::GetDlgCtrlID(editor));
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(editor, GWL_STYLE));
    EXPECT_EQ(0u, style & (ES_RIGHT | ES_CENTER)) << "left-aligned column";
    CRect cell;
    m_grid.GetSubItemRect(1, 1, LVIR_BOUNDS, cell);
    CRect client;
    m_grid.GetClientRect(&client);
    const CRect rect = RectIn(editor, m_grid.m_hWnd);
    EXPECT_EQ(cell.left, rect.left);
    EXPECT_EQ(cell.top, rect.top);
    EXPECT_EQ(std::min(cell.left + 200, client.right), rect.right);
    ASSERT_EQ(0, m_grid.GetData(bare)->m_subTexts.GetSize());
    TypeText(Dialog(), L"added");
    PressKey(Dialog(), VK_RETURN);
    ASSERT_EQ(1, m_grid.GetData(bare)->m_subTexts.GetSize());
    EXPECT_EQ(CString(L"added"), m_grid.GetData(bare)->m_subTexts[0]);
    EXPECT_EQ(CString(L"added"), m_grid.GetItemText(1, 1));
    EXPECT_EQ(CString(L"no comment"), m_grid.GetItemText(1, 0));
}

TEST_F(GridEditTest, AlignedColumnsGetAlignedEditors)
{
    LVCOLUMNW format = {};
    format.mask = LVCF_FMT;
    format.fmt = LVCFMT_RIGHT;
    m_grid.SetColumn(1, &format);
    PressKey(Dialog(), VK_RIGHT);
    CCreationRecorder created;
    HWND editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ(static_cast<DWORD>(ES_RIGHT), ::GetWindowLongW(editor, GWL_STYLE) & (ES_RIGHT | ES_CENTER));
    ASSERT_NE(nullptr, created.Last(L"Edit"));
    EXPECT_EQ(0x50800080u | ES_RIGHT, created.Last(L"Edit")->style);
    EXPECT_EQ(4660, created.Last(L"Edit")->id);
    PressKey(Dialog(), VK_ESCAPE);

    format.fmt = LVCFMT_CENTER;
    m_grid.SetColumn(1, &format);
    editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ(static_cast<DWORD>(ES_CENTER), ::GetWindowLongW(editor, GWL_STYLE) & (ES_RIGHT | ES_CENTER));
    PressKey(Dialog(), VK_ESCAPE);
    EXPECT_EQ(CString(L"its comment"), m_grid.GetItemText(0, 1));
}

TEST_F(GridEditTest, EnterWithoutASelectedRowOpensNothing)
{
    m_grid.SetItemState(0, 0, LVIS_SELECTED | LVIS_FOCUSED);
    PressKey(Dialog(), VK_RETURN);
    EXPECT_EQ(nullptr, FindEditor(m_grid));
}

TEST_F(GridEditTest, ClicksOpenAnEditorOnlyWhenEditingIsEnabled)
{
    CRect cell;
    m_grid.GetSubItemRect(0, 1, LVIR_BOUNDS, cell);
    Click(m_grid.m_hWnd, cell.left + 5, cell.top + 3);
    PumpMessages(Dialog());
    EXPECT_EQ(nullptr, FindEditor(m_grid));

    m_grid.m_editEnabled = TRUE;
    Click(m_grid.m_hWnd, cell.left + 5, cell.top + 3);
    PumpMessages(Dialog());
    HWND editor = FindEditor(m_grid);
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ(static_cast<int>(CListEditCtrl::LATER_COLUMN_ID), ::GetDlgCtrlID(editor));
    PressKey(Dialog(), VK_ESCAPE);

    CRect label;
    m_grid.GetItemRect(1, &label, LVIR_LABEL);
    Click(m_grid.m_hWnd, label.left + 5, label.top + 3);
    PumpMessages(Dialog());
    editor = FindEditor(m_grid);
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ(static_cast<int>(CListEditCtrl::FIRST_COLUMN_ID), ::GetDlgCtrlID(editor));
    EXPECT_EQ(label.left, RectIn(editor, m_grid.m_hWnd).left);
    PressKey(Dialog(), VK_ESCAPE);
}

TEST_F(GridEditTest, ClosingTheDialogDuringAnEditCommitsAndCleansUp)
{
    HWND editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    TypeText(Dialog(), L"closing ");
    m_dialog->DestroyWindow();
    PumpMessages(nullptr);
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(CString(L"closing first note"), m_grid.GetData(n0)->m_text);
}

TEST_F(GridEditTest, DestroyingTheGridDuringAnEditLeavesNoEditorBehind)
{
    HWND editor = OpenEditor();
    ASSERT_NE(nullptr, editor);
    m_grid.DestroyWindow();
    PumpMessages(Dialog());
    EXPECT_FALSE(::IsWindow(editor));
    EXPECT_EQ(nullptr, m_grid.m_hWnd);
}

// An owner that handles Enter itself.
class COwnEnterGrid : public CSuperGridCtrl {
public:
    BOOL HandleReturnKey() override
    {
        ++m_returns;
        return TRUE;
    }
    int m_returns = 0;
};

TEST(GridEditHookTest, AnOwnerThatHandlesEnterGetsNoEditor)
{
    COwnEnterGrid grid;
    CGridTestDialog dialog(grid, true);
    ASSERT_TRUE(dialog.Open());
    AddTestColumns(grid);
    grid.AddRootNode(MakeRecord(L"row"));
    grid.SetFocus();
    grid.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    PressKey(dialog.m_hWnd, VK_RETURN);
    EXPECT_EQ(1, grid.m_returns);
    EXPECT_EQ(nullptr, FindEditor(grid));
}

}  // namespace
