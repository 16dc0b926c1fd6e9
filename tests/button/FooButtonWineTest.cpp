// CFooButton on real windows: buttons made in pixels inside a host dialog,
// pressed with real mouse messages, drawn into 32-bit bitmaps whose pixels
// the tests read back, and a drop-down menu picked from a second thread.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "res/resource.h"
#include "controls/CFooButton.h"
#include "framework/CDialog.h"
#include "framework/CMenu.h"
#include "tests/support/DibCanvas.h"
#include "tests/support/PendingInput.h"

namespace {

// The dialog that owns the buttons; its click handler reads the drop-down
// state as the main dialog's Find handler does.
class CButtonHostDlg : public CDialog {
public:
    CButtonHostDlg() : CDialog(IDD_BUTTON_HOST) {}

    void OnButtonClicked()
    {
        ++m_clicks;
        m_hitSeenByHandler = m_button.IsDropDownHit();
    }

    CFooButton m_button;
    CFooButton m_other;
    int m_clicks = 0;
    bool m_hitSeenByHandler = false;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CButtonHostDlg, CDialog)
    ON_BN_CLICKED(IDC_TEST_BUTTON, OnButtonClicked)
END_MESSAGE_MAP()

using ui::PumpMessages;

// A canvas filled with one colour before the button draws on it.
class Canvas : public DibCanvas {
public:
    Canvas(int width, int height, COLORREF fill) : DibCanvas(width, height) { Fill(fill); }

    // One row of the picture, a letter per pixel, for failure messages.
    std::string Picture(COLORREF face) const
    {
        std::string text;
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                const COLORREF c = At(x, y);
                text += c == face ? '.' : c == RGB(255, 255, 255) ? 'w' : c == RGB(0, 0, 0) ? '#' : 'o';
            }
            text += '\n';
        }
        return text;
    }
};

void Draw(CFooButton& button, Canvas& canvas, UINT state)
{
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(button.GetDlgCtrlID());
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = button.m_hWnd;
    item.hDC = canvas.Dc();
    item.rcItem = RECT{0, 0, canvas.Width(), canvas.Height()};
    button.DrawItem(&item);
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A colour expected on one pixel row of a drawing.
struct RowColour {
    int y;
    COLORREF colour;
};
void ExpectRowColours(const Canvas& canvas, int x, std::initializer_list<RowColour> rows)
{
    for (const RowColour& row : rows) EXPECT_EQ(canvas.At(x, row.y), row.colour) << "row " << row.y;
}

class FooButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host = std::make_unique<CButtonHostDlg>();
        ASSERT_TRUE(m_host->Create(IDD_BUTTON_HOST));
        ::SetWindowPos(m_host->m_hWnd, nullptr, 200, 200, 420, 340, SWP_NOZORDER);
        m_host->ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_host->m_hWnd);
        PumpMessages();
    }
    void TearDown() override
    {
        if (m_host->m_hWnd) m_host->DestroyWindow();
        m_host.reset();
        PumpMessages();
    }

    // A BUTTON control of width x height pixels attached to `button`.
    void Attach(CFooButton& button, int id, int width, int height, const wchar_t* caption = L"Find",
                DWORD style = BS_PUSHBUTTON, int x = 20, int y = 20)
    {
        HWND control = ::CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, width,
                                         height, m_host->m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(control, nullptr);
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        ASSERT_TRUE(button.SubclassWindow(control));
    }

    void Click(CFooButton& button, int x, int y)
    {
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
        button.SendMessage(WM_LBUTTONUP, 0, At(x, y));
    }

    // The host's main button, 80 x 24 pixels, attached and given `type`.
    CFooButton& MainButton(int type)
    {
        Attach(m_host->m_button, IDC_TEST_BUTTON, 80, 24);
        m_host->m_button.SetType(type);
        return m_host->m_button;
    }

    // The main button, 80 pixels wide and `height` high, with a gradient
    // face and no caption, drawn once.
    std::unique_ptr<Canvas> DrawGradientFace(int height)
    {
        CFooButton& button = m_host->m_button;
        Attach(button, IDC_TEST_BUTTON, 80, height);
        button.SetTextStyle(0);
        button.SetGradient(true);
        auto canvas = std::make_unique<Canvas>(80, height, RGB(1, 2, 3));
        Draw(button, *canvas, 0);
        return canvas;
    }

    static COLORREF Face() { return ::GetSysColor(COLOR_BTNFACE); }

    std::unique_ptr<CButtonHostDlg> m_host;
};

