// COptionsGroupEditDlg: the Group Edit page: picks or names a group, writes
// its description, saves, renames or deletes it. Group 0 is never listed
// here. The page remembers the group chosen from the list as it was stored,
// so that Save never writes over a newer version, and as it was shown, so
// that leaving it with unsaved changes asks first.
#pragma once

#include "framework/CButton.h"
#include "pages/CGroupCombo.h"
#include "pages/COptionsDlg.h"

class COptionsGroupEditDlg : public COptionsDlg {
public:
    COptionsGroupEditDlg();

    void ResetPage(bool databaseOpen) override;
    void ReloadItem() override;
    void UpdateGroupList(int groupId, const CString& name, bool removed);
    void RenameGroupInList(int groupId, const CString& name) { m_groupCombo.RenameGroup(groupId, name); }
    // The group list's drawing, off while many groups change at once.
    void SetGroupListDrawing(bool on) { m_groupCombo.SetDrawing(on); }
    // Stores `description` as group `groupId`'s, edited elsewhere (the note
    // list) from `seen`, with the checks of Save. False when nothing was
    // stored; `shown` then holds what the group's description should show.
    bool SaveDescription(int groupId, const CString& seen, const CString& description, CString& shown);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void AnchorControls(CResizeCtrl& resize) override;
    void OnGroupSelChange();
    void OnSave();
    void OnRename();
    void OnDelete();
    bool HasUnsavedChanges() const override;
    CString UnsavedSubject() const override;
    bool SaveChanges() override { return Save(true); }
    void DiscardChanges() override;
    DECLARE_MESSAGE_MAP()

private:
    CString PageName() const;
    CString PageDescription() const;
    // Shows group `groupId` as stored; the page then holds no unsaved change.
    void Load(int groupId, const CString& name, const CString& description);
    // With `confirmed`, the user has already agreed to save this group.
    bool Save(bool confirmed);
    // Whether Save may go over group `groupId` as stored: asks when the
    // database holds another version than the page read, and shows that
    // version when the user chooses it.
    bool MayOverwrite(int groupId, const CString& name);

    CGroupCombo m_groupCombo;
    CButton m_saveButton;
    CButton m_renameButton;
    CButton m_deleteButton;
    int m_groupId = -1;  // the group chosen from the list or last saved; -1 for none
    CString m_storedName, m_storedDescription;  // that group as last read or written
    CString m_shownName, m_shownDescription;    // the page's texts when it last loaded, saved or was reset
};
