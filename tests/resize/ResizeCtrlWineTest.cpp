// CResizeCtrl on real windows: a parent window with child windows that
// count their moves, resized the way the system resizes it.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/CResizeCtrl.h"
#include "framework/CWnd.h"
#include "tests/support/PendingInput.h"

namespace {

const wchar_t kParentClass[] = L"QbResizeTestParent";
const wchar_t kChildClass[] = L"QbResizeTestChild";

// What the parent's own procedure saw while its window was destroyed.
struct DestroyRecord {
    bool seen = false;
    LONG_PTR procedure = 0;
    HANDLE property = nullptr;
};
DestroyRecord g_destroyRecord;
// When set, the parent's own procedure swallows WM_NCLBUTTONDOWN, so only
// the control's own border dragging reacts to it.
bool g_parentEatsNcButton = false;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) {
        g_destroyRecord.seen = true;
        g_destroyRecord.procedure = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
        g_destroyRecord.property = ::GetPropW(window, CResizeCtrl::PropertyName());
    }
    if (message == WM_NCLBUTTONDOWN && g_parentEatsNcButton) return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t kMinHeightProperty[] = L"QbResizeTestMinHeight";

// A child counts the moves and size changes it receives in its user data.
// With the property kMinHeightProperty it refuses to be lower than that, as
// a combo box keeps its height.
LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WINDOWPOSCHANGING) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        const int minHeight = static_cast<int>(reinterpret_cast<INT_PTR>(::GetPropW(window, kMinHeightProperty)));
        if (!(pos->flags & SWP_NOSIZE) && pos->cy < minHeight) pos->cy = minHeight;
    }
    if (message == WM_NCDESTROY) ::RemovePropW(window, kMinHeightProperty);
    if (message == WM_WINDOWPOSCHANGED) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
            ::SetWindowLongPtrW(window, GWLP_USERDATA, ::GetWindowLongPtrW(window, GWLP_USERDATA) + 1);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClasses()
{
    WNDCLASSW parent = {};
    parent.lpfnWndProc = &ParentProc;
    parent.hInstance = ::GetModuleHandleW(nullptr);
    parent.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    parent.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    parent.lpszClassName = kParentClass;
    ::RegisterClassW(&parent);
    WNDCLASSW child = parent;
    child.lpfnWndProc = &ChildProc;
    child.lpszClassName = kChildClass;
    ::RegisterClassW(&child);
}