// The tests of the band fallback, which runs only where GradientFill is not.
class FooButtonFallbackTest : public FooButtonTest {
protected:
    void SetUp() override
    {
        FooButtonTest::SetUp();
        if (CFooButton::HasGradientFill()) GTEST_SKIP() << "msimg32.dll is present; the fallback runs in the test without it";
    }
};

using ui::MoveCursorTo;

// The smallest rectangle around the pixels of `color` left of column `limit`.
RECT BoundsOf(const Canvas& canvas, COLORREF color, int limit)
{
    RECT bounds = {limit, canvas.Height(), -1, -1};
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < limit; ++x)
            if (canvas.At(x, y) == color) {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
    return bounds;
}

TEST_F(FooButtonTest, AttachingTurnsTheButtonOwnerDrawn)
{
    Attach(m_host->m_button, IDC_TEST_BUTTON, 80, 24);
    EXPECT_EQ(m_host->m_button.GetStyle() & 0x0F, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_EQ(m_host->m_button.GetType(), 1);
}

TEST_F(FooButtonTest, ADropDownPressIsSeenByTheClickHandlerAndForgottenAfterwards)
{
    CFooButton& button = MainButton(5);

    Click(button, 61, 10);
    EXPECT_EQ(m_host->m_clicks, 1);
    EXPECT_FALSE(m_host->m_hitSeenByHandler) << "x 61 is the button part";

    Click(button, 62, 10);
    EXPECT_EQ(m_host->m_clicks, 2);
    EXPECT_TRUE(m_host->m_hitSeenByHandler) << "x 62 is the drop-down part";
    EXPECT_FALSE(button.IsDropDownHit()) << "cleared once the click was reported";

    Click(button, 79, 23);
    EXPECT_TRUE(m_host->m_hitSeenByHandler);
    EXPECT_FALSE(button.IsDropDownHit());
}

TEST_F(FooButtonTest, TheSecondPressOfAQuickDoubleClickIsAClickToo)
{
    CFooButton& button = MainButton(5);
    Click(button, 20, 10);
    button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(70, 10));
    button.SendMessage(WM_LBUTTONUP, 0, At(70, 10));
    EXPECT_EQ(m_host->m_clicks, 2);
    EXPECT_TRUE(m_host->m_hitSeenByHandler) << "the second press fell on the drop-down part";
}

TEST_F(FooButtonTest, OnlySplitButtonsHaveADropDownPart)
{
    CFooButton& button = MainButton(3);
    Click(button, 75, 10);
    EXPECT_EQ(m_host->m_clicks, 1);
    EXPECT_FALSE(m_host->m_hitSeenByHandler);
}

TEST_F(FooButtonTest, TheDropDownStateCanBeClearedAndIsLostWhenTheMouseLeaves)
{
    CFooButton& button = MainButton(6);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(70, 10));
    EXPECT_TRUE(button.IsDropDownHit());
    button.ClearDropDownState();
    EXPECT_FALSE(button.IsDropDownHit());
    button.SendMessage(WM_LBUTTONUP, 0, At(70, 10));

    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(70, 10));
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button.IsDropDownHit());
    button.SendMessage(WM_LBUTTONUP, 0, At(200, 200));
}

