// COptionsViewDlg: shows a note's query and runs what the box holds.
#include "pages/COptionsViewDlg.h"

#include "framework/DataExchange.h"
#include "framework/Clipboard.h"
#include "framework/MessageBox.h"
#include "pages/CPlaceholderDlg.h"
#include "pages/IPageOwner.h"
#include "pages/StoreReports.h"
#include "res/resource.h"
#include "store/records/NoteRecords.h"
#include "store/records/StoreOutcome.h"

BEGIN_MESSAGE_MAP(COptionsViewDlg, COptionsDlg)
    ON_BN_CLICKED(IDC_VIEW_EXECUTE, OnExecute)
    ON_BN_CLICKED(IDC_VIEW_COPY, OnCopy)
END_MESSAGE_MAP()

COptionsViewDlg::COptionsViewDlg() : COptionsDlg(IDD_PAGE_VIEW) {}

void COptionsViewDlg::DoDataExchange(CDataExchange* dx)
{
    COptionsDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_VIEW_EXECUTE, m_executeButton);
}

// The query takes what the page gains; Copy and Execute stay at the bottom left.
void COptionsViewDlg::AnchorControls(CResizeCtrl& resize)
{
    resize.Add(IDC_VIEW_QUERY, 0, 0, 100, 100);
    resize.Add(IDC_VIEW_EXECUTE, 0, 100, 0, 0);
    resize.Add(IDC_VIEW_COPY, 0, 100, 0, 0);
}

void COptionsViewDlg::ResetPage(bool)
{
    m_noteId = -1;
    // Setting the text of a visible multi-line box costs milliseconds even
    // when it is empty already: the box is cleared only when it holds text.
    if (::GetWindowTextLengthW(::GetDlgItem(m_hWnd, IDC_VIEW_QUERY)) > 0) SetDlgItemText(IDC_VIEW_QUERY, L"");
}

void COptionsViewDlg::ShowItem(int noteId, int)
{
    CString query;
    if (!ReportStoreOutcome(ReadNoteQuery(GetDatabase(), noteId, query), MB_ICONEXCLAMATION, m_hWnd, IDS_NOTE_NOT_FOUND)) return;
    SetDlgItemText(IDC_VIEW_QUERY, query);
    m_noteId = noteId;
}

void COptionsViewDlg::ReloadItem()
{
    if (m_noteId < 0) return;
    CString query;
    const StoreOutcome read = ReadNoteQuery(GetDatabase(), m_noteId, query);
    // A note that is gone shows nothing; the Edit page says so.
    if (read.result == StoreResult::NoRow) {
        m_noteId = -1;
        SetDlgItemText(IDC_VIEW_QUERY, L"");
        return;
    }
    if (ReportStoreOutcome(read, MB_ICONEXCLAMATION)) SetDlgItemText(IDC_VIEW_QUERY, query);
}

void COptionsViewDlg::OnExecute()
{
    if (!Owner()) return;
    if (Owner()->IsQueryRunning()) Owner()->CancelQuery();
    else Owner()->RunQuery(TextToRun());
}

void COptionsViewDlg::Execute()
{
    if (m_executeButton.IsWindowEnabled()) OnExecute();
}

void COptionsViewDlg::OnCopy()
{
    const std::wstring text = TextToRun().GetString();
    PlaceholderValues values;
    if (!AskForPlaceholders(this, Owner() ? Owner()->DatabasePath() : CString(), text, L"Copy", values)) return;
    PutTextOnClipboard(m_hWnd, WithWindowsLineEnds(FillPlaceholders(text, values)));
}

CString COptionsViewDlg::TextToRun() const
{
    const CString text = GetDlgItemText(IDC_VIEW_QUERY);
    DWORD start = 0, end = 0;
    ::SendMessageW(::GetDlgItem(m_hWnd, IDC_VIEW_QUERY), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (end > start && static_cast<int>(end) <= text.GetLength()) return text.Mid(static_cast<int>(start), static_cast<int>(end - start));
    return text;
}

void COptionsViewDlg::ShowRunning(bool running) { m_executeButton.SetWindowText(running ? L"Cancel" : L"&Execute"); }

// F5 and Ctrl+Enter in the query box press Execute (when it is enabled).
BOOL COptionsViewDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->hwnd == ::GetDlgItem(m_hWnd, IDC_VIEW_QUERY)) {
        const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
        if ((msg->wParam == VK_F5 && !ctrl) || (msg->wParam == VK_RETURN && ctrl)) {
            if (m_executeButton.IsWindowEnabled()) OnExecute();
            return TRUE;
        }
    }
    return COptionsDlg::PreTranslateMessage(msg);
}
