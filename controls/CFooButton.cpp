// CFooButton: attaching, the setters, mouse handling, the drop-down menu,
// the drawing of every type, and the state shared by all buttons (the live
// count, "GradientFill" from msimg32.dll and the radio groups).
#include "CFooButton.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <vector>

#include "FooButtonGeometry.h"
#include "framework/CMenu.h"
#include "framework/Gdi.h"

namespace {

using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

// What all buttons of the process share; made with the first live button
// and released with the last one.
class SharedButtonState {
public:
    SharedButtonState()
    {
        m_library = ::LoadLibraryW(L"msimg32.dll");
        // Through void (*)(): the address is typed only once it is known to exist.
        if (m_library)
            m_gradientFill = reinterpret_cast<GradientFillFn>(
                reinterpret_cast<void (*)()>(::GetProcAddress(m_library, "GradientFill")));
    }
    ~SharedButtonState()
    {
        m_gradientFill = nullptr;
        if (m_library) ::FreeLibrary(m_library);
    }
    SharedButtonState(const SharedButtonState&) = delete;
    SharedButtonState& operator=(const SharedButtonState&) = delete;

    GradientFillFn GradientFill() const { return m_gradientFill; }
    // Radio groups: group name to the member windows.
    std::map<CString, std::vector<HWND>> m_groups;

private:
    HMODULE m_library = nullptr; // owned: freed with the state
    GradientFillFn m_gradientFill = nullptr;
};

int g_liveButtons = 0;
std::unique_ptr<SharedButtonState> g_shared;

RECT ToRect(const ControlRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
ControlRect ToControlRect(const RECT& r) { return ControlRect{r.left, r.top, r.right, r.bottom}; }

void PolylineIn(HDC dc, COLORREF color, std::initializer_list<POINT> points)
{
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 1, color)) return;
    CSelectObject selected(dc, pen.m_hObject);
    std::vector<POINT> line(points);
    ::Polyline(dc, line.data(), static_cast<int>(line.size()));
}

} // namespace

