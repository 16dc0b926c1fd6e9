// GDI wrappers: owning objects, DC views, the DCs of a window, and the views
// that FromHandle and the typed SelectObject hand out.
#include "Gdi.h"

#include <cstdlib>
#include <memory>
#include <unordered_map>
#include <utility>

#include "AttachHandle.h"
#include "CException.h"
#include "CWnd.h"
#include "ModuleState.h"

namespace {

// A view forgets its handle before the owning destructor could delete it.
template <typename T>
struct View : T {
    ~View() override { this->m_hObject = nullptr; }
};
// A CDC made by Attach never deletes its DC.
template <>
struct View<CDC> : CDC {};

// Views handed out by FromHandle: one per handle and type, never deleting the
// handle. Views of handles that are gone are pruned now and then, so the
// table holds about as many entries as there are live objects.
template <typename T, typename Handle>
T* ViewOf(Handle handle)
{
    if (!handle) return nullptr;
    static std::unordered_map<Handle, std::unique_ptr<View<T>>> views;
    if (auto found = views.find(handle); found != views.end()) return found->second.get();
    if (views.size() > 512) {
        for (auto it = views.begin(); it != views.end();) {
            if (::GetObjectType(it->first) == 0) it = views.erase(it);
            else ++it;
        }
    }
    auto& view = views[handle];
    view = std::make_unique<View<T>>();
    view->Attach(handle);
    return view.get();
}

bool IsStockObject(HGDIOBJ object)
{
    for (int index = WHITE_BRUSH; index <= DC_PEN; ++index)
        if (::GetStockObject(index) == object) return true;
    return false;
}

} // namespace

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other) {
        DeleteObject();
        m_hObject = other.Detach();
    }
    return *this;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) { return ViewOf<CGdiObject>(object); }

// The typed views come from the same table of views as CGdiObject's, one
// table per type; each typed object is instantiated here, beside that table.
template <class Derived, class Handle>
Derived* CTypedGdiObject<Derived, Handle>::FromHandle(Handle handle)
{
    return ViewOf<Derived>(handle);
}

template class CTypedGdiObject<CPen, HPEN>;
template class CTypedGdiObject<CBrush, HBRUSH>;
template class CTypedGdiObject<CFont, HFONT>;
template class CTypedGdiObject<CBitmap, HBITMAP>;
template class CTypedGdiObject<CRgn, HRGN>;

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    return AttachHandle(m_hObject, object, [this] { DeleteObject(); });
}

HGDIOBJ CGdiObject::Detach() { return std::exchange(m_hObject, nullptr); }

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject) return FALSE;
    HGDIOBJ object = Detach();
    if (IsStockObject(object)) return TRUE;
    // A system colour brush is shared by the whole process and is never deleted.
    if (::GetObjectType(object) == OBJ_BRUSH) {
        for (int index = 0; index <= COLOR_MENUBAR; ++index)
            if (::GetSysColorBrush(index) == object) return TRUE;
    }
    return ::DeleteObject(object);
}

BOOL CGdiObject::CreateStockObject(int index) { return Attach(::GetStockObject(index)); }

CPen::CPen(int penStyle, int width, COLORREF color)
{
    if (!CreatePen(penStyle, width, color)) AfxThrowResourceException();
}

CBrush::CBrush(COLORREF color)
{
    if (!CreateSolidBrush(color)) AfxThrowResourceException();
}

CBrush::CBrush(int hatchIndex, COLORREF color)
{
    if (!CreateHatchBrush(hatchIndex, color)) AfxThrowResourceException();
}

BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    return bitmap ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(bitmap->m_hObject))) : FALSE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                       BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, LPCWSTR faceName)
{
    return Attach(::CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                                outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}

BOOL CFont::CreatePointFont(int pointSize, LPCWSTR faceName, CDC* dc)
{
    LOGFONTW logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = pointSize;
    if (faceName) ::lstrcpynW(logFont.lfFaceName, faceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* logFont, CDC* dc)
{
    HDC screen = nullptr;
    HDC target = dc ? dc->m_hDC : (screen = ::GetDC(nullptr));
    // lfHeight comes in tenths of a point: convert to the DC's logical units.
    LOGFONTW converted = *logFont;
    POINT height = { 0, ::MulDiv(::GetDeviceCaps(target, LOGPIXELSY), logFont->lfHeight, 720) };
    POINT origin = { 0, 0 };
    ::DPtoLP(target, &height, 1);
    ::DPtoLP(target, &origin, 1);
    converted.lfHeight = -std::abs(height.y - origin.y);
    if (screen) ::ReleaseDC(nullptr, screen);
    return CreateFontIndirect(&converted);
}

BOOL CBitmap::LoadBitmap(UINT resourceId) { return LoadBitmap(MAKEINTRESOURCEW(resourceId)); }

BOOL CBitmap::LoadBitmap(LPCWSTR resourceName) { return Attach(::LoadBitmapW(AfxGetResourceHandle(), resourceName)); }

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return dc ? Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height)) : FALSE;
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {};
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return size;
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), a ? static_cast<HRGN>(a->m_hObject) : nullptr,
                        b ? static_cast<HRGN>(b->m_hObject) : nullptr, mode);
}

