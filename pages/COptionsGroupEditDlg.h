// COptionsGroupEditDlg: the Group Edit page: picks or names a group, writes
// its description, saves or deletes it. Group 0 is never listed here.
#pragma once

#include "framework/CButton.h"
#include "pages/CGroupCombo.h"
#include "pages/COptionsDlg.h"

class COptionsGroupEditDlg : public COptionsDlg {
public:
    COptionsGroupEditDlg();

    void ResetPage(bool databaseOpen) override;
    void UpdateGroupList(int groupId, const CString& name, bool removed);
    // The group list's drawing, off while many groups change at once.
    void SetGroupListDrawing(bool on) { m_groupCombo.SetDrawing(on); }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void AnchorControls(CResizeCtrl& resize) override;
    void OnGroupSelChange();
    void OnSave();
    void OnDelete();
    DECLARE_MESSAGE_MAP()

private:
    CGroupCombo m_groupCombo;
    CButton m_saveButton;
    CButton m_deleteButton;
};