// Picks an item of the next pop-up menu from a second thread, as a user's
// keys would: `downs` times VK_DOWN, then VK_RETURN (or VK_ESCAPE for 0).
class MenuPicker {
public:
    explicit MenuPicker(int downs) : m_thread([this, downs] { Run(downs); }) {}
    ~MenuPicker()
    {
        if (m_thread.joinable()) m_thread.join();
    }
    void Join() { m_thread.join(); }
    bool Found() const { return m_found; }
    RECT MenuRect() const { return m_rect; }

private:
    void Run(int downs)
    {
        for (int attempt = 0; attempt < 500; ++attempt) {
            HWND menu = ::FindWindowW(L"#32768", nullptr);
            if (menu && ::IsWindowVisible(menu)) {
                ::GetWindowRect(menu, &m_rect);
                m_found = true;
                for (int i = 0; i < downs; ++i) ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
                ::PostMessageW(menu, WM_KEYDOWN, downs > 0 ? VK_RETURN : VK_ESCAPE, 0);
                return;
            }
            ::Sleep(10);
        }
    }

    RECT m_rect = {};
    std::atomic<bool> m_found{false};
    std::thread m_thread;
};

void FillScopeMenu(CMenu& menu)
{
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 501, L"Name");
    menu.AppendMenu(MF_STRING, 502, L"Description");
    menu.AppendMenu(MF_STRING, 503, L"Sequel");
}

TEST_F(FooButtonTest, ShowDropDownMenuReturnsTheChosenItemUnderTheButton)
{
    CFooButton& button = MainButton(5);
    CMenu menu;
    FillScopeMenu(menu);

    MenuPicker picker(2);
    const UINT chosen = button.ShowDropDownMenu(&menu);
    picker.Join();
    ASSERT_TRUE(picker.Found());
    EXPECT_EQ(chosen, 502u);
    RECT buttonRect;
    button.GetWindowRect(&buttonRect);
    EXPECT_EQ(picker.MenuRect().left, buttonRect.left);
    EXPECT_EQ(picker.MenuRect().top, buttonRect.bottom);
    EXPECT_EQ(m_host->m_clicks, 0);
}

TEST_F(FooButtonTest, ShowDropDownMenuReturnsZeroWhenNothingIsChosen)
{
    CFooButton& button = MainButton(5);
    EXPECT_EQ(button.ShowDropDownMenu(nullptr), 0u);
    CMenu menu;
    FillScopeMenu(menu);
    MenuPicker picker(0);
    EXPECT_EQ(button.ShowDropDownMenu(&menu), 0u);
    picker.Join();
    EXPECT_TRUE(picker.Found());
}

TEST_F(FooButtonTest, PressedDropDownPartIsDrawnAtX66To79AndTheSeparatorGoes)
{
    CFooButton& button = MainButton(5);
    const COLORREF face = Face();
    Canvas plain(80, 24, RGB(1, 2, 3));
    Draw(button, plain, 0);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(70, 10));
    ASSERT_TRUE(button.IsDropDownHit());
    Canvas hit(80, 24, RGB(1, 2, 3));
    Draw(button, hit, ODS_SELECTED);
    button.SendMessage(WM_LBUTTONUP, 0, At(200, 200));

    for (int y = 3; y < 21; ++y) {
        EXPECT_NE(plain.At(65, y), face) << "separator at row " << y << "\n" << plain.Picture(face);
        EXPECT_EQ(hit.At(65, y), face) << "no separator while pressed, row " << y << "\n" << hit.Picture(face);
        EXPECT_NE(hit.At(66, y), face) << "the pressed part's left edge, row " << y << "\n" << hit.Picture(face);
    }
    // The pressed part is filled with the checked pattern; the plain face is not.
    int patternPixels = 0;
    for (int y = 2; y < 15; ++y)
        for (int x = 67; x < 78; ++x) {
            if (hit.At(x, y) == RGB(255, 255, 255)) ++patternPixels;
            EXPECT_EQ(plain.At(x, y), face) << x << ", " << y;
        }
    EXPECT_GT(patternPixels, 20) << hit.Picture(face);
    for (int x = 2; x < 64; ++x) {
        EXPECT_EQ(hit.At(x, 2), face) << "nothing pressed left of x 66, column " << x;
    }
    EXPECT_EQ(hit.At(0, 5), RGB(255, 255, 255)) << "the button's own frame stays up";
}

