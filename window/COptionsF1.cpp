// COptionsF1: template 1025, caption string 15.
#include "window/COptionsF1.h"

#include "res/resource.h"

COptionsF1::COptionsF1() : CPropertyPage(IDD_OPTIONS_GENERAL)
{
    Construct(IDD_OPTIONS_GENERAL, IDS_OPTIONS_GENERAL);
}

BOOL COptionsF1::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}