BEGIN_MESSAGE_MAP(CFooButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_SETFOCUS()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CFooButton::CFooButton()
{
    m_textColor = ::GetSysColor(COLOR_BTNTEXT);
    ApplyTextStyle(kFooTextCentered);
    if (g_liveButtons == 0) g_shared = std::make_unique<SharedButtonState>();
    ++g_liveButtons;
}

CFooButton::~CFooButton()
{
    LeaveGroup();
    if (--g_liveButtons == 0) g_shared.reset();
}

int CFooButton::GetLiveCount() { return g_liveButtons; }

bool CFooButton::HasGradientFill() { return g_shared && g_shared->GradientFill(); }

void CFooButton::Repaint()
{
    if (m_hWnd && ::IsWindow(m_hWnd)) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CFooButton::PreSubclassWindow()
{
    if (GetStyle() & 0x0F) m_defaultButton = true;
    ModifyStyle(0x0F, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
    if (!m_groupName.IsEmpty()) RegisterInGroup();
}

void CFooButton::SetType(int type)
{
    if (ApplyType(type)) Repaint();
}

void CFooButton::SetTextStyle(int style)
{
    ApplyTextStyle(style);
    Repaint();
}

void CFooButton::SetBitmap(UINT bitmapId, COLORREF maskColor)
{
    m_bitmapId = bitmapId;
    m_maskColor = maskColor;
    Repaint();
}

void CFooButton::ClearBitmap()
{
    ResetBitmap();
    Repaint();
}

void CFooButton::SetDpi(int dpi)
{
    m_dpi = dpi > 0 ? dpi : kFooBaseDpi;
    Repaint();
}

void CFooButton::SetFocusStyle(int style)
{
    m_focusStyle = style;
    Repaint();
}

void CFooButton::SetGradient(bool gradient)
{
    m_gradient = gradient;
    Repaint();
}

void CFooButton::SetTextColor(COLORREF color)
{
    m_textColor = color;
    Repaint();
}

void CFooButton::SetChecked(bool checked)
{
    if (IsCheckable()) {
        m_checked = checked;
        Repaint();
    }
    if (!m_checked || m_groupName.IsEmpty() || !g_shared) return;
    auto group = g_shared->m_groups.find(m_groupName);
    if (group == g_shared->m_groups.end()) return;
    const std::vector<HWND> members = group->second; // unchecking may not change the list under us
    for (HWND member : members) {
        if (member == m_hWnd || !::IsWindow(member)) continue;
        auto* other = dynamic_cast<CFooButton*>(CWnd::FromHandlePermanent(member));
        if (other && other != this && other->m_checked) other->SetChecked(false);
    }
}

void CFooButton::SetRadioGroup(const wchar_t* name)
{
    LeaveGroup();
    m_groupName = name ? name : L"";
    if (!m_groupName.IsEmpty() && m_hWnd) RegisterInGroup();
}

void CFooButton::RegisterInGroup()
{
    if (!g_shared || !m_hWnd) return;
    g_shared->m_groups[m_groupName].push_back(m_hWnd);
    m_groupWindow = m_hWnd;
}

void CFooButton::LeaveGroup()
{
    if (!m_groupWindow || !g_shared) return;
    auto group = g_shared->m_groups.find(m_groupName);
    if (group != g_shared->m_groups.end()) {
        std::vector<HWND>& members = group->second;
        for (auto it = members.begin(); it != members.end(); ++it) {
            if (*it == m_groupWindow) {
                members.erase(it);
                break;
            }
        }
    }
    m_groupWindow = nullptr;
}

bool CFooButton::IsDropDownHit() const { return m_dropDownHit; }

void CFooButton::ClearDropDownState()
{
    if (!IsSplitType()) return;
    m_dropDownHit = false;
    Repaint();
}

UINT CFooButton::ShowDropDownMenu(CMenu* menu)
{
    Repaint();
    if (!menu || !menu->m_hMenu) return 0;
    RECT window;
    GetWindowRect(&window);
    return static_cast<UINT>(::TrackPopupMenu(menu->m_hMenu, TPM_RIGHTBUTTON | TPM_RETURNCMD, window.left,
                                              window.bottom, 0, ::GetParent(m_hWnd), nullptr));
}

BOOL CFooButton::OnEraseBkgnd(HDC dc)
{
    RECT client;
    GetClientRect(&client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    return static_cast<BOOL>(DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
}

void CFooButton::OnKillFocus(CWnd* newWnd)
{
    Repaint();
    DefWindowProc(WM_KILLFOCUS, reinterpret_cast<WPARAM>(newWnd ? newWnd->m_hWnd : nullptr), 0);
}

void CFooButton::OnSetFocus(CWnd* oldWnd)
{
    Repaint();
    DefWindowProc(WM_SETFOCUS, reinterpret_cast<WPARAM>(oldWnd ? oldWnd->m_hWnd : nullptr), 0);
}

void CFooButton::OnLButtonDown(UINT flags, CPoint point)
{
    m_dropDownHit = false;
    if (IsSplitType()) {
        POINT screen = point;
        ClientToScreen(&screen);
        RECT window;
        GetWindowRect(&window);
        m_dropDownHit = IsDropDownPress(ToControlRect(window), screen.x, screen.y);
    }
    DefWindowProc(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

// An owner-drawn button would answer the second press of a quick double
// click with BN_DOUBLECLICKED only; it is a press like the first.
void CFooButton::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

void CFooButton::OnLButtonUp(UINT flags, CPoint point)
{
    if (IsCheckable()) {
        RECT client;
        GetClientRect(&client);
        if (::PtInRect(&client, point)) SetChecked(CheckedAfterRelease());
    }
    // The button reports its click to the parent in here; the parent's
    // handler still reads the drop-down state of this press.
    DefWindowProc(WM_LBUTTONUP, flags, MAKELPARAM(point.x, point.y));
    m_dropDownHit = false;
    Repaint();
}

void CFooButton::OnMouseMove(UINT flags, CPoint point)
{
    if (m_flat && !m_mouseOver) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        m_mouseOver = ::_TrackMouseEvent(&track);
        Repaint();
    }
    DefWindowProc(WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
}

void CFooButton::OnMouseLeave()
{
    m_mouseOver = 0;
    m_dropDownHit = false;
    Repaint();
}

BOOL CFooButton::OnSetCursor(CWnd* window, UINT hitTest, UINT message)
{
    if (m_hyperlink) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    // Other types keep the system's choice of cursor (the class arrow), so
    // that an I-beam or sizing cursor does not stay on over the button.
    return static_cast<BOOL>(
        DefWindowProc(WM_SETCURSOR, reinterpret_cast<WPARAM>(window ? window->m_hWnd : nullptr), MAKELPARAM(hitTest, message)));
}

void CFooButton::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    if (!drawItem) return;
    HDC dc = drawItem->hDC;
    CSaveDC saved(dc);
    const RECT item = drawItem->rcItem;
    RECT client;
    GetClientRect(&client);
    const bool selected = (drawItem->itemState & ODS_SELECTED) != 0;
    const bool disabled = (drawItem->itemState & ODS_DISABLED) != 0;
    const bool focused = (drawItem->itemState & ODS_FOCUS) != 0;

    if (!IsGlyphType()) DrawFace(dc, item, client, selected, disabled);
    int x = DrawBitmap(dc, client, selected, disabled);
    if (IsGlyphType()) x = DrawGlyph(dc, item, x, selected, disabled);
    DrawArrow(dc, client, selected, disabled);
    const int captionRight = DrawCaption(dc, client, x, selected, disabled);
    if (DrawsFocusRect(focused)) {
        const RECT focus = ToRect(FooFocusRect(ToControlRect(client), x, captionRight));
        ::DrawFocusRect(dc, &focus);
    }
    if (DrawsDefaultFrame(focused)) DrawDefaultFrame(dc, item, selected);
}

void CFooButton::DrawFace(HDC dc, const RECT& item, const RECT& client, bool selected, bool disabled)
{
    switch (Face()) {
    case FooFace::None:
        return;
    case FooFace::Frame:
        DrawFramedFace(dc, item, selected, disabled);
        return;
    case FooFace::Flat:
        break;
    }
    if (m_gradient) {
        DrawFramedFace(dc, item, selected, disabled);
        return;
    }
    if (!m_mouseOver) return;
    CDC view;
    view.Attach(dc);
    view.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = ::GetSysColor(COLOR_BTNSHADOW);
    view.Draw3dRect(&client, selected ? dark : light, selected ? light : dark);
    view.Detach();
    if (DrawsPressedDropDown()) DrawPressedDropDown(dc, item);
}

void CFooButton::DrawFramedFace(HDC dc, const RECT& item, bool selected, bool disabled)
{
    const FooFrameState state = FrameState(selected, disabled);
    UINT flags = DFCS_BUTTONPUSH;
    if (state.checked) flags |= DFCS_CHECKED;
    if (state.pushed) flags |= DFCS_PUSHED;
    if (state.inactive) flags |= DFCS_INACTIVE;
    RECT frame = item;
    ::DrawFrameControl(dc, &frame, DFC_BUTTON, flags);
    if (m_gradient) DrawGradient(dc, ToRect(FooGradientRect(ToControlRect(item))), GradientBottomColor());
    if (DrawsPressedDropDown()) DrawPressedDropDown(dc, item);
}

void CFooButton::DrawPressedDropDown(HDC dc, const RECT& item)
{
    RECT part = ToRect(FooPressedDropDownRect(ToControlRect(item), m_dpi));
    ::DrawFrameControl(dc, &part, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_CHECKED);
}

void CFooButton::DrawGradient(HDC dc, const RECT& rect, COLORREF bottom)
{
    if (GradientFillFn fill = g_shared ? g_shared->GradientFill() : nullptr) {
        TRIVERTEX vertices[2] = {};
        vertices[0].x = rect.left;
        vertices[0].y = rect.top;
        vertices[0].Red = vertices[0].Green = vertices[0].Blue = FooVertexChannel(255);
        vertices[1].x = rect.right;
        vertices[1].y = rect.bottom;
        vertices[1].Red = FooVertexChannel(GetRValue(bottom));
        vertices[1].Green = FooVertexChannel(GetGValue(bottom));
        vertices[1].Blue = FooVertexChannel(GetBValue(bottom));
        GRADIENT_RECT span = {0, 1};
        fill(dc, vertices, 2, &span, 1, GRADIENT_FILL_RECT_V);
        return;
    }
    CDC view;
    view.Attach(dc);
    for (int i = 0; i < kFooGradientBands; ++i) {
        const FooGradientBand band = FooFallbackBand(rect.top, rect.bottom, i, bottom);
        if (band.bottom <= band.top) continue;
        const RECT stripe = {rect.left, band.top, rect.right, band.bottom};
        view.FillSolidRect(&stripe, band.color);
    }
    view.Detach();
}

int CFooButton::DrawBitmap(HDC dc, const RECT& client, bool selected, bool disabled)
{
    if (!m_bitmapId) return 0;
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(LOWORD(m_bitmapId))) return 0;
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    const int width = info.bmWidth;
    const int height = info.bmHeight;
    const bool besideCaption = m_textShown || IsGlyphType();
    const bool shift = ShiftsWhenPressed(selected);
    const FooPoint at = FooBitmapOrigin(ToControlRect(client), width, height, besideCaption, shift);

    CDC image;
    if (!image.CreateCompatibleDC(nullptr)) return 0;
    CSelectObject imageBitmap(image.m_hDC, bitmap.m_hObject);
    CSaveDC saved(dc);
    if (disabled) {
        // A black-and-white copy: dark pixels black, light ones (and the key colour) white.
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[2];
        } mono = {};
        mono.header.biSize = sizeof(BITMAPINFOHEADER);
        mono.header.biWidth = width;
        mono.header.biHeight = height;
        mono.header.biPlanes = 1;
        mono.header.biBitCount = 1;
        mono.colors[1] = RGBQUAD{255, 255, 255, 0};
        void* bits = nullptr;
        CBitmap maskBitmap;
        maskBitmap.Attach(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&mono), DIB_RGB_COLORS, &bits, nullptr, 0));
        CDC mask;
        if (!maskBitmap.m_hObject || !mask.CreateCompatibleDC(nullptr)) return at.x - (shift ? 1 : 0) + width;
        CSelectObject maskSelected(mask.m_hDC, maskBitmap.m_hObject);
        ::BitBlt(mask.m_hDC, 0, 0, width, height, image.m_hDC, 0, 0, SRCCOPY);

        const RECT area = {at.x, at.y, at.x + width, at.y + height};
        ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        // Brush where the mask is black, the destination where it is white.
        const DWORD brushWhereBlack = 0x00B8074A;
        {
            CSelectObject brush(dc, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
            ::BitBlt(dc, at.x + 1, at.y + 1, width, height, mask.m_hDC, 0, 0, brushWhereBlack);
        }
        {
            CSelectObject brush(dc, ::GetSysColorBrush(COLOR_BTNSHADOW));
            ::BitBlt(dc, at.x, at.y, width, height, mask.m_hDC, 0, 0, brushWhereBlack);
        }
    } else {
        // Mask: the key colour white, everything else black.
        CBitmap maskBitmap;
        CDC mask;
        if (!maskBitmap.CreateBitmap(width, height, 1, 1, nullptr) || !mask.CreateCompatibleDC(nullptr))
            return at.x - (shift ? 1 : 0) + width;
        CSelectObject maskSelected(mask.m_hDC, maskBitmap.m_hObject);
        ::SetBkColor(image.m_hDC, m_maskColor);
        ::BitBlt(mask.m_hDC, 0, 0, width, height, image.m_hDC, 0, 0, SRCCOPY);
        // The image with its key pixels black, ORed onto a background cleared where the image shows.
        ::SetTextColor(image.m_hDC, RGB(255, 255, 255));
        ::SetBkColor(image.m_hDC, RGB(0, 0, 0));
        ::BitBlt(image.m_hDC, 0, 0, width, height, mask.m_hDC, 0, 0, SRCAND);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::BitBlt(dc, at.x, at.y, width, height, mask.m_hDC, 0, 0, SRCAND);
        ::BitBlt(dc, at.x, at.y, width, height, image.m_hDC, 0, 0, SRCPAINT);
    }
    return at.x - (shift ? 1 : 0) + width;
}

int CFooButton::DrawGlyph(HDC dc, const RECT& item, int x, bool selected, bool disabled)
{
    const int side = ::GetSystemMetrics(SM_CXSIZE) - 5;
    RECT glyph = ToRect(FooGlyphRect(ToControlRect(item), x, side));
    UINT flags = m_type == kFooCheckBox ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO;
    if (m_checked) flags |= DFCS_CHECKED;
    if (selected) flags |= DFCS_PUSHED;
    if (disabled) flags |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &glyph, DFC_BUTTON, flags);
    return glyph.right;
}

void CFooButton::DrawArrow(HDC dc, const RECT& client, bool selected, bool disabled)
{
    if (!DrawsArrow()) return;
    const int colorIndex = disabled ? COLOR_GRAYTEXT : (m_hyperlink ? COLOR_HOTLIGHT : COLOR_BTNTEXT);
    CPen pen;
    if (pen.CreatePen(PS_INSIDEFRAME, 1, ::GetSysColor(colorIndex))) {
        CSelectObject selectedPen(dc, pen.m_hObject);
        const int offset = ArrowOffset(selected);
        for (int row = 0; row < FooArrowRowCount(m_dpi); ++row) {
            const FooArrowRow line = FooArrowRowAt(ToControlRect(client), offset, row, m_dpi);
            ::MoveToEx(dc, line.firstX, line.y, nullptr);
            ::LineTo(dc, line.lastX + 1, line.y);
        }
    }
    if (DrawsSeparator()) {
        RECT separator = ToRect(FooSeparatorRect(ToControlRect(client), m_dpi));
        ::DrawEdge(dc, &separator, BDR_SUNKENOUTER, BF_RECT);
    }
}

int CFooButton::DrawCaption(HDC dc, const RECT& client, int x, bool selected, bool disabled)
{
    const FooCaptionArea area = FooCaptionAreaFor(ToControlRect(client), x, m_textCentered, m_hasArrow, m_split, m_dpi);
    if (!m_textShown || !area.HasRoom()) return area.right;

    UINT format = m_textMultiLine ? (DT_WORDBREAK | DT_VCENTER | DT_WORD_ELLIPSIS)
                                  : (DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if (m_textCentered) format |= DT_CENTER;
    const CString text = GetWindowText();

    CFont underlined; // declared first: deleted only after the DC has its own font back
    CSaveDC saved(dc);
    HFONT windowFont = GetFont();
    if (windowFont) ::SelectObject(dc, windowFont);
    if (m_hyperlink) {
        LOGFONTW logFont = {};
        HGDIOBJ current = ::GetCurrentObject(dc, OBJ_FONT);
        if (::GetObjectW(current, sizeof logFont, &logFont)) {
            logFont.lfUnderline = TRUE;
            if (underlined.CreateFontIndirect(&logFont)) ::SelectObject(dc, underlined.m_hObject);
        }
    }

    RECT measured = client;
    ::DrawTextW(dc, text, -1, &measured, format | DT_CALCRECT);
    RECT caption = ToRect(FooCaptionRect(ToControlRect(client), area, m_textCentered, measured.right - measured.left,
                                         measured.bottom - measured.top, measured.top, ShiftsWhenPressed(selected)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    if (disabled) {
        RECT raised = caption;
        ::OffsetRect(&raised, 1, 1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        ::DrawTextExW(dc, const_cast<wchar_t*>(text.GetString()), -1, &raised, format, nullptr);
        ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    } else {
        ::SetTextColor(dc, m_hyperlink ? kFooHyperlinkColor : m_textColor);
    }
    ::DrawTextExW(dc, const_cast<wchar_t*>(text.GetString()), -1, &caption, format, nullptr);
    return area.right;
}

void CFooButton::DrawDefaultFrame(HDC dc, const RECT& item, bool selected)
{
    HBRUSH frame = ::GetSysColorBrush(COLOR_3DDKSHADOW);
    if (selected) {
        RECT moved = item;
        ::OffsetRect(&moved, -1, -1);
        ::FrameRect(dc, &moved, frame);
    } else {
        const RECT& r = item;
        PolylineIn(dc, ::GetSysColor(COLOR_3DDKSHADOW),
                   {POINT{r.right - 2, r.top + 1}, POINT{r.right - 2, r.bottom - 2}, POINT{r.left, r.bottom - 2}});
        PolylineIn(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT),
                   {POINT{r.right - 3, r.top + 1}, POINT{r.left + 1, r.top + 1}, POINT{r.left + 1, r.bottom - 2}});
        PolylineIn(dc, ::GetSysColor(COLOR_BTNSHADOW),
                   {POINT{r.right - 3, r.top + 2}, POINT{r.right - 3, r.bottom - 3}, POINT{r.left + 1, r.bottom - 3}});
    }
    ::FrameRect(dc, &item, frame);
}
