// CFileDialog: builds OPENFILENAMEW from the framework's arguments and runs
// the system's Open or Save As dialog.
#include "CFileDialog.h"

namespace {

constexpr size_t kFileBufferLength = 0x8000;  // room for long paths and multiple selections

// The top-level window that should own a modal dialog shown over `parent`.
HWND TopLevelOwner(CWnd* parent)
{
    HWND owner = parent ? parent->m_hWnd : ::GetActiveWindow();
    while (owner && (::GetWindowLongW(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
    return owner;
}

} // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defaultExt, LPCWSTR fileName, DWORD flags, LPCWSTR filter,
                         CWnd* parent, DWORD size)
    : m_ofn(), m_bOpenFileDialog(openFileDialog), m_file(kFileBufferLength, L'\0'), m_title(MAX_PATH, L'\0')
{
    m_pParentWnd = parent;
    m_ofn.lStructSize = size ? size : static_cast<DWORD>(sizeof(OPENFILENAMEW));
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    m_ofn.lpstrFileTitle = m_title.data();
    m_ofn.nMaxFileTitle = static_cast<DWORD>(m_title.size());
    if (fileName) ::lstrcpynW(m_file.data(), fileName, static_cast<int>(m_file.size()));

    if (defaultExt) {
        // The system wants the extension without its dot.
        m_defaultExt = defaultExt[0] == L'.' ? defaultExt + 1 : defaultExt;
        m_ofn.lpstrDefExt = m_defaultExt.c_str();
    }
    if (filter && *filter) {
        // "Name|*.ext|Name|*.ext||" becomes "Name\0*.ext\0Name\0*.ext\0\0".
        m_filter = filter;
        for (wchar_t& ch : m_filter)
            if (ch == L'|') ch = L'\0';
        m_filter.append(2, L'\0');
        m_ofn.lpstrFilter = m_filter.c_str();
    }
}

INT_PTR CFileDialog::DoModal()
{
    if (!m_ofn.hwndOwner) m_ofn.hwndOwner = TopLevelOwner(m_pParentWnd);
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return m_ofn.lpstrFile ? CString(m_ofn.lpstrFile) : CString(); }

CString CFileDialog::GetFileName() const
{
    const CString path = GetPathName();
    int start = 0;
    for (int i = 0; i < path.GetLength(); ++i) {
        const wchar_t ch = path.GetAt(i);
        if (ch == L'\\' || ch == L'/' || ch == L':') start = i + 1;
    }
    return path.Mid(start);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}
