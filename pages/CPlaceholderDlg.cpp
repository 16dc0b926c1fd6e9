// The question for a query's blanks: rows made at run time, one per name.
#include "pages/CPlaceholderDlg.h"

#include "framework/Clipboard.h"
#include "pages/PlaceholderMemory.h"
#include "res/resource.h"

namespace {

// In dialog units: a row's height, the name's width, the gap between them.
constexpr int kRowHeight = 18;
constexpr int kNameWidth = 80;
constexpr int kGap = 6;

// A rectangle in dialog units, in pixels of this dialog.
RECT DialogRect(HWND dialog, int left, int top, int width, int height)
{
    RECT rect{left, top, left + width, top + height};
    ::MapDialogRect(dialog, &rect);
    return rect;
}

void MoveBy(HWND dialog, int id, int dy)
{
    HWND control = ::GetDlgItem(dialog, id);
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    ::SetWindowPos(control, nullptr, rect.left, rect.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

CPlaceholderDlg::CPlaceholderDlg(CWnd* parent, const std::wstring& query, std::vector<std::wstring> names,
                                 PlaceholderValues values, const wchar_t* acceptText)
    : CDialog(IDD_PLACEHOLDERS, parent), m_query(query), m_names(std::move(names)), m_values(std::move(values)),
      m_acceptText(acceptText)
{
}

BOOL CPlaceholderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The box shows its lines only with Windows line ends.
    ::SetDlgItemTextW(m_hWnd, IDC_PLACEHOLDER_QUERY, WithWindowsLineEnds(m_query).c_str());
    ::SetDlgItemTextW(m_hWnd, IDOK, m_acceptText);

    HWND after = ::GetDlgItem(m_hWnd, IDC_PLACEHOLDER_QUERY);
    HWND first = nullptr;
    for (size_t i = 0; i < m_names.size(); ++i) {
        after = AddRow(i, after);
        if (!first) first = after;
    }
    // The buttons and the dialog's bottom move down by the rows added.
    const RECT grow = DialogRect(m_hWnd, 0, 0, 0, static_cast<int>(m_names.size()) * kRowHeight);
    MoveBy(m_hWnd, IDOK, grow.bottom);
    MoveBy(m_hWnd, IDCANCEL, grow.bottom);
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + grow.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (first) {
        ::SetFocus(first);
        ::SendMessageW(first, EM_SETSEL, 0, -1);
        return FALSE;
    }
    return TRUE;
}

HWND CPlaceholderDlg::AddRow(size_t index, HWND after)
{
    RECT query;
    ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_PLACEHOLDER_QUERY), &query);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&query), 2);
    const RECT unit = DialogRect(m_hWnd, kGap, kRowHeight, kNameWidth, 12);
    const int top = query.bottom + unit.left + static_cast<int>(index) * unit.top;
    const int nameWidth = unit.right - unit.left;
    const int boxLeft = query.left + nameWidth + unit.left;
    const HFONT font = GetFont();
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(m_hWnd, GWLP_HINSTANCE));
    const int id = IDC_PLACEHOLDER_FIRST + static_cast<int>(index) * 2;

    HWND name = ::CreateWindowExW(0, L"STATIC", (m_names[index] + L":").c_str(), WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_NOPREFIX,
                                  query.left, top + 2, nameWidth, unit.bottom - unit.top, m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    const std::wstring* value = m_values.Find(m_names[index]);
    HWND box = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", value ? value->c_str() : L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, boxLeft, top,
                                 query.right - boxLeft, unit.bottom - unit.top, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id + 1)), instance, nullptr);
    for (HWND control : {name, box}) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // Tab goes from the query through the rows to the buttons.
        ::SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = control;
    }
    return box;
}

void CPlaceholderDlg::OnOK()
{
    for (size_t i = 0; i < m_names.size(); ++i) {
        HWND box = ::GetDlgItem(m_hWnd, IDC_PLACEHOLDER_FIRST + static_cast<int>(i) * 2 + 1);
        std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(box)) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(box, &text[0], static_cast<int>(text.size()))));
        m_values.Set(m_names[i], text);
    }
    CDialog::OnOK();
}

bool AskForPlaceholders(CWnd* parent, const CString& databasePath, const std::wstring& query, const wchar_t* acceptText,
                        PlaceholderValues& values)
{
    values = PlaceholderValues();
    std::vector<std::wstring> names = FindPlaceholders(query);
    if (names.empty()) return true;
    CPlaceholderDlg dialog(parent, query, names, LoadPlaceholderValues(databasePath), acceptText);
    if (dialog.DoModal() != IDOK) return false;
    values = dialog.Values();
    SavePlaceholderValues(databasePath, names, values);
    return true;
}
