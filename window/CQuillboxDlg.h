// CQuillboxDlg: the plug-in's main dialog: menu, Find row, note list and pages.
#pragma once

#include "framework/CDialog.h"
#include "framework/CMenu.h"

class IHostLink;

class CQuillboxDlg : public CDialog {
public:
    explicit CQuillboxDlg(IHostLink* hostLink);
    ~CQuillboxDlg() override;

    IHostLink* GetHostLink() const { return m_hostLink; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    void OnExit();
    void OnOptions();
    void AttachMenuKeepingClientSize();

    DECLARE_MESSAGE_MAP()

private:
    CMenu m_menu;
    IHostLink* m_hostLink = nullptr;  // the host's link, valid while Execute runs
};
