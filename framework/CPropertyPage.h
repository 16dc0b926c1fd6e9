// CPropertyPage: one page of a CPropertySheet, made by the system from a
// dialog template of the module's resources. The page's window is attached to
// this object when the system creates it and runs through the message maps.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "CDialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    CPropertyPage();
    // captionId 0: the tab shows the template's caption.
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);
    void Construct(UINT templateId, UINT captionId = 0);

    // The page description the sheet hands to the system. pszTemplate,
    // pszTitle, hInstance, pfnDlgProc and lParam are set by the framework.
    PROPSHEETPAGEW m_psp;

    // Enables (or disables) the sheet's Apply button for this page.
    void SetModified(BOOL changed = TRUE);
    // Turns the sheet's Cancel button into Close.
    void CancelToClose();
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);
    // The sheet that shows this page, when it is a framework object.
    CPropertySheet* GetParentSheet() const;

    // Hooks called by the sheet's notifications. OnSetActive refreshes the
    // controls from the members (UpdateData(FALSE)) after the first time;
    // OnKillActive validates them (UpdateData(TRUE)): FALSE keeps the page.
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    // OK or Apply: the default calls OnOK and accepts. FALSE keeps the sheet open.
    virtual BOOL OnApply();
    // Cancel: the default calls OnCancel.
    virtual void OnReset();
    // FALSE refuses to cancel.
    virtual BOOL OnQueryCancel();
    // A page never ends a dialog itself: these are hooks that do nothing.
    void OnOK() override;
    void OnCancel() override;

    // The dialog procedure of every page: attaches the window on WM_INITDIALOG.
    static INT_PTR CALLBACK PageDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    CString m_strCaption;  // pszTitle points here
    bool m_bFirstSetActive = true;

private:
    friend class CPropertySheet;
    // Prepares m_psp for the sheet: template, caption, procedure, this object.
    void PreparePage();
};
