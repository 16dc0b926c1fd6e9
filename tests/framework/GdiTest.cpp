// GDI wrappers: every owning wrapper frees its handle once and only its
// owner frees it; DC views free nothing; the selection restorer puts the
// previous object back into the DC it selected into; drawing helpers paint
// the pixels they promise.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "framework/Gdi.h"
#include "tests/framework/TestParent.h"

namespace {

bool IsLive(HGDIOBJ object) { return ::GetObjectType(object) != 0; }

// "x,y", so that a failed comparison of points prints both.
std::string Text(POINT point) { return std::to_string(point.x) + "," + std::to_string(point.y); }

TEST(GdiObjectTest, EachOwnerDeletesItsHandleWhenItGoes)
{
    HGDIOBJ pen = nullptr, brush = nullptr, font = nullptr, bitmap = nullptr, region = nullptr;
    {
        CPen p(PS_SOLID, 1, RGB(1, 2, 3));
        CBrush b(RGB(4, 5, 6));
        CFont f;
        ASSERT_TRUE(f.CreatePointFont(90, L"Tahoma"));
        CBitmap bm;
        ASSERT_TRUE(bm.CreateBitmap(4, 4, 1, 1, nullptr));
        CRgn r;
        ASSERT_TRUE(r.CreateRectRgn(0, 0, 10, 10));
        pen = p.m_hObject;
        brush = b.m_hObject;
        font = f.m_hObject;
        bitmap = bm.m_hObject;
        region = r.m_hObject;
        EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), ::GetObjectType(pen));
        EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(brush));
        EXPECT_EQ(static_cast<DWORD>(OBJ_FONT), ::GetObjectType(font));
        EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), ::GetObjectType(bitmap));
        EXPECT_EQ(static_cast<DWORD>(OBJ_REGION), ::GetObjectType(region));
    }
    EXPECT_FALSE(IsLive(pen));
    EXPECT_FALSE(IsLive(brush));
    EXPECT_FALSE(IsLive(font));
    EXPECT_FALSE(IsLive(bitmap));
    EXPECT_FALSE(IsLive(region));
}

TEST(GdiObjectTest, MovingHandsTheHandleToTheNewOwnerOnly)
{
    CPen target;
    HGDIOBJ handle = nullptr;
    {
        CPen source(PS_DASH, 1, RGB(0, 0, 0));
        handle = source.m_hObject;
        target = std::move(source);
        EXPECT_EQ(nullptr, source.m_hObject);
    }
    EXPECT_TRUE(IsLive(handle)) << "the moved-from pen deleted the handle it gave away";
    EXPECT_EQ(handle, target.m_hObject);
    CPen third(std::move(target));
    EXPECT_EQ(handle, third.m_hObject);
    EXPECT_EQ(nullptr, target.m_hObject);
    third.DeleteObject();
    EXPECT_FALSE(IsLive(handle));
    EXPECT_EQ(nullptr, third.m_hObject);
}

TEST(GdiObjectTest, MoveAssignmentFreesWhatTheTargetHeld)
{
    CBrush target(RGB(1, 1, 1));
    HGDIOBJ old = target.m_hObject;
    CBrush source(RGB(2, 2, 2));
    HGDIOBJ moved = source.m_hObject;
    target = std::move(source);
    EXPECT_FALSE(IsLive(old));
    EXPECT_TRUE(IsLive(moved));
}

TEST(GdiObjectTest, DetachedHandleOutlivesTheWrapper)
{
    HGDIOBJ handle = nullptr;
    {
        CRgn region;
        region.CreateRectRgn(0, 0, 5, 5);
        handle = region.Detach();
        EXPECT_EQ(nullptr, region.m_hObject);
    }
    EXPECT_TRUE(IsLive(handle));
    EXPECT_TRUE(::DeleteObject(handle));
}

TEST(GdiObjectTest, AttachingReplacesAndFreesThePreviousHandle)
{
    CPen pen(PS_SOLID, 1, RGB(9, 9, 9));
    HGDIOBJ first = pen.m_hObject;
    ASSERT_TRUE(pen.CreatePen(PS_SOLID, 2, RGB(8, 8, 8)));
    EXPECT_FALSE(IsLive(first));
    EXPECT_TRUE(IsLive(pen.m_hObject));
}

