// The dialog looks as its template says on every machine: its text is drawn
// in Tahoma (what "MS Shell Dlg" stands for), every label fits its control,
// and the caption buttons are drawn with Marlett's symbols, not letters (the
// close box's cross is the same mirrored either way; a letter is not).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "framework/Gdi.h"
#include "tests/support/UiDriver.h"
#include "tests/support/DialogHarness.h"
#include "tests/window/WindowTestSupport.h"

namespace {

using namespace dialogdriver;
using windowtest::Narrow;

// A screen or window DC, released when it goes.
class ScopedDc {
public:
    explicit ScopedDc(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    ~ScopedDc() { ::ReleaseDC(m_window, m_dc); }
    ScopedDc(const ScopedDc&) = delete;
    ScopedDc& operator=(const ScopedDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;  // borrowed
    HDC m_dc;       // owned
};

// The family of the font GDI really uses for `font`, after substitution.
std::wstring RealizedFamily(HDC dc, HFONT font)
{
    CSelectObject selected(dc, font);
    const UINT size = ::GetOutlineTextMetricsW(dc, 0, nullptr);
    if (size == 0) return L"(no outline font)";
    std::vector<char> buffer(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    ::GetOutlineTextMetricsW(dc, size, metrics);
    return reinterpret_cast<const wchar_t*>(buffer.data() + reinterpret_cast<UINT_PTR>(metrics->otmpFamilyName));
}

HFONT DialogFont(HWND window) { return reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)); }

struct Label {
    std::wstring text;
    int lines = 0;  // lines the control's text takes, broken at its width as a static control breaks it
};

std::vector<Label> Labels(HWND page)
{
    std::vector<Label> labels;
    ScopedDc dc(page);
    for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ui::ClassName(child) != L"Static") continue;
        Label label;
        label.text = Text(child);
        CSelectObject selected(dc.Get(), DialogFont(child));
        TEXTMETRICW metrics = {};
        ::GetTextMetricsW(dc.Get(), &metrics);
        RECT box = {};
        ::GetClientRect(child, &box);
        const int height = ::DrawTextW(dc.Get(), label.text.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        label.lines = metrics.tmHeight ? height / metrics.tmHeight : 0;
        labels.push_back(label);
    }
    return labels;
}

// The part of the window's caption that answers WM_NCHITTEST with `part`:
// its extent along the caption's middle line, then across it.
RECT PartRect(HWND window, LRESULT part)
{
    RECT frame = {};
    ::GetWindowRect(window, &frame);
    auto is = [&](int x, int y) { return ::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == part; };
    const int middle = frame.top + ::GetSystemMetrics(SM_CYSIZEFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2;
    RECT found = {frame.right, middle, frame.left, middle + 1};
    for (int x = frame.left; x < frame.right; ++x) {
        if (!is(x, middle)) continue;
        found.left = std::min<LONG>(found.left, x);
        found.right = std::max<LONG>(found.right, x + 1);
    }
    if (found.left >= found.right) return found;
    const int centre = (found.left + found.right) / 2;
    while (found.top > frame.top && is(centre, found.top - 1)) --found.top;
    while (found.bottom < frame.bottom && is(centre, found.bottom)) ++found.bottom;
    return found;
}

// The ink of a caption button's symbol (black, or grey when disabled) as the
// screen shows it, inside the button's edges.
struct Glyph {
    int width = 0, height = 0;
    std::vector<bool> dark;
    int Count() const
    {
        int n = 0;
        for (bool d : dark) n += d;
        return n;
    }
    bool At(int x, int y) const { return dark[y * width + x]; }
    // The share of dark pixels whose mirror image (left-right, or top-bottom) is dark too.
    double Symmetry(bool leftRight) const
    {
        int matched = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (At(x, y) && (leftRight ? At(width - 1 - x, y) : At(x, height - 1 - y))) ++matched;
            }
        }
        return Count() ? static_cast<double>(matched) / Count() : 0;
    }
    std::string Picture() const
    {
        std::string out;
        for (int y = 0; y < height; ++y) {
            out += '\n';
            for (int x = 0; x < width; ++x) out += At(x, y) ? '#' : '.';
        }
        return out;
    }
};

