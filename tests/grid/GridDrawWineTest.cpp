// The owner-drawn grid (its own window) rendered into a bitmap: row height,
// icon, tree lines, expand buttons with plus and minus, a shortened text
// ending in "...", the selected row's colours, the current cell, cell colours
// and the drop-down arrow.
#include "controls/GridGeometry.h"
#include "tests/grid/GridTestDialog.h"
#include "tests/support/DibCanvas.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Node = CSuperGridCtrl::CTreeItem;

constexpr COLORREF kLine = RGB(192, 192, 192);
constexpr COLORREF kButtonFrame = RGB(198, 198, 198);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kFocusCell = RGB(192, 0, 0);
constexpr COLORREF kCellColour = RGB(0, 200, 200);
const wchar_t kLongText[] = L"A long note title that cannot fit into two hundred pixels of the first column";

// A canvas that remembers the pen and brush its DC starts with, and counts
// pixels of one colour.
class CCanvas : public DibCanvas {
public:
    CCanvas(int width, int height)
        : DibCanvas(width, height),
          m_defaultPen(::GetCurrentObject(Dc(), OBJ_PEN)),
          m_defaultBrush(::GetCurrentObject(Dc(), OBJ_BRUSH))
    {
    }

    int Count(const CRect& area, COLORREF colour) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) count += At(x, y) == colour;
        return count;
    }

    const HGDIOBJ m_defaultPen;
    const HGDIOBJ m_defaultBrush;
};

class GridDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dialog = std::make_unique<CGridTestDialog>(m_grid, false);
        ASSERT_TRUE(m_dialog->Open());
        ASSERT_TRUE(m_grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 560, 330), m_dialog.get(), 1030));
        MakeTestImages(m_images);
        m_grid.SetImageList(&m_images, LVSIL_SMALL);
        // A font taller than the icons, so rows are taller than an image cell.
        LOGFONTW logFont = {};
        logFont.lfHeight = -18;
        lstrcpyW(logFont.lfFaceName, L"Tahoma");
        m_font.CreateFontIndirect(&logFont);
        m_grid.SetFont(m_font);
        m_grid.InsertColumn(0, L"Name", LVCFMT_LEFT, 200, 0);
        m_grid.InsertColumn(1, L"Description", LVCFMT_LEFT, 150, 1);
        m_grid.InsertColumn(2, L"Kind", LVCFMT_LEFT, 100, 2);

        g1 = m_grid.AddRootNode(MakeRecord(L"G1", nullptr, 1, 1));
        m_grid.AddChildNode(g1, MakeRecord(L"a", L"note a"), FALSE);
        m_grid.AddChildNode(g1, MakeRecord(L"b", L"note b"), FALSE);
        g2 = m_grid.AddRootNode(MakeRecord(L"G2", nullptr, 2, 1));
        m_grid.AddChildNode(g2, MakeRecord(L"c"), FALSE);
        CItemInfo* longRecord = MakeRecord(kLongText, L"coloured");
        longRecord->SetCellColour(0, kCellColour);
        longRecord->SetControlType(1, CItemInfo::combobox);
        longRecord->SetSubItemText(1, L"list");
        m_grid.AddRootNode(longRecord);
        CItemInfo* selected = MakeRecord(L"sel", L"cell");
        selected->SetControlType(1, CItemInfo::combobox);
        selected->SetSubItemText(1, L"list");
        m_grid.AddRootNode(selected);
        m_grid.ExpandNode(g1, 0);  // rows: G1 a b G2 long sel
        m_grid.SetItemState(5, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        PumpMessages(m_dialog->m_hWnd);
    }
    void TearDown() override { m_dialog.reset(); }

    std::unique_ptr<CCanvas> Render()
    {
        CRect client;
        m_grid.GetClientRect(&client);
        auto canvas = std::make_unique<CCanvas>(client.Width(), client.Height());
        ::SendMessageW(m_grid.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT | PRF_ERASEBKGND);
        return canvas;
    }
    CRect Bounds(int row)
    {
        CRect rect;
        m_grid.GetItemRect(row, &rect, LVIR_BOUNDS);
        return rect;
    }
    ExpandButton Button(int row)
    {
        const CRect b = Bounds(row);
        return ExpandButtonAt(b.left, b.top, b.bottom, 16, 16, m_grid.NodeAtRow(row)->m_indent);
    }

    CSuperGridCtrl m_grid;
    CImageList m_images;  // the grid shares it (LVS_SHAREIMAGELISTS)
    CFont m_font;
    std::unique_ptr<CGridTestDialog> m_dialog;
    Node* g1 = nullptr;
    Node* g2 = nullptr;
};

