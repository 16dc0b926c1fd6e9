// COptionsDlg: the base of the tab pages. It records the dialog the page was
// created in and reaches that dialog's database and host link through it.
#pragma once

#include "controls/CResizeCtrl.h"
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
    // From now on the page's controls follow the page's size as its tab
    // control grows and shrinks, starting from their places at this size.
    void FollowPageSize();

protected:
    IPageOwner* Owner() const { return m_owner; }
    // Registers the page's controls with their shares of its size change.
    virtual void AnchorControls(CResizeCtrl& resize);
    // Registers control `id` and the label just before it in the tab order,
    // which moves as the control's left and top edges do and keeps its size.
    void AnchorWithLabel(CResizeCtrl& resize, int id, int leftShare, int topShare, int widthShare, int heightShare);

private:
    CResizeCtrl m_resize;  // the page's controls' anchors
    IPageOwner* m_owner = nullptr;  // the owning dialog; not owned, unset until Create succeeds
};