RECT ChildRect(HWND child)
{
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND window)
{
    RECT r;
    ::GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

RECT WindowRect(HWND window)
{
    RECT r;
    ::GetWindowRect(window, &r);
    return r;
}

int MoveCount(HWND child) { return static_cast<int>(::GetWindowLongPtrW(child, GWLP_USERDATA)); }
void ResetMoveCount(HWND child) { ::SetWindowLongPtrW(child, GWLP_USERDATA, 0); }

void ExpectRect(const RECT& got, int x, int y, int width, int height, const char* what)
{
    EXPECT_EQ(got.left, x) << what;
    EXPECT_EQ(got.top, y) << what;
    EXPECT_EQ(got.right - got.left, width) << what;
    EXPECT_EQ(got.bottom - got.top, height) << what;
}

// Grows or shrinks the parent's outer rectangle (and so its client area) by dx, dy.
void ResizeBy(HWND window, int dx, int dy)
{
    const RECT r = WindowRect(window);
    ::SetWindowPos(window, nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

using ui::PumpMessages;

using ui::MoveCursorTo;

class ResizeCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_destroyRecord = DestroyRecord();
        g_parentEatsNcButton = false;
    }
    void TearDown() override
    {
        if (m_parent && ::IsWindow(m_parent)) ::DestroyWindow(m_parent);
        PumpMessages();
    }

    HWND MakeParent(DWORD style = WS_OVERLAPPEDWINDOW)
    {
        m_parent = ::CreateWindowExW(0, kParentClass, L"Resize test", style, 100, 100, 500, 400, nullptr, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
        ::ShowWindow(m_parent, SW_SHOWNORMAL);
        PumpMessages();
        return m_parent;
    }

    HWND MakeChild(int x, int y, int width, int height)
    {
        return ::CreateWindowExW(0, kChildClass, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, m_parent, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    }

    HWND m_parent = nullptr;
};

// The tests on an overlapping parent window of the default style, shown.
class ResizeCtrlOnAParentTest : public ResizeCtrlTest {
protected:
    void SetUp() override
    {
        ResizeCtrlTest::SetUp();
        MakeParent();
    }
};

TEST_F(ResizeCtrlOnAParentTest, ARealSizeChangeMovesEveryRegisteredChildOnceAndInProportion)
{
    HWND list = MakeChild(7, 40, 400, 150);
    HWND tabs = MakeChild(7, 195, 400, 130);
    HWND group = MakeChild(7, 2, 400, 30);
    HWND fixed = MakeChild(420, 2, 40, 30);
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    ASSERT_TRUE(resize.Add(list, 0, 0, 100, 50));
    ASSERT_TRUE(resize.Add(tabs, 0, 50, 100, 50));
    ASSERT_TRUE(resize.Add(group, 0, 0, 100, 0));
    for (HWND child : {list, tabs, group, fixed}) ResetMoveCount(child);

    const SIZE before = ClientSize(m_parent);
    ResizeBy(m_parent, 37, 7);
    const SIZE after = ClientSize(m_parent);
    ASSERT_EQ(after.cx - before.cx, 37);
    ASSERT_EQ(after.cy - before.cy, 7);

    ExpectRect(ChildRect(list), 7, 40, 437, 153, "list");
    ExpectRect(ChildRect(tabs), 7, 198, 437, 133, "tab control");
    ExpectRect(ChildRect(group), 7, 2, 437, 30, "group box");
    ExpectRect(ChildRect(fixed), 420, 2, 40, 30, "unregistered child");
    EXPECT_EQ(MoveCount(list), 1);
    EXPECT_EQ(MoveCount(tabs), 1);
    EXPECT_EQ(MoveCount(group), 1);
    EXPECT_EQ(MoveCount(fixed), 0);

    // The half pixels carried from the first change add up on the next one.
    ResizeBy(m_parent, 0, 1);
    ExpectRect(ChildRect(list), 7, 40, 437, 154, "list after one more pixel");
    ExpectRect(ChildRect(tabs), 7, 199, 437, 134, "tab control after one more pixel");
    EXPECT_EQ(MoveCount(group), 1) << "a height change does not touch the group box";

    ResizeBy(m_parent, -37, -8);
    ExpectRect(ChildRect(list), 7, 40, 400, 150, "list back");
    ExpectRect(ChildRect(tabs), 7, 195, 400, 130, "tab control back");
    ExpectRect(ChildRect(group), 7, 2, 400, 30, "group box back");
}

TEST_F(ResizeCtrlOnAParentTest, TheSameSizeAgainMovesNothing)
{
    HWND list = MakeChild(10, 10, 100, 100);
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    ASSERT_TRUE(resize.Add(list, 0, 0, 100, 100));
    ResetMoveCount(list);
    const SIZE size = ClientSize(m_parent);
    ::SendMessageW(m_parent, WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.cx, size.cy));
    EXPECT_EQ(MoveCount(list), 0);
    ExpectRect(ChildRect(list), 10, 10, 100, 100, "list");
}

TEST_F(ResizeCtrlOnAParentTest, AChildRegisteredAfterAResizeOnlyFollowsLaterChanges)
{
    HWND list = MakeChild(10, 10, 100, 100);
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    ResizeBy(m_parent, 20, 0);
    ExpectRect(ChildRect(list), 10, 10, 100, 100, "not registered yet");
    ASSERT_TRUE(resize.Add(list, 0, 0, 100, 0));
    ResizeBy(m_parent, 10, 0);
    ExpectRect(ChildRect(list), 10, 10, 110, 100, "grows by the later change only");
}

TEST_F(ResizeCtrlOnAParentTest, MinimizingAndRestoringLeavesTheChildrenWhereTheyWere)
{
    HWND list = MakeChild(10, 10, 300, 200);
    HWND combo = MakeChild(10, 220, 300, 24);
    ::SetPropW(combo, kMinHeightProperty, reinterpret_cast<HANDLE>(INT_PTR(24)));
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    ASSERT_TRUE(resize.Add(list, 0, 0, 100, 100));
    ASSERT_TRUE(resize.Add(combo, 0, 0, 100, 20));
    ::ShowWindow(m_parent, SW_MINIMIZE);
    PumpMessages();
    ASSERT_TRUE(::IsIconic(m_parent));
    ::ShowWindow(m_parent, SW_RESTORE);
    PumpMessages();
    ExpectRect(ChildRect(list), 10, 10, 300, 200, "list");
    ExpectRect(ChildRect(combo), 10, 220, 300, 24, "a child that keeps its height");
}

TEST_F(ResizeCtrlOnAParentTest, TheWindowCannotBeMadeSmallerThanTheMinimumTrackingSize)
{
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    const RECT initial = WindowRect(m_parent);
    resize.SetMinimumTrackingSize();
    EXPECT_EQ(resize.GetMinimumTrackingSize().cx, initial.right - initial.left);

    ResizeBy(m_parent, -120, -90);
    const RECT shrunk = WindowRect(m_parent);
    EXPECT_EQ(shrunk.right - shrunk.left, initial.right - initial.left);
    EXPECT_EQ(shrunk.bottom - shrunk.top, initial.bottom - initial.top);

    ResizeBy(m_parent, 60, 40);
    const RECT grown = WindowRect(m_parent);
    EXPECT_EQ(grown.right - grown.left, initial.right - initial.left + 60) << "growing is still allowed";

    MINMAXINFO info = {};
    ::SendMessageW(m_parent, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, initial.right - initial.left);
    EXPECT_EQ(info.ptMinTrackSize.y, initial.bottom - initial.top);
}

TEST_F(ResizeCtrlOnAParentTest, TheMaximumTrackingSizeIsTheSystemDefault)
{
    MINMAXINFO plain = {};
    ::SendMessageW(m_parent, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&plain));
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    resize.SetMinimumTrackingSize(SIZE{300, 200});
    MINMAXINFO info = {};
    ::SendMessageW(m_parent, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, plain.ptMaxTrackSize.x);
    EXPECT_EQ(info.ptMaxTrackSize.y, plain.ptMaxTrackSize.y);
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMinTrackSize.y, 200);
}

