// COptionsResultDlg: nothing is ever shown in its list.
#include "pages/COptionsResultDlg.h"

#include "res/resource.h"

COptionsResultDlg::COptionsResultDlg() : COptionsDlg(IDD_PAGE_RESULTS) {}

void COptionsResultDlg::ResetPage(bool) {}

void COptionsResultDlg::AnchorControls(CResizeCtrl& resize) { resize.Add(IDC_RESULTS_LIST, 0, 0, 100, 100); }