// Views of handles that are gone are dropped as the table grows; views of
// live handles stay where they are and never delete their handle.
TEST(GdiObjectTest, ViewsOfLiveHandlesSurviveThePruningOfDeadOnes)
{
    HPEN kept = ::CreatePen(PS_SOLID, 1, RGB(3, 3, 3));
    CPen* view = CPen::FromHandle(kept);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(kept, static_cast<HPEN>(*view));
    EXPECT_EQ(view, CPen::FromHandle(kept)) << "one view per handle";
    for (int i = 0; i < 1200; ++i) {
        CPen passing(PS_SOLID, 1, RGB(i % 256, 0, 0));
        ASSERT_NE(nullptr, CPen::FromHandle(passing));
    }
    EXPECT_EQ(view, CPen::FromHandle(kept)) << "the view of a live pen was dropped";
    EXPECT_EQ(kept, static_cast<HPEN>(*view));
    EXPECT_TRUE(IsLive(kept));
    EXPECT_TRUE(::DeleteObject(kept));
}

TEST(GdiObjectTest, PointFontHasTheRequestedSize)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"Tahoma"));
    LOGFONTW info = {};
    ASSERT_GT(font.GetLogFont(&info), 0);
    HDC screen = ::GetDC(nullptr);
    const int expected = -::MulDiv(12, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(expected, info.lfHeight);
    EXPECT_STREQ(L"Tahoma", info.lfFaceName);
}

TEST(DeviceContextTest, MemoryDcIsDeletedByItsOwnerOnly)
{
    HDC memory = nullptr;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        memory = dc.m_hDC;
        EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(memory));
    }
    EXPECT_FALSE(IsLive(memory));
}

TEST(DeviceContextTest, AttachedDcIsAViewThatFreesNothing)
{
    HDC memory = ::CreateCompatibleDC(nullptr);
    {
        CDC view;
        ASSERT_TRUE(view.Attach(memory));
    }
    EXPECT_TRUE(IsLive(memory));
    {
        CDC* temporary = CDC::FromHandle(memory);
        ASSERT_NE(nullptr, temporary);
        EXPECT_EQ(memory, temporary->m_hDC);
    }
    EXPECT_TRUE(IsLive(memory));
    EXPECT_TRUE(::DeleteDC(memory));
}

// A window DC that was not given back stays taken: the next GetDC of the
// window hands out another one. Given back, the same DC comes back every time.
TEST(DeviceContextTest, ClientAndWindowDcsAreReleasedToTheirWindow)
{
    CTestParent first;
    CTestParent second;
    HDC seen = nullptr;
    for (int round = 0; round < 20; ++round) {
        CClientDC dc(&first);
        if (!seen) seen = dc.m_hDC;
        ASSERT_EQ(seen, dc.m_hDC) << "round " << round << ": the previous client DC was not released";
    }
    HDC direct = ::GetDC(first.m_hWnd);
    EXPECT_EQ(seen, direct);
    ::ReleaseDC(first.m_hWnd, direct);

    HDC windowSeen = nullptr;
    for (int round = 0; round < 20; ++round) {
        CWindowDC dc(&second);
        if (!windowSeen) windowSeen = dc.m_hDC;
        ASSERT_EQ(windowSeen, dc.m_hDC) << "round " << round << ": the previous window DC was not released";
    }
}

TEST(DeviceContextTest, ScreenClientDcWorksForNoWindow)
{
    CClientDC dc(nullptr);
    EXPECT_NE(nullptr, dc.m_hDC);
    EXPECT_GT(dc.GetDeviceCaps(LOGPIXELSY), 0);
}

// A paint DC in a handler: BeginPaint and EndPaint on the window painted.
class CPaintCounter : public CTestParent {
public:
    int m_painted = 0;
    HWND m_paintedWindow = nullptr;

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        ++m_painted;
        m_paintedWindow = ::WindowFromDC(dc.m_hDC);
        dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(0, 128, 0));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintCounter, CTestParent)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(DeviceContextTest, PaintDcValidatesTheWindowItPainted)
{
    CPaintCounter window;
    ::InvalidateRect(window.m_hWnd, nullptr, TRUE);
    ::UpdateWindow(window.m_hWnd);
    EXPECT_GE(window.m_painted, 1);
    EXPECT_EQ(window.m_hWnd, window.m_paintedWindow);
    RECT update = {};
    EXPECT_FALSE(::GetUpdateRect(window.m_hWnd, &update, FALSE)) << "the window still needs painting after EndPaint";
}