TEST_F(GridDrawTest, OwnWindowIsAnOwnerDrawnReportListWithTheFontsRowHeight)
{
    EXPECT_EQ(0x44Du, m_grid.GetStyle() & 0x44Du);
    EXPECT_EQ(16, m_grid.m_imageWidth);
    TEXTMETRICW metrics = {};
    HDC dc = ::GetDC(m_grid.m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(m_grid.SendMessage(WM_GETFONT)));
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_grid.m_hWnd, dc);
    EXPECT_EQ(metrics.tmHeight + metrics.tmExternalLeading + 4, Bounds(0).Height());
    EXPECT_GT(Bounds(0).Height(), 20) << "measured with the font set on the grid";
}

TEST_F(GridDrawTest, ExpandButtonsShowPlusWhenCollapsedAndMinusWhenExpanded)
{
    const auto canvas = Render();
    const ExpandButton collapsed = Button(3);  // G2
    EXPECT_EQ(kButtonFrame, canvas->At(collapsed.box.left, collapsed.centreY)) << "frame";
    EXPECT_EQ(kButtonFrame, canvas->At(collapsed.box.right - 1, collapsed.centreY));
    EXPECT_EQ(kWhite, canvas->At(collapsed.box.left + 1, collapsed.box.top + 1)) << "inside";
    for (int dx = -2; dx <= 2; ++dx) EXPECT_EQ(kBlack, canvas->At(collapsed.centreX + dx, collapsed.centreY)) << dx;
    for (int dy = -2; dy <= 2; ++dy) EXPECT_EQ(kBlack, canvas->At(collapsed.centreX, collapsed.centreY + dy)) << dy;
    EXPECT_EQ(kWhite, canvas->At(collapsed.centreX + 3, collapsed.centreY)) << "the minus is 5 pixels long";

    const ExpandButton expanded = Button(0);  // G1
    EXPECT_EQ(kBlack, canvas->At(expanded.centreX - 2, expanded.centreY));
    EXPECT_EQ(kWhite, canvas->At(expanded.centreX, expanded.centreY - 2)) << "no bar: a minus";
    const CRect top = Bounds(0);
    const int iconBottom = top.top + (top.Height() - 16) / 2 + 16;
    ASSERT_LT(iconBottom, top.bottom);
    EXPECT_EQ(kLine, canvas->At(expanded.centreX + 16, iconBottom)) << "line from the icon down to the first child";
    EXPECT_EQ(kLine, canvas->At(expanded.centreX + 16, top.bottom - 1));
    EXPECT_NE(kLine, canvas->At(Button(3).centreX + 16, Bounds(3).bottom - 1)) << "none under a collapsed group";

    const CRect leaf = Bounds(5);
    EXPECT_EQ(0, canvas->Count(CRect(leaf.left, leaf.top, leaf.left + 16, leaf.bottom), kButtonFrame))
        << "a row without children has no button";
}

