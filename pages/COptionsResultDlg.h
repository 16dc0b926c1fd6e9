// COptionsResultDlg: the Results page, one empty list in report view.
#pragma once

#include "pages/COptionsDlg.h"

class COptionsResultDlg : public COptionsDlg {
public:
    COptionsResultDlg();
    void ResetPage(bool databaseOpen) override;

protected:
    void AnchorControls(CResizeCtrl& resize) override;
};