TEST_F(ResizeCtrlOnAParentTest, TheParentsProcedureAndPropertyAreGoneAfterItIsDestroyed)
{
    const LONG_PTR original = ::GetWindowLongPtrW(m_parent, GWLP_WNDPROC);
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    EXPECT_NE(::GetWindowLongPtrW(m_parent, GWLP_WNDPROC), original);
    EXPECT_EQ(::GetPropW(m_parent, CResizeCtrl::PropertyName()), static_cast<HANDLE>(&resize));

    ::DestroyWindow(m_parent);
    m_parent = nullptr;
    ASSERT_TRUE(g_destroyRecord.seen);
    EXPECT_EQ(g_destroyRecord.procedure, original);
    EXPECT_EQ(g_destroyRecord.property, nullptr);
    EXPECT_FALSE(resize.IsEnabled());
}

// A framework window: its procedure (the framework's) must be back in place
// when the framework lets go of the window at WM_NCDESTROY.
class CRecordingWnd : public CWnd {
public:
    void PostNcDestroy() override { m_ncDestroyed = true; }
    bool m_ncDestroyed = false;
};

TEST_F(ResizeCtrlTest, AFrameworkWindowIsReleasedNormallyAfterTheControlLetGoOfIt)
{
    CRecordingWnd window;
    ASSERT_TRUE(window.CreateEx(0, kParentClass, L"framework", WS_OVERLAPPEDWINDOW, RECT{50, 50, 350, 250}, nullptr, 0));
    const LONG_PTR framework = ::GetWindowLongPtrW(window.m_hWnd, GWLP_WNDPROC);
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(&window));
    EXPECT_NE(::GetWindowLongPtrW(window.m_hWnd, GWLP_WNDPROC), framework);
    HWND handle = window.m_hWnd;
    window.DestroyWindow();
    EXPECT_TRUE(window.m_ncDestroyed);
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_FALSE(resize.IsEnabled());
}

