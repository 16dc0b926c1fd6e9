// CTabPageSSL: a dialog page shown inside a CTabCtrlSSL. It is a child
// dialog built from a template, swallows Enter and Escape, and can pass its
// commands, notifications and control events on to its parent window.
#pragma once

#include "framework/CDialog.h"

#include "CmdMsgRouting.h"

class CTabPageSSL : public CDialog, public CCmdMsgRouting {
public:
    // The window is created later by the owner with Create(templateId, parent).
    explicit CTabPageSSL(UINT templateId);
    ~CTabPageSSL() override;

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Tab and the keys pressed with Ctrl are left to the dialog that holds
    // the tab control: Tab leads out of the page, and the dialog's own keys
    // work inside it. The page's dialog manager keeps the rest (arrows,
    // mnemonics, Enter, Escape).
    BOOL PreTranslateMessage(MSG* msg) override;
    // Enter and Escape in a page neither close nor hide it.
    void OnOK() override;
    void OnCancel() override;

protected:
    bool m_routeCommand = false; // every WM_COMMAND also goes to the parent window
    bool m_routeEvent = false;   // CN_EVENT routing goes on to the parent window
    bool m_routeNotify = false;  // every WM_NOTIFY also goes to the parent window
};