TEST_F(GridDrawTest, TreeLinesJoinChildrenToTheirParent)
{
    const auto canvas = Render();
    const int x = 2 * 16 - 8;  // level 2
    const CRect middle = Bounds(1);
    const CRect last = Bounds(2);
    const int midY = middle.top + ((middle.Height() - 16) >> 1) + 8;
    EXPECT_EQ(kLine, canvas->At(x, middle.top));
    EXPECT_EQ(kLine, canvas->At(x, middle.bottom - 1)) << "a middle child's line runs on";
    EXPECT_EQ(kLine, canvas->At(x + 4, midY)) << "stub";
    EXPECT_EQ(kLine, canvas->At(x, last.top));
    EXPECT_NE(kLine, canvas->At(x, last.bottom - 1)) << "the last child gets an L";
    EXPECT_NE(kLine, canvas->At(x, Bounds(3).top)) << "no line joins one root to the next";
}

TEST_F(GridDrawTest, RowsShowTheIconOfGetRowIcon)
{
    const auto canvas = Render();
    const CRect root = Bounds(3);
    const int iconY = root.bottom - (root.bottom - 16 - root.top) / 2 - 16;
    EXPECT_EQ(RGB(255, 0, 0), canvas->At(root.left + 16 + 8, iconY + 8)) << "the base hook gives image 0";
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 3;
    m_grid.GetItem(&item);
    EXPECT_EQ(0, item.iImage) << "the row takes the drawn image";
    const CRect child = Bounds(1);
    EXPECT_EQ(RGB(255, 0, 0), canvas->At(child.left + 32 + 8, iconY - root.top + child.top + 8));
}

TEST_F(GridDrawTest, LongTextIsShortenedWithDots)
{
    const auto canvas = Render();
    CRect label;
    m_grid.GetItemRect(4, &label, LVIR_LABEL);
    CRect textRect = label;
    textRect.left += 2;
    textRect.right -= 2;

    // The longest prefix that fits with "...", found the slow way.
    HFONT font = reinterpret_cast<HFONT>(m_grid.SendMessage(WM_GETFONT));
    CCanvas reference(canvas->Width(), canvas->Height());
    HGDIOBJ oldFont = ::SelectObject(reference.Dc(), font);
    auto width = [&](const CString& s) {
        SIZE size = {};
        ::GetTextExtentPoint32W(reference.Dc(), s.GetString(), s.GetLength(), &size);
        return static_cast<int>(size.cx);
    };
    const CString full(kLongText);
    ASSERT_GE(width(full) + 4, label.Width()) << "the text must not fit";
    int keep = full.GetLength() - 1;
    while (keep > 1 && width(full.Left(keep)) + 4 + width(L"...") >= label.Width()) --keep;
    const CString expected = full.Left(keep) + L"...";
    const int prefixWidth = width(full.Left(keep));

    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    HBRUSH brush = ::CreateSolidBrush(window);
    const CRect all(0, 0, canvas->Width(), canvas->Height());
    ::FillRect(reference.Dc(), &all, brush);
    ::DeleteObject(brush);
    ::SetBkColor(reference.Dc(), window);
    ::SetTextColor(reference.Dc(), ::GetSysColor(COLOR_WINDOWTEXT));
    CRect drawRect = textRect;
    ::DrawTextW(reference.Dc(), expected.GetString(), -1, &drawRect, DT_VCENTER | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX);
    ::SelectObject(reference.Dc(), oldFont);

    int differing = 0;
    int ink = 0;
    for (int y = textRect.top; y < textRect.bottom; ++y) {
        for (int x = textRect.left; x < textRect.right; ++x) {
            differing += canvas->At(x, y) != reference.At(x, y);
            ink += reference.At(x, y) != window;
        }
    }
    EXPECT_GT(ink, 0);
    EXPECT_EQ(0, differing) << "the cell shows \"" << Narrow(expected) << "\"";
    // The dots are the last ink of the text.
    int lastInk = -1;
    for (int x = textRect.left; x < textRect.right; ++x)
        for (int y = textRect.top; y < textRect.bottom; ++y)
            if (canvas->At(x, y) != window) lastInk = x;
    EXPECT_GE(lastInk, textRect.left + prefixWidth);
}