TEST_F(ResizeCtrlTest, AWindowWithoutASizingBorderBorrowsOneWithTheSameClientArea)
{
    MakeParent(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    const SIZE client = ClientSize(m_parent);
    const RECT outer = WindowRect(m_parent);
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    EXPECT_TRUE(::GetWindowLongW(m_parent, GWL_STYLE) & WS_THICKFRAME);
    const SIZE withBorder = ClientSize(m_parent);
    EXPECT_EQ(withBorder.cx, client.cx);
    EXPECT_EQ(withBorder.cy, client.cy);
    const RECT bigger = WindowRect(m_parent);
    EXPECT_GT(bigger.right - bigger.left, outer.right - outer.left);

    ASSERT_TRUE(resize.Enable(FALSE));
    EXPECT_FALSE(::GetWindowLongW(m_parent, GWL_STYLE) & WS_THICKFRAME);
    const SIZE without = ClientSize(m_parent);
    EXPECT_EQ(without.cx, client.cx);
    EXPECT_EQ(without.cy, client.cy);
    const RECT back = WindowRect(m_parent);
    EXPECT_EQ(back.left, outer.left);
    EXPECT_EQ(back.top, outer.top);
    EXPECT_EQ(back.right, outer.right);
    EXPECT_EQ(back.bottom, outer.bottom);
    EXPECT_FALSE(resize.Enable(FALSE)) << "already disabled";
    EXPECT_TRUE(resize.Enable(TRUE));
    EXPECT_TRUE(::GetWindowLongW(m_parent, GWL_STYLE) & WS_THICKFRAME);
}

TEST_F(ResizeCtrlTest, AWindowWithItsOwnSizingBorderKeepsIt)
{
    MakeParent(WS_OVERLAPPEDWINDOW);
    const RECT outer = WindowRect(m_parent);
    {
        CResizeCtrl resize;
        ASSERT_TRUE(resize.Create(m_parent));
        const RECT same = WindowRect(m_parent);
        EXPECT_EQ(same.right - same.left, outer.right - outer.left);
    }
    EXPECT_TRUE(::GetWindowLongW(m_parent, GWL_STYLE) & WS_THICKFRAME) << "still there after the control is gone";
}

TEST_F(ResizeCtrlTest, DraggingTheBorrowedBorderSizesTheWindow)
{
    g_parentEatsNcButton = true;
    MakeParent(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    HWND list = MakeChild(10, 10, 100, 100);
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    ASSERT_TRUE(resize.Add(list, 0, 0, 100, 0));
    const RECT start = WindowRect(m_parent);
    const int y = (start.top + start.bottom) / 2;
    ASSERT_TRUE(MoveCursorTo(start.right - 2, y));
    ::SendMessageW(m_parent, WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(start.right - 2, y));
    EXPECT_EQ(::GetCapture(), m_parent);

    ASSERT_TRUE(MoveCursorTo(start.right + 28, y + 5));
    ::SendMessageW(m_parent, WM_MOUSEMOVE, MK_LBUTTON, 0);
    RECT dragged = WindowRect(m_parent);
    EXPECT_EQ(dragged.right, start.right + 30);
    EXPECT_EQ(dragged.left, start.left);
    EXPECT_EQ(dragged.top, start.top);
    EXPECT_EQ(dragged.bottom, start.bottom);
    ExpectRect(ChildRect(list), 10, 10, 130, 100, "list follows the drag");

    ::SendMessageW(m_parent, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(::GetCapture(), nullptr);
    ASSERT_TRUE(MoveCursorTo(start.right + 80, y));
    ::SendMessageW(m_parent, WM_MOUSEMOVE, 0, 0);
    dragged = WindowRect(m_parent);
    EXPECT_EQ(dragged.right, start.right + 30) << "no drag after the button went up";
}

TEST_F(ResizeCtrlTest, ADragWhoseCaptureWasTakenAwayEnds)
{
    g_parentEatsNcButton = true;
    MakeParent(WS_POPUP | WS_CAPTION | WS_SYSMENU);
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    const RECT start = WindowRect(m_parent);
    ASSERT_TRUE(MoveCursorTo(start.left + 1, start.top + 1));
    ::SendMessageW(m_parent, WM_NCLBUTTONDOWN, HTTOPLEFT, 0);
    ASSERT_EQ(::GetCapture(), m_parent);
    // As when the system's own sizing loop or another window takes the mouse.
    ::ReleaseCapture();
    ASSERT_TRUE(MoveCursorTo(start.left + 50, start.top + 50));
    ::SendMessageW(m_parent, WM_MOUSEMOVE, 0, 0);
    const RECT after = WindowRect(m_parent);
    EXPECT_EQ(after.left, start.left);
    EXPECT_EQ(after.top, start.top);
}

TEST_F(ResizeCtrlTest, AWindowWithItsOwnBorderIsNotDraggedByTheControl)
{
    g_parentEatsNcButton = true;
    MakeParent(WS_OVERLAPPEDWINDOW);
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    const RECT start = WindowRect(m_parent);
    ASSERT_TRUE(MoveCursorTo(start.right - 1, start.top + 100));
    ::SendMessageW(m_parent, WM_NCLBUTTONDOWN, HTRIGHT, 0);
    EXPECT_NE(::GetCapture(), m_parent);
    ASSERT_TRUE(MoveCursorTo(start.right + 40, start.top + 100));
    ::SendMessageW(m_parent, WM_MOUSEMOVE, MK_LBUTTON, 0);
    EXPECT_EQ(WindowRect(m_parent).right, start.right);
}

TEST_F(ResizeCtrlOnAParentTest, TheSizeGripAnswersTheHitTestInTheBottomRightCorner)
{
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    RECT client;
    ::GetClientRect(m_parent, &client);
    POINT corner{client.right - 2, client.bottom - 2};
    POINT middle{client.right / 2, client.bottom / 2};
    ::ClientToScreen(m_parent, &corner);
    ::ClientToScreen(m_parent, &middle);
    EXPECT_EQ(::SendMessageW(m_parent, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTCLIENT) << "grip off";
    resize.SetGripEnabled(TRUE);
    EXPECT_EQ(::SendMessageW(m_parent, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
    EXPECT_EQ(::SendMessageW(m_parent, WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTCLIENT);

    // The grip follows the corner when the window grows.
    ResizeBy(m_parent, 40, 30);
    EXPECT_EQ(::SendMessageW(m_parent, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTCLIENT);
    EXPECT_EQ(::SendMessageW(m_parent, WM_NCHITTEST, 0, MAKELPARAM(corner.x + 40, corner.y + 30)), HTBOTTOMRIGHT);
}

TEST_F(ResizeCtrlOnAParentTest, CreateAndAddRefuseWhatTheyCannotUse)
{
    HWND list = MakeChild(10, 10, 100, 100);
    ::SetWindowLongPtrW(list, GWLP_ID, 1001);
    CResizeCtrl resize;
    EXPECT_FALSE(resize.Add(list, 0, 0, 100, 100)) << "not created yet";
    EXPECT_FALSE(resize.Create(static_cast<CWnd*>(nullptr)));
    EXPECT_FALSE(resize.Create(static_cast<HWND>(nullptr)));
    EXPECT_FALSE(resize.Create(reinterpret_cast<HWND>(0x1234))) << "not a window";
    ASSERT_TRUE(resize.Create(m_parent));
    EXPECT_FALSE(resize.Create(m_parent)) << "already created";
    EXPECT_FALSE(resize.Add(list, 60, 0, 50, 0));
    EXPECT_FALSE(resize.Add(reinterpret_cast<HWND>(0x1234), 0, 0, 0, 0));
    EXPECT_FALSE(resize.Add(UINT(999), 0, 0, 100, 0)) << "no such dialog item";
    EXPECT_TRUE(resize.Add(UINT(1001), 0, 50, 100, 50));
    EXPECT_FALSE(resize.Enable(TRUE)) << "already enabled";

    ResizeBy(m_parent, 10, 10);
    ExpectRect(ChildRect(list), 10, 15, 110, 105, "registered by its id");
}

TEST_F(ResizeCtrlOnAParentTest, ADestroyedChildDoesNotStopTheOthersFromMoving)
{
    HWND first = MakeChild(10, 10, 100, 100);
    HWND second = MakeChild(10, 120, 100, 100);
    CResizeCtrl resize;
    ASSERT_TRUE(resize.Create(m_parent));
    ASSERT_TRUE(resize.Add(first, 0, 0, 100, 0));
    ASSERT_TRUE(resize.Add(second, 0, 0, 100, 0));
    ::DestroyWindow(first);
    ResizeBy(m_parent, 25, 0);
    ExpectRect(ChildRect(second), 10, 120, 125, 100, "the living child");
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    RegisterClasses();
    return RUN_ALL_TESTS();
}