TEST(SelectObjectTest, RestorerPutsThePreviousObjectBackIntoTheSameDc)
{
    CDC first;
    CDC second;
    ASSERT_TRUE(first.CreateCompatibleDC(nullptr));
    ASSERT_TRUE(second.CreateCompatibleDC(nullptr));
    HGDIOBJ firstDefault = ::GetCurrentObject(first, OBJ_BITMAP);
    HGDIOBJ secondDefault = ::GetCurrentObject(second, OBJ_BITMAP);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&first, 8, 8));
    {
        CSelectObject selected(first, bitmap);
        EXPECT_EQ(bitmap.m_hObject, ::GetCurrentObject(first, OBJ_BITMAP));
        EXPECT_EQ(firstDefault, selected.GetPrevious());
        EXPECT_EQ(secondDefault, ::GetCurrentObject(second, OBJ_BITMAP));
    }
    EXPECT_EQ(firstDefault, ::GetCurrentObject(first, OBJ_BITMAP));
    EXPECT_EQ(secondDefault, ::GetCurrentObject(second, OBJ_BITMAP));
    // A bitmap can be in one DC only: it is free again once restored.
    CSelectObject again(second.m_hDC, bitmap.m_hObject);
    EXPECT_EQ(bitmap.m_hObject, ::GetCurrentObject(second, OBJ_BITMAP));
}

TEST(SelectObjectTest, RestorersNestAndUnwindInOrder)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ original = ::GetCurrentObject(dc, OBJ_PEN);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    {
        CSelectObject outer(dc, red);
        {
            CSelectObject inner(dc, blue);
            EXPECT_EQ(blue.m_hObject, ::GetCurrentObject(dc, OBJ_PEN));
        }
        EXPECT_EQ(red.m_hObject, ::GetCurrentObject(dc, OBJ_PEN));
    }
    EXPECT_EQ(original, ::GetCurrentObject(dc, OBJ_PEN));
}

TEST(SelectObjectTest, TypedSelectReturnsAViewThatSelectsBack)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HGDIOBJ originalFont = ::GetCurrentObject(dc, OBJ_FONT);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
    CFont* previous = dc.SelectObject(&font);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(originalFont, previous->m_hObject);
    EXPECT_EQ(font.m_hObject, ::GetCurrentObject(dc, OBJ_FONT));
    dc.SelectObject(previous);
    EXPECT_EQ(originalFont, ::GetCurrentObject(dc, OBJ_FONT));
    EXPECT_TRUE(IsLive(originalFont)) << "the view of the DC's own font deleted it";
}

// Drawing into a memory bitmap and reading the pixels back.
class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dc.CreateCompatibleDC(nullptr));
        HDC screen = ::GetDC(nullptr);
        m_bitmap.Attach(::CreateCompatibleBitmap(screen, 20, 20));
        ::ReleaseDC(nullptr, screen);
        m_previous = ::SelectObject(m_dc, m_bitmap.m_hObject);
        m_dc.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
    }
    void TearDown() override { ::SelectObject(m_dc, m_previous); }

    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_previous = nullptr;
};

TEST_F(DrawingTest, FillSolidRectPaintsExactlyTheRectangle)
{
    const CRect rect(2, 3, 6, 8);
    m_dc.FillSolidRect(&rect, RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), m_dc.GetPixel(2, 3));
    EXPECT_EQ(RGB(10, 20, 30), m_dc.GetPixel(5, 7));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(6, 7));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(5, 8));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(1, 3));
}

TEST_F(DrawingTest, Draw3dRectPaintsTopLeftAndBottomRightEdges)
{
    const COLORREF light = RGB(200, 0, 0);
    const COLORREF dark = RGB(0, 0, 200);
    m_dc.Draw3dRect(CRect(2, 2, 12, 10), light, dark);
    EXPECT_EQ(light, m_dc.GetPixel(2, 2));
    EXPECT_EQ(light, m_dc.GetPixel(10, 2)) << "top edge";
    EXPECT_EQ(light, m_dc.GetPixel(2, 8)) << "left edge";
    EXPECT_EQ(dark, m_dc.GetPixel(11, 2)) << "right edge starts at the top";
    EXPECT_EQ(dark, m_dc.GetPixel(11, 9));
    EXPECT_EQ(dark, m_dc.GetPixel(2, 9)) << "bottom edge starts at the left";
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(6, 6)) << "inside untouched";
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(12, 6)) << "nothing right of the frame";
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(6, 10)) << "nothing below the frame";
}

