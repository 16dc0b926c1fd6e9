// COptionsResultDlg: nothing is ever shown in its list.
#include "pages/COptionsResultDlg.h"

#include "res/resource.h"

COptionsResultDlg::COptionsResultDlg() : COptionsDlg(IDD_PAGE_RESULTS) {}

void COptionsResultDlg::ResetPage(bool) {}
