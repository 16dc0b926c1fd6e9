// The grid's test dialog: an in-memory template, the loop steps and helpers.
#include "tests/grid/GridTestDialog.h"

#include "framework/DataExchange.h"
#include "framework/Gdi.h"

#include <vector>

BEGIN_MESSAGE_MAP(CGridTestDialog, CDialog)
    ON_MESSAGE(CSuperGridCtrl::WM_GRID_DOUBLECLICK, OnGridDoubleClick)
END_MESSAGE_MAP()

namespace {

// Builds a DLGTEMPLATE with DS_SETFONT and its items, as a resource compiler would.
class CTemplateBuilder {
public:
    void Dialog(DWORD style, short cx, short cy, WORD items)
    {
        DWORD header[2] = {style | DS_SETFONT, 0};
        Append(header, sizeof header);
        Word(items);
        Word(0);
        Word(0);
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(0);  // no menu
        Word(0);  // default class
        Text(L"Grid test");
        Word(8);
        Text(L"MS Shell Dlg");
    }
    void Item(const wchar_t* className, DWORD style, short x, short y, short cx, short cy, WORD id)
    {
        while (m_words.size() % 2) Word(0);
        DWORD header[2] = {style, 0};
        Append(header, sizeof header);
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Text(className);
        Text(L"");
        Word(0);  // no creation data
    }
    LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(m_words.data()); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Text(const wchar_t* text)
    {
        do Word(static_cast<WORD>(*text)); while (*text++);
    }
    void Append(const void* data, size_t bytes)
    {
        const WORD* words = static_cast<const WORD*>(data);
        m_words.insert(m_words.end(), words, words + bytes / 2);
    }
    std::vector<WORD> m_words;
};

}  // namespace

bool CGridTestDialog::Open()
{
    CTemplateBuilder builder;
    builder.Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU, 420, 200, m_withList ? 2 : 1);
    if (m_withList) {
        builder.Item(L"SysListView32", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_ALIGNLEFT, 7, 7,
                     402, 150, IDC_GRID_TEST_LIST);
    }
    builder.Item(L"Edit", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 170, 100, 14, IDC_GRID_TEST_EDIT);
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), builder.Get(), nullptr, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (!hWnd) return false;
    ::ShowWindow(hWnd, SW_SHOW);
    ::SetForegroundWindow(hWnd);
    PumpMessages(hWnd);
    return true;
}

BOOL CGridTestDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CGridTestDialog::DoDataExchange(CDataExchange* dx)
{
    if (m_withList) DDX_Control(dx, IDC_GRID_TEST_LIST, m_grid);
}

LRESULT CGridTestDialog::OnGridDoubleClick(WPARAM wParam, LPARAM)
{
    ++m_doubleClicks;
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(wParam);
    m_lastDoubleClickHadRecord = activate != nullptr;
    m_lastDoubleClickItem = activate ? activate->iItem : -2;
    return 0;
}

void PumpMessages(HWND dialog)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!CWnd::WalkPreTranslateTree(dialog, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void PressKey(HWND dialog, UINT virtualKey)
{
    HWND target = ::GetFocus();
    const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    ::PostMessageW(target, WM_KEYDOWN, virtualKey, static_cast<LPARAM>(1 | (scan << 16)));
    ::PostMessageW(target, WM_KEYUP, virtualKey, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
    PumpMessages(dialog);
}

void TypeText(HWND dialog, const wchar_t* text)
{
    for (; *text; ++text) {
        ::PostMessageW(::GetFocus(), WM_CHAR, *text, 1);
        PumpMessages(dialog);
    }
}

void Click(HWND window, int x, int y)
{
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void DoubleClick(HWND window, int x, int y)
{
    Click(window, x, y);
    ::SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void MakeTestImages(CImageList& images)
{
    images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 1);
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255)};
    CClientDC screen(nullptr);
    for (COLORREF colour : colours) {
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, 16, 16);
        CDC memory;
        memory.CreateCompatibleDC(&screen);
        {
            CSelectObject selected(memory, bitmap);
            memory.FillSolidRect(0, 0, 16, 16, colour);
        }
        images.Add(&bitmap, RGB(255, 0, 255));
    }
}

void AddTestColumns(CSuperGridCtrl& grid)
{
    grid.InsertColumn(0, L"Name", LVCFMT_LEFT, 200, 0);
    grid.InsertColumn(1, L"Description", LVCFMT_LEFT, 200, 1);
}

std::unique_ptr<CGridTestDialog> OpenGridDialog(CSuperGridCtrl& grid)
{
    auto dialog = std::make_unique<CGridTestDialog>(grid, true);
    if (!dialog->Open()) return nullptr;
    CImageList images;
    MakeTestImages(images);
    grid.SetImageList(&images, LVSIL_SMALL);
    images.Detach();
    AddTestColumns(grid);
    return dialog;
}

void PrintTo(const CString& text, std::ostream* out)
{
    *out << '"' << Narrow(text) << '"';
}

std::string Narrow(const CString& text)
{
    std::string out;
    for (int i = 0; i < text.GetLength(); ++i) out += static_cast<char>(text.GetAt(i));
    return out;
}

std::string RowTexts(CSuperGridCtrl& grid)
{
    std::string out;
    for (int row = 0; row < grid.GetItemCount(); ++row) {
        if (row) out += ",";
        out += Narrow(grid.GetItemText(row, 0));
    }
    return out;
}

CItemInfo* MakeRecord(const wchar_t* text, const wchar_t* subText, int data, int image)
{
    auto* info = new CItemInfo;
    info->m_text = text;
    if (subText) info->m_subTexts.Add(subText);
    info->m_itemData = data;
    info->m_image = image;
    return info;
}

HWND FindEditor(CSuperGridCtrl& grid)
{
    return ::FindWindowExW(grid.m_hWnd, nullptr, L"Edit", nullptr);
}

CRect RectIn(HWND window, HWND reference)
{
    CRect rect;
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, reference, reinterpret_cast<LPPOINT>(static_cast<LPRECT>(rect)), 2);
    return rect;
}

namespace {

std::vector<CCreationRecorder::Creation> g_creations;

}  // namespace

CCreationRecorder::CCreationRecorder() : m_hook(::SetWindowsHookExW(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId()))
{
    g_creations.clear();
}

CCreationRecorder::~CCreationRecorder()
{
    ::UnhookWindowsHookEx(m_hook);
}

LRESULT CALLBACK CCreationRecorder::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (!IS_INTRESOURCE(cs->lpszClass)) {
            g_creations.push_back({cs->lpszClass, static_cast<int>(reinterpret_cast<INT_PTR>(cs->hMenu)),
                                   static_cast<DWORD>(cs->style)});
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

const CCreationRecorder::Creation* CCreationRecorder::Last(const wchar_t* className) const
{
    for (auto it = g_creations.rbegin(); it != g_creations.rend(); ++it) {
        if (lstrcmpiW(it->className.c_str(), className) == 0) return &*it;
    }
    return nullptr;
}