// The ink of `rect` (screen coordinates), cut to the symbol: the button's
// face and the caption's blue are no ink, and the button's shadow edges
// (whole lines of ink along a side) are peeled off.
Glyph ReadGlyph(const RECT& rect)
{
    ScopedDc screen(nullptr);
    Glyph area;
    area.width = (std::max)(0L, rect.right - rect.left);
    area.height = (std::max)(0L, rect.bottom - rect.top);
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = ::GetPixel(screen.Get(), x, y);
            area.dark.push_back((std::max)({GetRValue(c), GetGValue(c), GetBValue(c)}) < 170);
        }
    }
    int left = 0, top = 0, right = area.width, bottom = area.height;
    auto inkRow = [&](int y, bool all) {
        int n = 0;
        for (int x = left; x < right; ++x) n += area.At(x, y);
        return all ? n == right - left : n > 0;
    };
    auto inkColumn = [&](int x, bool all) {
        int n = 0;
        for (int y = top; y < bottom; ++y) n += area.At(x, y);
        return all ? n == bottom - top : n > 0;
    };
    for (bool changed = true; changed && left < right && top < bottom;) {
        changed = false;
        if (!inkRow(top, false) || inkRow(top, true)) ++top, changed = true;
        else if (!inkRow(bottom - 1, false) || inkRow(bottom - 1, true)) --bottom, changed = true;
        else if (!inkColumn(left, false) || inkColumn(left, true)) ++left, changed = true;
        else if (!inkColumn(right - 1, false) || inkColumn(right - 1, true)) --right, changed = true;
    }
    Glyph glyph;
    if (right <= left || bottom <= top) return glyph;
    glyph.width = right - left;
    glyph.height = bottom - top;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) glyph.dark.push_back(area.At(x, y));
    }
    return glyph;
}

TEST(DialogLook, TextIsTahomaAndEveryLabelFitsOnItsLine)
{
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        {
            ScopedDc dc(dialog);
            EXPECT_EQ(L"Tahoma", RealizedFamily(dc.Get(), DialogFont(dialog))) << "the dialog's font";
        }
        const Pages pages = FindPages(dialog);
        int labels = 0;
        for (HWND page : {pages.view, pages.edit, pages.groupEdit}) {
            ScopedDc dc(page);
            EXPECT_EQ(L"Tahoma", RealizedFamily(dc.Get(), DialogFont(page))) << "a page's font";
            for (const Label& label : Labels(page)) {
                ++labels;
                EXPECT_EQ(1, label.lines) << "\"" << Narrow(label.text) << "\" fits on one line of its control";
            }
        }
        EXPECT_GE(labels, 6) << "the Edit and Group Edit pages' labels were measured";
    });
}

TEST(DialogLook, CaptionButtonsAreMarlettSymbolsNotLetters)
{
    {
        ScopedDc screen(nullptr);
        LOGFONTW wanted = {};
        wanted.lfHeight = -13;
        wanted.lfCharSet = SYMBOL_CHARSET;
        wcscpy(wanted.lfFaceName, L"Marlett");
        CFont marlett;
        ASSERT_TRUE(marlett.CreateFontIndirect(&wanted));
        EXPECT_EQ(L"Marlett", RealizedFamily(screen.Get(), marlett)) << "GDI has Marlett";
    }
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ::SetForegroundWindow(dialog);
        ::RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Settle(dialog);
        const RECT close = PartRect(dialog, HTCLOSE);
        ASSERT_LT(close.left, close.right) << "the dialog has a close box";
        const Glyph cross = ReadGlyph(close);
        EXPECT_GE(cross.Count(), 8) << "the close box shows a symbol";
        EXPECT_GE(cross.Symmetry(true), 0.9) << "the close box shows a cross, not a letter:" << cross.Picture();
        EXPECT_GE(cross.Symmetry(false), 0.9) << "the close box shows a cross, not a letter:" << cross.Picture();
    });
}

TEST(DialogLook, GrowingTheDialogLeavesNoOldLinesOfTheFindFrameOnScreen)
{
    harness::Host host;
    harness::Execute(host, [&](HWND dialog) {
        ::SetForegroundWindow(dialog);
        Settle(dialog);
        RECT frame = RectInParent(::GetDlgItem(dialog, IDC_FIND_FRAME));
        ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&frame), 2);
        const POINT line = {frame.right - 2, (frame.top + frame.bottom) / 2};  // on the frame's right edge
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        {
            ScopedDc screen(nullptr);
            ASSERT_NE(face, ::GetPixel(screen.Get(), line.x, line.y)) << "the frame's edge is drawn where it is looked for";
        }
        RECT window = {};
        ::GetWindowRect(dialog, &window);
        ::SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + 100, window.bottom - window.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Settle(dialog);
        // Only what the dialog itself left invalid is painted.
        ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ScopedDc screen(nullptr);
        EXPECT_EQ(face, ::GetPixel(screen.Get(), line.x, line.y)) << "the frame's old edge is gone";
    });
}

} // namespace
