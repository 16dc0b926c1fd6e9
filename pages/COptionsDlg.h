// COptionsDlg: the base of the tab pages. It records the dialog the page was
// created in and reaches that dialog's database and host link through it,
// and asks about unsaved changes before the page's note or group is left.
#pragma once

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

    // Whether the note or group on the page may be left. With unsaved
    // changes the user is asked "Save changes to ...?": Yes saves and allows
    // it only when the save succeeded, No allows it without saving (the
    // changes are dropped), Cancel keeps the page as it is and refuses.
    bool ConfirmLeave();
    // The database may have changed under the page (a synchronization, an
    // import): the page shows what is stored now.
    virtual void ReloadItem() {}

protected:
    IPageOwner* Owner() const { return m_owner; }

    // What ConfirmLeave needs of a page that edits something.
    virtual bool HasUnsavedChanges() const { return false; }
    // "the note "Daily totals"", as the question names it.
    virtual CString UnsavedSubject() const { return CString(); }
    virtual bool SaveChanges() { return true; }
    virtual void DiscardChanges() {}

private:
    IPageOwner* m_owner = nullptr;  // the owning dialog; not owned, unset until Create succeeds
};