TEST_F(FooButtonTest, TheArrowMovesWithTheDropDownPartAndTheCaptionWithTheButtonPart)
{
    CFooButton& button = MainButton(5);
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
    Canvas plain(80, 24, RGB(1, 2, 3));
    Draw(button, plain, 0);

    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    Canvas pressedButton(80, 24, RGB(1, 2, 3));
    Draw(button, pressedButton, ODS_SELECTED);
    button.SendMessage(WM_LBUTTONUP, 0, At(200, 200));

    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(70, 10));
    Canvas pressedPart(80, 24, RGB(1, 2, 3));
    Draw(button, pressedPart, ODS_SELECTED);
    button.SendMessage(WM_LBUTTONUP, 0, At(200, 200));

    // Arrow: top row of five pixels at (70..74, 16), one pixel further when pressed.
    for (int x = 70; x <= 74; ++x) EXPECT_EQ(plain.At(x, 16), text) << x;
    for (int x = 71; x <= 75; ++x) EXPECT_EQ(pressedPart.At(x, 17), text) << x;
    EXPECT_EQ(plain.At(72, 18), text) << "the tip";
    EXPECT_EQ(pressedPart.At(73, 19), text) << "the tip, moved";

    const RECT caption = BoundsOf(plain, text, 60);
    const RECT shifted = BoundsOf(pressedButton, text, 60);
    const RECT unmoved = BoundsOf(pressedPart, text, 60);
    ASSERT_LT(caption.left, caption.right) << plain.Picture(Face());
    EXPECT_EQ(shifted.left, caption.left + 1);
    EXPECT_EQ(shifted.top, caption.top + 1);
    EXPECT_EQ(unmoved.left, caption.left);
    EXPECT_EQ(unmoved.top, caption.top);
    EXPECT_EQ(pressedButton.At(0, 5), RGB(255, 255, 255)) << "a split button's frame does not go down";
}

TEST_F(FooButtonTest, GradientFillAvailabilityIsWhatTheEnvironmentGives)
{
    Attach(m_host->m_button, IDC_TEST_BUTTON, 80, 24);
    wchar_t flag[8] = {};
    const bool disabled = ::GetEnvironmentVariableW(L"QB_MSIMG32_DISABLED", flag, 8) > 0;
    EXPECT_EQ(CFooButton::HasGradientFill(), !disabled);
}

TEST_F(FooButtonFallbackTest, WithoutGradientFillA255PixelFaceGets255OnePixelBands)
{
    const std::unique_ptr<Canvas> face = DrawGradientFace(258);
    const Canvas& canvas = *face;
    // Face inside the frame: rows 1..255, columns 1..77, band i on row 1 + i.
    // Band i has every channel c at trunc((c - 255) * i / 255 + 255):
    // red and green run 255 -> 200, blue 255 -> 216 (bands 0, 51, 127, 200, 254).
    ExpectRowColours(canvas, 40, {{1, RGB(255, 255, 255)}, {52, RGB(244, 244, 247)}, {128, RGB(227, 227, 235)},
                                  {201, RGB(211, 211, 224)}, {255, RGB(200, 200, 216)}});
    for (int i = 0; i < 255; ++i) {
        const COLORREF band = canvas.At(40, 1 + i);
        EXPECT_EQ(canvas.At(1, 1 + i), band) << "band " << i << " at its left end";
        EXPECT_EQ(canvas.At(77, 1 + i), band) << "band " << i << " at its right end";
        EXPECT_EQ(GetRValue(band), GetGValue(band)) << "band " << i;
        if (i == 0) continue;
        const COLORREF above = canvas.At(40, i);
        EXPECT_LE(GetRValue(band), GetRValue(above)) << "darker downwards, band " << i;
        EXPECT_LE(GetBValue(band), GetBValue(above)) << "darker downwards, band " << i;
        EXPECT_GE(GetBValue(band), GetRValue(band)) << "blue stays above red, band " << i;
    }
    EXPECT_NE(canvas.At(78, 100), canvas.At(77, 100)) << "the frame is left alone";
}

