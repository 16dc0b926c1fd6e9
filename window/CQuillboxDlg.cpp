// CQuillboxDlg: creation, menu commands and the ways the dialog ends.
#include "window/CQuillboxDlg.h"

#include "framework/CPropertySheet.h"
#include "res/resource.h"
#include "window/COptionsF1.h"

BEGIN_MESSAGE_MAP(CQuillboxDlg, CDialog)
    ON_COMMAND(ID_FILE_EXIT, OnExit)
    ON_COMMAND(ID_FILE_OPTIONS, OnOptions)
END_MESSAGE_MAP()

CQuillboxDlg::CQuillboxDlg(IHostLink* hostLink) : CDialog(IDD_QUILLBOX, nullptr)
{
    m_hostLink = hostLink;
}

CQuillboxDlg::~CQuillboxDlg() = default;

void CQuillboxDlg::DoDataExchange(CDataExchange* dx) { CDialog::DoDataExchange(dx); }

BOOL CQuillboxDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AttachMenuKeepingClientSize();
    return TRUE;
}

void CQuillboxDlg::AttachMenuKeepingClientSize()
{
    // The menu bar takes its height from the client area; grow the window by
    // as much so that the template's controls stay fully visible.
    CRect before;
    GetClientRect(&before);
    m_menu.LoadMenu(IDR_MAIN_MENU);
    SetMenu(&m_menu);
    CRect after, window;
    GetClientRect(&after);
    GetWindowRect(&window);
    const int lost = before.Height() - after.Height();
    if (lost > 0) SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + lost, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CQuillboxDlg::OnExit() { EndDialog(IDOK); }

void CQuillboxDlg::OnOptions()
{
    // A shell: the sheet keeps and applies nothing.
    CPropertySheet sheet(L"Options", nullptr, 0);
    COptionsF1 general;
    sheet.AddPage(&general);
    sheet.DoModal();
}