int CRgn::CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }

BOOL CRgn::EqualRgn(const CRgn* other) const
{
    return other && ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(other->m_hObject));
}

// CDC

CDC::~CDC() { DeleteDC(); }

CDC* CDC::FromHandle(HDC dc) { return ViewOf<CDC>(dc); }

BOOL CDC::Attach(HDC dc) { return Hold(dc, false); }

HDC CDC::Detach()
{
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_owned = false;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Hold(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr), true); }

BOOL CDC::DeleteDC()
{
    if (!m_hDC) return FALSE;
    const bool owned = m_owned;
    HDC dc = Detach();
    return owned ? ::DeleteDC(dc) : TRUE;
}

BOOL CDC::Hold(HDC dc, bool owned)
{
    const BOOL held = AttachHandle(m_hDC, dc, [this] { DeleteDC(); });
    if (held) m_owned = owned;
    return held;
}

CPen* CDC::SelectObject(CPen* pen)
{
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen ? pen->m_hObject : nullptr)));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush ? brush->m_hObject : nullptr)));
}

CFont* CDC::SelectObject(CFont* font)
{
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font ? font->m_hObject : nullptr)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap ? bitmap->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    HGDIOBJ previous = ::SelectObject(m_hDC, object ? object->m_hObject : nullptr);
    return previous == HGDI_ERROR ? nullptr : CGdiObject::FromHandle(previous);
}

int CDC::SelectObject(CRgn* region)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, region ? region->m_hObject : nullptr)));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    HGDIOBJ stock = ::GetStockObject(index);
    return stock ? CGdiObject::FromHandle(::SelectObject(m_hDC, stock)) : nullptr;
}

namespace {

// Calls one of the DC's point setters (SetViewportOrgEx, MoveToEx, ...) and
// returns the point it held before.
CPoint SetPoint(BOOL(WINAPI* setter)(HDC, int, int, LPPOINT), HDC dc, int x, int y)
{
    POINT previous = {};
    setter(dc, x, y, &previous);
    return previous;
}

// Returns the point one of the DC's getters (GetViewportOrgEx, ...) reads.
CPoint GetPoint(BOOL(WINAPI* getter)(HDC, LPPOINT), HDC dc)
{
    POINT point = {};
    getter(dc, &point);
    return point;
}

} // namespace

CPoint CDC::SetViewportOrg(int x, int y) { return SetPoint(::SetViewportOrgEx, m_hDC, x, y); }
CPoint CDC::GetViewportOrg() const { return GetPoint(::GetViewportOrgEx, m_hDC); }
CPoint CDC::SetWindowOrg(int x, int y) { return SetPoint(::SetWindowOrgEx, m_hDC, x, y); }
CPoint CDC::GetWindowOrg() const { return GetPoint(::GetWindowOrgEx, m_hDC); }
CPoint CDC::SetBrushOrg(int x, int y) { return SetPoint(::SetBrushOrgEx, m_hDC, x, y); }
CPoint CDC::MoveTo(int x, int y) { return SetPoint(::MoveToEx, m_hDC, x, y); }

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    const RECT rect = { x, y, x + cx, y + cy };
    FillSolidRect(&rect, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

BOOL CDC::FillRgn(CRgn* region, CBrush* brush)
{
    return ::FillRgn(m_hDC, static_cast<HRGN>(region->m_hObject), static_cast<HBRUSH>(brush->m_hObject));
}

BOOL CDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height)
{
    return ::FrameRgn(m_hDC, static_cast<HRGN>(region->m_hObject), static_cast<HBRUSH>(brush->m_hObject), width, height);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSource, ySource, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, int sourceWidth,
                     int sourceHeight, DWORD rop)
{
    return ::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, xSource, ySource, sourceWidth,
                        sourceHeight, rop);
}

CSize CDC::GetTextExtent(LPCWSTR text, int count) const
{
    SIZE size = {};
    ::GetTextExtentPoint32W(m_hDC, text, count, &size);
    return size;
}

BOOL CDC::DrawState(CPoint point, CSize size, HICON icon, UINT flags, HBRUSH brush)
{
    return ::DrawStateW(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(icon), 0, point.x, point.y, size.cx, size.cy,
                        flags | DST_ICON);
}

BOOL CDC::DrawState(CPoint point, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush)
{
    return ::DrawStateW(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, point.x, point.y, size.cx, size.cy,
                        flags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint point, CSize size, LPCWSTR text, UINT flags, BOOL prefixText, int textLength, HBRUSH brush)
{
    return ::DrawStateW(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(text), static_cast<WPARAM>(textLength),
                        point.x, point.y, size.cx, size.cy, flags | (prefixText ? DST_PREFIXTEXT : DST_TEXT));
}

// The DCs of a window.

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps))) AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    if (m_hDC) {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    if (!Attach(::GetDC(m_hWnd))) AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    if (!Attach(::GetWindowDC(m_hWnd))) AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
