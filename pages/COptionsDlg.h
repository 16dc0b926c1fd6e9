// COptionsDlg: the base of the tab pages. It records the dialog the page was
// created in and reaches that dialog's database and host link through it.
#pragma once

#include "controls/CTabPageSSL.h"

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

protected:
    IPageOwner* Owner() const { return m_owner; }

private:
    IPageOwner* m_owner = nullptr;  // the owning dialog; not owned, unset until Create succeeds
};