TEST_F(FooButtonFallbackTest, WithoutGradientFillALowFaceSkipsTheEmptyBands)
{
    const std::unique_ptr<Canvas> face = DrawGradientFace(24);
    const Canvas& canvas = *face;
    // 21 rows share 255 bands: each row shows the last band that covers it.
    // Row y is covered by the bands i with trunc(21 * i / 255) = y - 1; the
    // last of them, 12 for row 1 and 254 for row 21, gives the colour.
    ExpectRowColours(canvas, 40, {{1, RGB(252, 252, 253)}, {4, RGB(244, 244, 247)}, {11, RGB(226, 226, 234)},
                                  {20, RGB(202, 202, 217)}, {21, RGB(200, 200, 216)}});
    COLORREF previous = RGB(255, 255, 255);
    for (int y = 1; y < 22; ++y) {
        const COLORREF got = canvas.At(40, y);
        EXPECT_NE(got, RGB(1, 2, 3)) << "every row of the face is painted, row " << y;
        EXPECT_LT(GetRValue(got), GetRValue(previous)) << "a new band on every row, row " << y;
        EXPECT_LE(GetBValue(got), GetBValue(previous)) << "darker downwards, row " << y;
        previous = got;
    }
}

TEST_F(FooButtonTest, WithGradientFillTheFaceRunsFromWhiteToTheBottomColour)
{
    if (!CFooButton::HasGradientFill()) GTEST_SKIP() << "msimg32.dll is disabled in this run";
    const std::unique_ptr<Canvas> face = DrawGradientFace(258);
    const Canvas& canvas = *face;
    const COLORREF top = canvas.At(40, 1);
    const COLORREF bottom = canvas.At(40, 255);
    EXPECT_GE(GetRValue(top), 253);
    EXPECT_GE(GetBValue(top), 253);
    EXPECT_NEAR(GetRValue(bottom), 200, 3);
    EXPECT_NEAR(GetGValue(bottom), 200, 3);
    EXPECT_NEAR(GetBValue(bottom), 216, 3);
    for (int y = 2; y < 256; ++y) EXPECT_LE(GetRValue(canvas.At(40, y)), GetRValue(canvas.At(40, y - 1))) << y;
}

TEST_F(FooButtonTest, AFlatButtonShowsAnEdgeOnlyWhileTheMouseIsOverIt)
{
    CFooButton& button = MainButton(2);
    const COLORREF sentinel = RGB(1, 2, 3);
    Canvas away(80, 24, sentinel);
    Draw(button, away, 0);
    EXPECT_EQ(away.At(0, 5), sentinel) << "no frame before the mouse comes";
    EXPECT_EQ(away.At(40, 1), sentinel);

    RECT r;
    button.GetWindowRect(&r);
    ASSERT_TRUE(MoveCursorTo(r.left + 30, r.top + 10));
    button.SendMessage(WM_MOUSEMOVE, 0, At(30, 10));
    ASSERT_TRUE(button.IsMouseOver());
    Canvas over(80, 24, sentinel);
    Draw(button, over, 0);
    EXPECT_EQ(over.At(0, 5), ::GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised";
    EXPECT_EQ(over.At(79, 5), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(over.At(40, 1), Face());
    Canvas pressed(80, 24, sentinel);
    Draw(button, pressed, ODS_SELECTED);
    EXPECT_EQ(pressed.At(0, 5), ::GetSysColor(COLOR_BTNSHADOW)) << "sunken";
    EXPECT_EQ(pressed.At(79, 5), ::GetSysColor(COLOR_BTNHIGHLIGHT));

    ASSERT_TRUE(MoveCursorTo(r.left - 100, r.top - 100));
    for (int attempt = 0; attempt < 200 && button.IsMouseOver(); ++attempt) {
        PumpMessages();
        ::Sleep(10);
    }
    EXPECT_FALSE(button.IsMouseOver()) << "the leave notification arrived";
    Canvas left(80, 24, sentinel);
    Draw(button, left, 0);
    EXPECT_EQ(left.At(0, 5), sentinel);
}

TEST_F(FooButtonTest, AToggleFlipsOnEachReleaseInside)
{
    CFooButton& button = MainButton(7);
    Click(button, 20, 10);
    EXPECT_TRUE(button.IsChecked());
    Click(button, 20, 10);
    EXPECT_FALSE(button.IsChecked());
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 10));
    button.SendMessage(WM_LBUTTONUP, 0, At(120, 10));
    EXPECT_FALSE(button.IsChecked()) << "a release outside changes nothing";

    Canvas checked(80, 24, RGB(1, 2, 3));
    button.SetChecked(true);
    Draw(button, checked, 0);
    EXPECT_NE(checked.At(0, 5), RGB(255, 255, 255)) << "a checked toggle is drawn pushed in";
}

