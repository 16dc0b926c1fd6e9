// COptionsDlg: the base of the tab pages. It records the dialog the page was
// created in and reaches that dialog's database and host link through it,
// and asks about unsaved changes before the page's note or group is left.
#pragma once

#include "controls/CResizeCtrl.h"
#include "controls/CTabPageSSL.h"
#include "framework/CString.h"

class CDatabase;
class IHostLink;
class IPageOwner;

class COptionsDlg : public CTabPageSSL {
public:
    explicit COptionsDlg(UINT templateId) : CTabPageSSL(templateId) {}

    // Creates the page window; only on success is `parent` its owning dialog.
    BOOL Create(UINT templateId, CWnd* parent) override;
    virtual void ResetPage(bool databaseOpen) = 0;
    virtual void ShowItem(int noteId, int reserved);
    virtual CDatabase& GetDatabase();
    virtual IHostLink* GetHostLink();
    // From now on the page's controls follow the page's size as its tab
    // control grows and shrinks, starting from their places at this size.
    void FollowPageSize();

    // Whether the note or group on the page may be left. With unsaved
    // changes the user is asked "Save changes to ...?": Yes saves and allows
    // it only when the save succeeded, No allows it without saving (the
    // changes are dropped), Cancel keeps the page as it is and refuses.
    bool ConfirmLeave();
    // The database may have changed under the page (a synchronization, an
    // import): the page shows what is stored now.
    virtual void ReloadItem() {}

protected:
    // Escape anywhere on a page cancels a run, as on the dialog.
    BOOL PreTranslateMessage(MSG* msg) override;
    IPageOwner* Owner() const { return m_owner; }
    // Registers the page's controls with their shares of its size change.
    virtual void AnchorControls(CResizeCtrl& resize);
    // Registers control `id` and the label just before it in the tab order,
    // which moves as the control's left and top edges do and keeps its size.
    void AnchorWithLabel(CResizeCtrl& resize, int id, int leftShare, int topShare, int widthShare, int heightShare);

    // What ConfirmLeave needs of a page that edits something.
    virtual bool HasUnsavedChanges() const { return false; }
    // "the note "Daily totals"", as the question names it.
    virtual CString UnsavedSubject() const { return CString(); }
    virtual bool SaveChanges() { return true; }
    virtual void DiscardChanges() {}

private:
    CResizeCtrl m_resize;  // the page's controls' anchors
    IPageOwner* m_owner = nullptr;  // the owning dialog; not owned, unset until Create succeeds
};
