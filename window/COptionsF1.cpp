// COptionsF1: template 1025, caption string 15; the double-click choice.
#include "window/COptionsF1.h"

#include "framework/DataExchange.h"
#include "framework/ResourceString.h"
#include "res/resource.h"

namespace {

// The list's entries in the order of DoubleClickPage's numbers.
const UINT kChoiceTexts[] = { IDS_SHOW_PAGE_NONE, IDS_TAB_VIEW, IDS_TAB_EDIT };

} // namespace

BEGIN_MESSAGE_MAP(COptionsF1, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_OPTIONS_SHOW_PAGE, OnShowPageChange)
END_MESSAGE_MAP()

COptionsF1::COptionsF1() : CPropertyPage(IDD_OPTIONS_GENERAL)
{
    Construct(IDD_OPTIONS_GENERAL, IDS_OPTIONS_GENERAL);
}

void COptionsF1::DoDataExchange(CDataExchange* dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_OPTIONS_SHOW_PAGE, m_showPage);
}

BOOL COptionsF1::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    for (UINT text : kChoiceTexts) m_showPage.AddString(LoadResourceString(text));
    m_showPage.SetCurSel(static_cast<int>(m_doubleClickPage));
    return TRUE;
}

BOOL COptionsF1::OnApply()
{
    DoubleClickPage chosen = m_doubleClickPage;
    const int selected = m_showPage.GetCurSel();
    if (selected >= 0 && DoubleClickPageFromNumber(static_cast<unsigned long>(selected), chosen)) m_doubleClickPage = chosen;
    if (m_onApply) m_onApply(m_doubleClickPage);
    return CPropertyPage::OnApply();
}

void COptionsF1::OnShowPageChange() { SetModified(TRUE); }