TEST_F(FooButtonTest, ARadioStaysCheckedAndUnchecksTheOthersOfItsGroup)
{
    CFooButton& first = m_host->m_button;
    CFooButton& second = m_host->m_other;
    Attach(first, IDC_TEST_BUTTON, 80, 24, L"Name");
    Attach(second, IDC_TEST_OTHER, 80, 24, L"Sequel", BS_PUSHBUTTON, 20, 60);
    first.SetType(10);
    second.SetType(10);
    first.SetRadioGroup(L"scope");
    second.SetRadioGroup(L"scope");

    Click(first, 10, 10);
    Click(first, 10, 10);
    EXPECT_TRUE(first.IsChecked()) << "a radio stays checked";
    Click(second, 10, 10);
    EXPECT_TRUE(second.IsChecked());
    EXPECT_FALSE(first.IsChecked()) << "checking one member unchecks the other";
    first.SetChecked(true);
    EXPECT_FALSE(second.IsChecked());
}

TEST_F(FooButtonTest, OnlyCheckableTypesTakeTheCheckedState)
{
    CFooButton& button = m_host->m_button;
    Attach(button, IDC_TEST_BUTTON, 80, 24);
    button.SetChecked(true);
    EXPECT_FALSE(button.IsChecked());
    button.SetType(9);
    button.SetChecked(true);
    EXPECT_TRUE(button.IsChecked());
    button.SetType(12);
    EXPECT_EQ(button.GetType(), 9) << "an unknown type is ignored";
    EXPECT_TRUE(button.IsChecked());
    button.SetType(9);
    EXPECT_FALSE(button.IsChecked()) << "setting a type unchecks";
}

TEST_F(FooButtonTest, AHyperlinkIsUnderlinedInItsBlueAndShowsTheHand)
{
    CFooButton& button = m_host->m_button;
    Attach(button, IDC_TEST_BUTTON, 80, 24, L"Find all");
    button.SetType(11);
    Canvas canvas(80, 24, Face());
    Draw(button, canvas, 0);
    int longestRun = 0;
    for (int y = 0; y < 24; ++y) {
        int run = 0;
        for (int x = 0; x < 80; ++x) {
            run = canvas.At(x, y) == RGB(0, 0, 224) ? run + 1 : 0;
            longestRun = std::max(longestRun, run);
        }
    }
    EXPECT_GE(longestRun, 20) << "an underline as long as the caption\n" << canvas.Picture(Face());
    EXPECT_EQ(canvas.At(0, 5), Face()) << "no frame";

    ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
    button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(FooButtonTest, OtherTypesShowTheSystemCursor)
{
    CFooButton& button = MainButton(5);
    ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
    button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW)) << "no I-beam left over the button";
}

