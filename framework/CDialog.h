// CDialog: a dialog from a template of the module's resources, modal with
// the framework's own loop or modeless.
#pragma once

#include "CWnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDHelp(templateId), m_templateId(templateId), m_pParentWnd(parent) {}
    ~CDialog() override;

    // Creates the window, disables the owner and runs the modal loop until
    // EndDialog; returns its result, or -1 when the window could not be made.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless as a child or owned window of `parent`.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    BOOL PreTranslateMessage(MSG* msg) override;

    UINT m_nIDHelp = 0;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

    UINT m_templateId = 0;
    CWnd* m_pParentWnd = nullptr;  // not owned

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
    HWND CreateFromTemplate(UINT templateId, HWND parent);
    void RunModalLoop();

    bool m_modal = false;
    bool m_continueModal = false;
    int m_modalResult = -1;
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
