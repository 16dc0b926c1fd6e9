// CProgressWindow: the progress of an export or import. It appears only when
// the work has run for half a second, shows a progress bar and a Cancel
// button, and keeps the owner's windows painted by handling their messages
// between steps; the owner takes no input meanwhile.
#pragma once

#include "framework/CDialog.h"
#include "store/exchange/NoteExchange.h"

class CProgressWindow : public CDialog, public IExchangeProgress {
public:
    CProgressWindow(CWnd* owner, const CString& text);
    ~CProgressWindow() override;

    bool Continue(int done, int total) override;
    bool WasShown() const { return m_shown; }

protected:
    void OnOK() override {}  // Enter does not end the work; only Cancel does
    void OnCancel() override;

private:
    void Show();
    void HandleWaitingMessages();

    CWnd* m_owner;  // not owned
    CString m_text;
    DWORD m_started;
    DWORD m_lastPump = 0;
    bool m_shown = false;
    bool m_cancelled = false;
    bool m_ownerDisabled = false;
};
