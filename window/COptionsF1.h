// COptionsF1: the General page of the Options sheet. Its drop-down list
// offers the tab that a double-click on a note brings to the front: "None",
// "View" or "Edit". OK and Apply hand the choice to m_onApply; Cancel
// hands over nothing.
#pragma once

#include <functional>

#include "framework/CComboBox.h"
#include "framework/CPropertyPage.h"
#include "window/DoubleClickPage.h"

class COptionsF1 : public CPropertyPage {
public:
    COptionsF1();

    // The choice the list shows when the page opens; after OK or Apply, the one made.
    DoubleClickPage m_doubleClickPage = DoubleClickPage::None;
    std::function<void(DoubleClickPage)> m_onApply;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void OnShowPageChange();

    DECLARE_MESSAGE_MAP()

private:
    CComboBox m_showPage;
};