TEST_F(FooButtonTest, ABitmapIsDrawnWithoutItsKeyColourAndEmbossedWhenDisabled)
{
    CFooButton& button = m_host->m_button;
    Attach(button, IDC_TEST_BUTTON, 80, 24);
    button.SetTextStyle(0);
    button.SetBitmap(IDB_TEST_GLYPH);
    // 16 x 15 centred: (32, 4); its black block covers (37..42, 9..13).
    Canvas enabled(80, 24, RGB(1, 2, 3));
    Draw(button, enabled, 0);
    EXPECT_EQ(enabled.At(38, 10), RGB(0, 0, 0)) << enabled.Picture(Face());
    EXPECT_EQ(enabled.At(42, 13), RGB(0, 0, 0));
    EXPECT_EQ(enabled.At(33, 5), Face()) << "the key colour is not drawn";
    Canvas disabled(80, 24, RGB(1, 2, 3));
    Draw(button, disabled, ODS_DISABLED);
    EXPECT_EQ(disabled.At(38, 10), ::GetSysColor(COLOR_BTNSHADOW)) << disabled.Picture(Face());
    EXPECT_EQ(disabled.At(43, 14), ::GetSysColor(COLOR_BTNHIGHLIGHT)) << "the raised copy, one pixel down and right";
    EXPECT_EQ(disabled.At(33, 5), Face());
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x) {
            ASSERT_NE(enabled.At(x, y), RGB(255, 0, 255)) << x << ", " << y;
            ASSERT_NE(disabled.At(x, y), RGB(255, 0, 255)) << x << ", " << y;
        }

    button.SetTextStyle(2);
    Canvas beside(80, 24, RGB(1, 2, 3));
    Draw(button, beside, 0);
    EXPECT_EQ(beside.At(11, 10), RGB(0, 0, 0)) << "beside a caption the bitmap starts 5 pixels in";
}

TEST_F(FooButtonTest, ADefaultPushButtonGetsTheDefaultFrameWhenFocused)
{
    CFooButton& plain = m_host->m_button;
    CFooButton& defaulted = m_host->m_other;
    Attach(plain, IDC_TEST_BUTTON, 80, 24);
    Attach(defaulted, IDC_TEST_OTHER, 80, 24, L"Find", BS_DEFPUSHBUTTON, 20, 60);
    EXPECT_EQ(defaulted.GetStyle() & 0x0F, static_cast<DWORD>(BS_OWNERDRAW));
    plain.SetFocusStyle(2);
    defaulted.SetFocusStyle(2);
    const COLORREF dark = ::GetSysColor(COLOR_3DDKSHADOW);
    Canvas a(80, 24, RGB(1, 2, 3)), b(80, 24, RGB(1, 2, 3)), c(80, 24, RGB(1, 2, 3));
    Draw(plain, a, ODS_FOCUS);
    Draw(defaulted, b, ODS_FOCUS);
    Draw(defaulted, c, 0);
    EXPECT_EQ(a.At(0, 5), RGB(255, 255, 255)) << "a plain push button has no default frame";
    EXPECT_EQ(b.At(0, 5), dark) << b.Picture(Face());
    EXPECT_EQ(b.At(78, 5), dark);
    EXPECT_EQ(c.At(0, 5), RGB(255, 255, 255)) << "only while focused";
}

TEST_F(FooButtonTest, EveryLiveButtonIsCounted)
{
    const int before = CFooButton::GetLiveCount();
    EXPECT_GE(before, 2);
    {
        CFooButton extra;
        EXPECT_EQ(CFooButton::GetLiveCount(), before + 1);
    }
    EXPECT_EQ(CFooButton::GetLiveCount(), before);
}

TEST(FooButtonShared, TheLastButtonReleasesTheSharedState)
{
    ASSERT_EQ(CFooButton::GetLiveCount(), 0);
    EXPECT_FALSE(CFooButton::HasGradientFill());
    {
        CFooButton first;
        CFooButton second;
        EXPECT_EQ(CFooButton::GetLiveCount(), 2);
    }
    EXPECT_EQ(CFooButton::GetLiveCount(), 0);
    EXPECT_FALSE(CFooButton::HasGradientFill());
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);
    return RUN_ALL_TESTS();
}
