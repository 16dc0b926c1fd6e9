// The dialog looks as its template says on every machine: its text is drawn
// in Tahoma (what "MS Shell Dlg" stands for), every label fits its control,
// and the caption buttons are drawn with Marlett's symbols, not letters.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/window/DialogHarness.h"
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

// A font selected into a DC for the scope, the DC's old font put back after.
class ScopedFont {
public:
    ScopedFont(HDC dc, HFONT font) : m_dc(dc), m_old(::SelectObject(dc, font)) {}
    ~ScopedFont() { ::SelectObject(m_dc, m_old); }
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;

private:
    HDC m_dc;         // borrowed
    HGDIOBJ m_old;    // borrowed back
};

// The family of the font GDI really uses for `font`, after substitution.
std::wstring RealizedFamily(HDC dc, HFONT font)
{
    ScopedFont selected(dc, font);
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
    int needed = 0;     // pixels the text takes on one line
    int available = 0;  // the control's width
};

std::vector<Label> Labels(HWND page)
{
    std::vector<Label> labels;
    ScopedDc dc(page);
    for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != L"Static") continue;
        Label label;
        label.text = Text(child);
        ScopedFont selected(dc.Get(), DialogFont(child));
        RECT needed = {};
        ::DrawTextW(dc.Get(), label.text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
        RECT client = {};
        ::GetClientRect(child, &client);
        label.needed = needed.right;
        label.available = client.right;
        labels.push_back(label);
    }
    return labels;
}

// The part of the window's frame that answers WM_NCHITTEST with `part`.
RECT PartRect(HWND window, LRESULT part)
{
    RECT frame = {};
    ::GetWindowRect(window, &frame);
    RECT found = {frame.right, frame.bottom, frame.left, frame.top};
    for (int y = frame.top; y < frame.top + 60; ++y) {
        for (int x = frame.right - 120; x < frame.right; ++x) {
            if (::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != part) continue;
            found.left = std::min<LONG>(found.left, x);
            found.top = std::min<LONG>(found.top, y);
            found.right = std::max<LONG>(found.right, x + 1);
            found.bottom = std::max<LONG>(found.bottom, y + 1);
        }
    }
    return found;
}

// The dark pixels of a caption button as the screen shows them, inside its edges.
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

// The dark pixels of `rect` (screen coordinates), cut to their bounding box.
Glyph ReadGlyph(const RECT& rect)
{
    ScopedDc screen(nullptr);
    int left = rect.right, top = rect.bottom, right = rect.left, bottom = rect.top;
    auto isDark = [&](int x, int y) {
        const COLORREF c = ::GetPixel(screen.Get(), x, y);
        return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 80;
    };
    for (int y = rect.top + 2; y < rect.bottom - 2; ++y) {
        for (int x = rect.left + 2; x < rect.right - 2; ++x) {
            if (!isDark(x, y)) continue;
            left = (std::min)(left, x), top = (std::min)(top, y);
            right = (std::max)(right, x + 1), bottom = (std::max)(bottom, y + 1);
        }
    }
    Glyph glyph;
    if (right <= left || bottom <= top) return glyph;
    glyph.width = right - left;
    glyph.height = bottom - top;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) glyph.dark.push_back(isDark(x, y));
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
                EXPECT_LE(label.needed, label.available)
                    << "\"" << Narrow(label.text) << "\" needs " << label.needed << " pixels, its control has " << label.available;
            }
        }
        EXPECT_GE(labels, 6) << "the Edit and Group Edit pages' labels were measured";
    });
}

TEST(DialogLook, CaptionButtonsAreMarlettSymbols)
{
    {
        ScopedDc screen(nullptr);
        LOGFONTW wanted = {};
        wanted.lfHeight = -13;
        wanted.lfCharSet = SYMBOL_CHARSET;
        wcscpy(wanted.lfFaceName, L"Marlett");
        HFONT marlett = ::CreateFontIndirectW(&wanted);
        ASSERT_NE(nullptr, marlett);
        EXPECT_EQ(L"Marlett", RealizedFamily(screen.Get(), marlett)) << "GDI has Marlett";
        ::DeleteObject(marlett);
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

        const RECT maximize = PartRect(dialog, HTMAXBUTTON);
        ASSERT_LT(maximize.left, maximize.right) << "the dialog has a maximise box";
        const Glyph box = ReadGlyph(maximize);
        EXPECT_GE(box.Count(), 8) << "the maximise box shows a symbol";
        EXPECT_GE(box.Symmetry(true), 0.9) << "the maximise box shows a window, not a letter:" << box.Picture();
    });
}

} // namespace
