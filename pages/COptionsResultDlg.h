// COptionsResultDlg: the Results page. Above its list the data source notes
// run on (a data source name the driver manager lists, or a connection
// string; remembered per note database, never with a password); the list
// shows one result's rows, read on demand; when a run made several results
// one is chosen beside the data source; the status line says what each
// statement did, or why the run stopped. Statements run on a worker thread
// (CQueryWorker); the page only asks and takes its events.
#pragma once

#include <memory>
#include <vector>

#include "framework/CComboBox.h"
#include "pages/COptionsDlg.h"
#include "pages/CResultList.h"
#include "pages/RunResult.h"
#include "run/QueryWorker.h"
#include "run/RunStatus.h"

class COptionsResultDlg : public COptionsDlg, private CResultList::IOwner {
public:
    // Posted by the worker when it has events.
    static constexpr UINT WM_RUN_EVENTS = WM_APP + 32;

    COptionsResultDlg();
    ~COptionsResultDlg() override;

    // A note database was opened or closed: its data source choice shows
    // (one that has none keeps the choice shown, and from now on has it).
    void ResetPage(bool databaseOpen) override;
    // Runs the statements of `text` on the chosen data source, after asking
    // when one may change data; false when nothing was started.
    bool Run(const CString& text);
    // Cancels the run, or the reading of every row that End asked for.
    void CancelRun();
    bool IsRunning() const { return m_running || m_toEnd; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void AnchorControls(CResizeCtrl& resize) override;
    LRESULT OnRunEvents(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnSourceDropDown();
    void OnSourceChanged();
    void OnSourceLeft();
    void OnResultChosen();
    DECLARE_MESSAGE_MAP()

private:
    void RowsWanted(bool toEnd) override;
    void FillSourceList();
    // The choice in the box, kept (without its password) when it changed.
    void KeepSourceChoice();
    // The connection string to use, asking for the password once; empty when the user cancelled.
    bool ResolveConnection(std::wstring& connection);
    bool ConfirmChanges(const std::vector<std::wstring>& statements, const std::vector<std::wstring>& firstLines);
    void TakeEvent(RunEvent& event);
    // The first statement of the new run started: the old results go.
    void ClearResults();
    void ShowResult(int index);
    // End asked for every row of the result shown; Execute reads Cancel meanwhile.
    void SetReadingToEnd(bool reading);
    void ShowStatus();
    void EndRun();
    CQueryWorker& Worker();

    CComboBox m_sourceBox;
    CComboBox m_resultBox;
    CResultList m_list;
    std::unique_ptr<CQueryWorker> m_worker;  // made on the first run; stopped with the page's window
    CString m_choice;         // as stored: no password
    std::wstring m_password;  // asked or typed in this dialog; never stored
    std::vector<std::unique_ptr<RunResult>> m_results;
    unsigned m_resultsRun = 0;  // the worker's run the results come from
    unsigned m_pendingRun = 0;  // the run asked last, until it ends
    std::vector<StatementOutcome> m_outcomes;
    std::vector<std::wstring> m_firstLines;  // of the run's statements
    int m_shown = -1;           // the result in the list
    bool m_running = false;
    bool m_toEnd = false;       // the user asked for the last row
    int m_current = 0;          // the statement running
    DWORD m_startTick = 0;
    std::wstring m_stopText;    // why the run stopped: a failure or a cancel
};