TEST_F(DrawingTest, LinesRectanglesAndBrushes)
{
    {
        CPen pen(PS_SOLID, 1, RGB(0, 255, 0));
        CSelectObject usePen(m_dc, pen);
        const CPoint start = m_dc.MoveTo(1, 15);
        (void)start;
        m_dc.LineTo(10, 15);
    }
    EXPECT_EQ(RGB(0, 255, 0), m_dc.GetPixel(1, 15));
    EXPECT_EQ(RGB(0, 255, 0), m_dc.GetPixel(9, 15));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(10, 15)) << "LineTo leaves out its end point";

    CBrush brush(RGB(0, 0, 0));
    m_dc.FrameRect(CRect(12, 12, 18, 18), &brush);
    EXPECT_EQ(RGB(0, 0, 0), m_dc.GetPixel(12, 12));
    EXPECT_EQ(RGB(0, 0, 0), m_dc.GetPixel(17, 17));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(14, 14));
    m_dc.FillRect(CRect(13, 13, 17, 17), &brush);
    EXPECT_EQ(RGB(0, 0, 0), m_dc.GetPixel(14, 14));
}

TEST_F(DrawingTest, OriginsAndPenPositionMoveTheDrawingAndReportWhatTheyReplaced)
{
    EXPECT_EQ("0,0", Text(m_dc.SetViewportOrg(3, 4)));
    EXPECT_EQ("3,4", Text(m_dc.GetViewportOrg()));
    m_dc.FillSolidRect(0, 0, 1, 1, RGB(0, 0, 0));
    EXPECT_EQ("3,4", Text(m_dc.SetViewportOrg(CPoint(0, 0))));
    EXPECT_EQ(RGB(0, 0, 0), m_dc.GetPixel(3, 4)) << "logical 0,0 was drawn at the viewport origin";
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(0, 0));

    EXPECT_EQ("0,0", Text(m_dc.SetWindowOrg(-2, -1)));
    EXPECT_EQ("-2,-1", Text(m_dc.GetWindowOrg()));
    m_dc.FillSolidRect(-2, -1, 1, 1, RGB(0, 0, 0));
    EXPECT_EQ("-2,-1", Text(m_dc.SetWindowOrg(0, 0)));
    EXPECT_EQ(RGB(0, 0, 0), m_dc.GetPixel(0, 0)) << "the window origin was drawn at device 0,0";

    EXPECT_EQ("0,0", Text(m_dc.SetBrushOrg(5, 6)));
    EXPECT_EQ("5,6", Text(m_dc.SetBrushOrg(CPoint(0, 0))));
    m_dc.MoveTo(8, 9);
    EXPECT_EQ("8,9", Text(m_dc.MoveTo(CPoint(1, 1))));
}

TEST_F(DrawingTest, BitBltCopiesFromAnotherDc)
{
    CDC source;
    ASSERT_TRUE(source.CreateCompatibleDC(&m_dc));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&m_dc, 4, 4));
    CSelectObject selected(source, bitmap);
    source.FillSolidRect(0, 0, 4, 4, RGB(1, 2, 3));
    ASSERT_TRUE(m_dc.BitBlt(5, 5, 4, 4, &source, 0, 0, SRCCOPY));
    EXPECT_EQ(RGB(1, 2, 3), m_dc.GetPixel(5, 5));
    EXPECT_EQ(RGB(1, 2, 3), m_dc.GetPixel(8, 8));
    EXPECT_EQ(RGB(255, 255, 255), m_dc.GetPixel(9, 9));
}

TEST_F(DrawingTest, TextExtentGrowsWithTheText)
{
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
    CSelectObject useFont(m_dc, font);
    const CSize one = m_dc.GetTextExtent(CString(L"W"));
    const CSize three = m_dc.GetTextExtent(L"WWW", 3);
    EXPECT_GT(one.cx, 0);
    EXPECT_GT(one.cy, 0);
    EXPECT_EQ(3 * one.cx, three.cx);
    EXPECT_EQ(one.cy, three.cy);
}

TEST(SaveDcTest, RestoresTheDcStateAtScopeEnd)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    dc.SetTextColor(RGB(1, 1, 1));
    dc.SetBkMode(OPAQUE);
    {
        CSaveDC saved(dc);
        dc.SetTextColor(RGB(2, 2, 2));
        dc.SetBkMode(TRANSPARENT);
    }
    EXPECT_EQ(RGB(1, 1, 1), dc.GetTextColor());
    EXPECT_EQ(OPAQUE, dc.GetBkMode());
}

} // namespace
