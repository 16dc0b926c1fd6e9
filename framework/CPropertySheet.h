// CPropertySheet: a modal property sheet over PropertySheetW with pages made
// from the module's dialog templates; OK, Cancel and Apply are the system's,
// and so is the modal loop. The sheet window is attached to this object while
// it is shown.
#pragma once

#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "CWnd.h"

class CPropertyPage;

class CPropertySheet : public CWnd {
public:
    CPropertySheet();
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(LPCWSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;
    void Construct(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    void Construct(LPCWSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);

    // The sheet description handed to the system; dwFlags may be extended
    // before DoModal (PSH_NOAPPLYNOW hides Apply).
    PROPSHEETHEADERW m_psh;

    // Shows the sheet modally: IDOK when it was closed with OK, IDCANCEL when
    // cancelled, -1 when it could not be shown.
    virtual INT_PTR DoModal();

    // The pages are not owned; they must live as long as the sheet shows them.
    void AddPage(CPropertyPage* page);
    void RemovePage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    void SetTitle(LPCWSTR text, UINT style = 0);
    // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW...
    BOOL PressButton(int button);
    // Ends a shown sheet with `result` (IDOK or IDCANCEL).
    void EndDialog(int result);

    // Called once the system has made the sheet window and its first page.
    virtual BOOL OnInitDialog() { return TRUE; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<CPropertyPage*> m_pages;  // not owned
    CString m_strCaption;                 // pszCaption points here
    CWnd* m_pParentWnd = nullptr;         // not owned

private:
    friend class CPropertyPage;
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
    // Attaches the sheet window the system is making to its object, once:
    // from the sheet's callback or from its first page, whichever comes first.
    static void AttachSheetInCreation(HWND hWnd);
    int m_endResult = IDCANCEL;  // what the last closing command asked for
};
