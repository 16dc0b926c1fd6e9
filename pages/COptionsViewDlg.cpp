// COptionsViewDlg: shows a note's query; its text box is its only state.
#include "pages/COptionsViewDlg.h"

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "pages/StoreReports.h"
#include "res/resource.h"
#include "store/records/NoteRecords.h"
#include "store/records/StoreOutcome.h"

BEGIN_MESSAGE_MAP(COptionsViewDlg, COptionsDlg)
    ON_BN_CLICKED(IDC_VIEW_EXECUTE, OnExecute)
END_MESSAGE_MAP()

COptionsViewDlg::COptionsViewDlg() : COptionsDlg(IDD_PAGE_VIEW) {}

void COptionsViewDlg::DoDataExchange(CDataExchange* dx)
{
    COptionsDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_VIEW_EXECUTE, m_executeButton);
}

// The query takes what the page gains; Execute stays at the bottom left.
void COptionsViewDlg::AnchorControls(CResizeCtrl& resize)
{
    resize.Add(IDC_VIEW_QUERY, 0, 0, 100, 100);
    resize.Add(IDC_VIEW_EXECUTE, 0, 100, 0, 0);
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

void COptionsViewDlg::OnExecute() { AfxMessageBox(L"Exec button clicked!", MB_ICONINFORMATION); }