TEST_F(GridDrawTest, SelectedRowUsesHighlightColoursAndTheFocusCell)
{
    const auto canvas = Render();
    CRect label;
    m_grid.GetItemRect(5, &label, LVIR_LABEL);
    const int midY = (label.top + label.bottom) / 2;
    EXPECT_EQ(kFocusCell, canvas->At(label.right - 4, midY)) << "current cell: column 0";
    CRect cell;
    m_grid.GetSubItemRect(5, 1, LVIR_BOUNDS, cell);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), canvas->At(cell.right - 4, midY));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), canvas->At(cell.left + 2, cell.top + 1));
    const COLORREF highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    EXPECT_GT(canvas->Count(cell, highlightText), 0) << "the cell text in highlight text colour";
    CRect focusCell = label;
    focusCell.left = Bounds(5).left + 2 * 16 + 2;
    EXPECT_EQ(0, canvas->Count(focusCell, ::GetSysColor(COLOR_HIGHLIGHT))) << "the text sits on the focus colour";

    CRect other;
    m_grid.GetSubItemRect(3, 1, LVIR_BOUNDS, other);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), canvas->At(other.right - 4, (other.top + other.bottom) / 2));

    // Moving the current column moves the focus cell.
    m_grid.m_curColumn = 1;
    const auto moved = Render();
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), moved->At(label.right - 4, midY));
    EXPECT_EQ(kFocusCell, moved->At(cell.right - 4, cell.top + 2));
}

TEST_F(GridDrawTest, CellColoursAndDropDownArrows)
{
    const auto canvas = Render();
    CRect coloured;
    m_grid.GetSubItemRect(4, 1, LVIR_BOUNDS, coloured);
    EXPECT_EQ(kCellColour, canvas->At(coloured.left + 2, coloured.top + 2));
    CRect next;
    m_grid.GetSubItemRect(4, 2, LVIR_BOUNDS, next);
    EXPECT_EQ(0, canvas->Count(next, kCellColour)) << "the next cell's text keeps the row's background";

    CRect arrow;
    m_grid.GetSubItemRect(5, 2, LVIR_BOUNDS, arrow);
    arrow.left = arrow.right - ::GetSystemMetrics(SM_CYVSCROLL);
    EXPECT_GT(canvas->Count(arrow, ::GetSysColor(COLOR_BTNFACE)), 0) << "the arrow button";
    EXPECT_GT(canvas->Count(arrow, ::GetSysColor(COLOR_BTNTEXT)), 0) << "the arrow";
    CRect unselected;
    m_grid.GetSubItemRect(4, 2, LVIR_BOUNDS, unselected);
    unselected.left = unselected.right - ::GetSystemMetrics(SM_CYVSCROLL);
    EXPECT_EQ(0, canvas->Count(unselected, ::GetSysColor(COLOR_BTNFACE))) << "only the selected row has arrows";
}

TEST_F(GridDrawTest, DrawingPutsBackThePenAndBrushItUsed)
{
    const auto canvas = Render();
    EXPECT_EQ(canvas->m_defaultPen, ::GetCurrentObject(canvas->Dc(), OBJ_PEN));
    EXPECT_EQ(canvas->m_defaultBrush, ::GetCurrentObject(canvas->Dc(), OBJ_BRUSH));
}

TEST_F(GridDrawTest, DragImageShowsTheFirstColumn)
{
    std::unique_ptr<CImageList> image(m_grid.MakeRowDragImage(5));
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(1, image->GetImageCount());
    int cx = 0, cy = 0;
    ImageList_GetIconSize(image->m_hImageList, &cx, &cy);
    EXPECT_EQ(200, cx);
    EXPECT_EQ(Bounds(5).Height(), cy);
}

}  // namespace
