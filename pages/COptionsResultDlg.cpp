// COptionsResultDlg: choosing the data source, running, taking the worker's
// events into results and the status line.
#include "pages/COptionsResultDlg.h"

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "pages/CPasswordDlg.h"
#include "pages/CPlaceholderDlg.h"
#include "pages/IPageOwner.h"
#include "res/resource.h"
#include "run/ConnectionText.h"
#include "run/DataSources.h"
#include "run/SqlStatements.h"

namespace {

constexpr UINT_PTR kElapsedTimer = 1;
constexpr UINT kElapsedTickMs = 250;
// The longest first line a question or the status quotes.
constexpr std::size_t kQuotedChars = 80;

std::wstring Quoted(const std::wstring& line)
{
    return line.size() <= kQuotedChars ? line : line.substr(0, kQuotedChars - 1) + L"\x2026";
}

} // namespace

BEGIN_MESSAGE_MAP(COptionsResultDlg, COptionsDlg)
    ON_MESSAGE(WM_RUN_EVENTS, OnRunEvents)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_CONTROL(CBN_DROPDOWN, IDC_RESULTS_SOURCE, OnSourceDropDown)
    ON_CBN_SELCHANGE(IDC_RESULTS_SOURCE, OnSourceChanged)
    ON_CONTROL(CBN_KILLFOCUS, IDC_RESULTS_SOURCE, OnSourceLeft)
    ON_CBN_SELCHANGE(IDC_RESULTS_CHOICE, OnResultChosen)
END_MESSAGE_MAP()

COptionsResultDlg::COptionsResultDlg() : COptionsDlg(IDD_PAGE_RESULTS) {}

COptionsResultDlg::~COptionsResultDlg() = default;

void COptionsResultDlg::DoDataExchange(CDataExchange* dx)
{
    COptionsDlg::DoDataExchange(dx);
    DDX_Control(dx, IDC_RESULTS_SOURCE, m_sourceBox);
    DDX_Control(dx, IDC_RESULTS_CHOICE, m_resultBox);
    DDX_Control(dx, IDC_RESULTS_LIST, m_list);
}

BOOL COptionsResultDlg::OnInitDialog()
{
    COptionsDlg::OnInitDialog();
    m_list.Prepare();
    m_list.SetOwner(this);
    FillSourceList();
    return TRUE;
}

// The list and the status line take what the page gains; the boxes above
// share its width.
void COptionsResultDlg::AnchorControls(CResizeCtrl& resize)
{
    AnchorWithLabel(resize, IDC_RESULTS_SOURCE, 0, 0, 100, 0);
    resize.Add(IDC_RESULTS_CHOICE, 100, 0, 0, 0);
    resize.Add(IDC_RESULTS_LIST, 0, 0, 100, 100);
    resize.Add(IDC_RESULTS_STATUS, 0, 100, 100, 0);
}

void COptionsResultDlg::OnDestroy()
{
    // Cancels what runs and waits for the worker, before the window it posts to goes.
    m_worker.reset();
    m_running = false;
    DefWindowProc(WM_DESTROY, 0, 0);
}

CQueryWorker& COptionsResultDlg::Worker()
{
    if (!m_worker) m_worker = std::make_unique<CQueryWorker>(m_hWnd, WM_RUN_EVENTS);
    return *m_worker;
}

void COptionsResultDlg::ResetPage(bool)
{
    if (!Owner()) return;
    const CString stored = Owner()->LoadRunSource();
    // A note database with no choice of its own takes the one in the box.
    if (stored.IsEmpty()) {
        if (!m_choice.IsEmpty()) Owner()->SaveRunSource(m_choice);
        return;
    }
    if (stored == m_choice) return;
    m_choice = stored;
    m_password.clear();
    m_sourceBox.SetWindowText(m_choice);
    if (m_worker && !m_running) m_worker->Disconnect();
}

void COptionsResultDlg::FillSourceList()
{
    const CString typed = m_sourceBox.GetWindowText();
    m_sourceBox.ResetContent();
    for (const std::wstring& name : ListDataSources()) m_sourceBox.AddString(name.c_str());
    m_sourceBox.SetWindowText(typed);
}

void COptionsResultDlg::OnSourceDropDown() { FillSourceList(); }

void COptionsResultDlg::OnSourceChanged()
{
    const int chosen = m_sourceBox.GetCurSel();
    if (chosen < 0) return;
    CString name;
    m_sourceBox.GetLBText(chosen, name);
    m_sourceBox.SetWindowText(name);
    KeepSourceChoice();
}

void COptionsResultDlg::OnSourceLeft() { KeepSourceChoice(); }

void COptionsResultDlg::KeepSourceChoice()
{
    const std::wstring typed = m_sourceBox.GetWindowText().GetString();
    const std::wstring password = PasswordIn(typed);
    const CString stored = WithoutPassword(typed).c_str();
    // A typed password serves this dialog and leaves the box at once.
    if (!password.empty()) {
        m_password = password;
        m_sourceBox.SetWindowText(stored);
    }
    if (stored == m_choice) return;
    m_choice = stored;
    if (password.empty()) m_password.clear();
    if (Owner()) Owner()->SaveRunSource(m_choice);
    if (m_worker && !m_running) m_worker->Disconnect();
}

bool COptionsResultDlg::ResolveConnection(std::wstring& connection)
{
    const std::wstring choice = m_choice.GetString();
    if (NeedsPassword(choice) && m_password.empty()) {
        CPasswordDlg ask(m_choice, this);
        if (ask.DoModal() != IDOK) return false;
        m_password = ask.Password().GetString();
    }
    connection = ConnectionStringOf(m_password.empty() ? choice : WithPassword(choice, m_password));
    return true;
}

bool COptionsResultDlg::ConfirmChanges(const std::vector<std::wstring>& statements, const std::vector<std::wstring>& firstLines)
{
    std::wstring changing;
    for (std::size_t i = 0; i < statements.size(); ++i) {
        if (MayChangeData(statements[i])) changing += L"\n    " + std::to_wstring(i + 1) + L": " + Quoted(firstLines[i]);
    }
    if (changing.empty()) return true;
    const std::wstring count = statements.size() == 1 ? L"1 statement" : std::to_wstring(statements.size()) + L" statements";
    const std::wstring question = count + L" will run on " + m_choice.GetString() +
                                  L".\nThese may change data or the schema:" + changing + L"\n\nRun them?";
    return AfxMessageBox(question.c_str(), MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

bool COptionsResultDlg::Run(const CString& text)
{
    if (m_running) return false;
    KeepSourceChoice();
    const std::vector<ScriptStatement> script = SplitSqlStatements(text.GetString());
    if (script.empty()) {
        SetDlgItemText(IDC_RESULTS_STATUS, L"Nothing to run: the View box holds no statement.");
        if (Owner()) Owner()->ShowResultsPage();
        return false;
    }
    if (m_choice.IsEmpty()) {
        SetDlgItemText(IDC_RESULTS_STATUS, L"Choose a data source to run on, or type a connection string.");
        if (Owner()) Owner()->ShowResultsPage();
        m_sourceBox.SetFocus();
        return false;
    }
    // The blanks are asked for once, for every statement; the question about
    // changes quotes the statements as they will run.
    PlaceholderValues values;
    if (!AskForPlaceholders(this, Owner() ? Owner()->DatabasePath() : CString(), text.GetString(), L"Run", values)) return false;
    std::vector<BoundStatement> statements;
    std::vector<std::wstring> texts;
    std::vector<std::wstring> firstLines;
    for (const ScriptStatement& statement : script) {
        statements.push_back(BindPlaceholders(statement.text, values));
        texts.push_back(statements.back().text);
        firstLines.push_back(FirstLineOf(texts.back()));
    }
    if (!ConfirmChanges(texts, firstLines)) return false;
    std::wstring connection;
    if (!ResolveConnection(connection)) return false;

    m_stopText.clear();
    m_firstLines = firstLines;
    m_current = 1;
    m_running = true;
    m_startTick = ::GetTickCount();
    Worker().Run(connection, statements);
    m_pendingRun = m_worker->LastRun();
    SetTimer(kElapsedTimer, kElapsedTickMs);
    ShowStatus();
    if (Owner()) Owner()->RunStateChanged(true);
    return true;
}

void COptionsResultDlg::CancelRun()
{
    if (!m_worker) return;
    m_worker->Cancel();
    for (auto& result : m_results) result->fetching = false;
    SetReadingToEnd(false);
    ShowStatus();
}

void COptionsResultDlg::SetReadingToEnd(bool reading)
{
    m_toEnd = reading;
    if (Owner()) Owner()->RunStateChanged(m_running || m_toEnd);
}

void COptionsResultDlg::RowsWanted(bool toEnd)
{
    if (m_shown < 0 || !m_worker) return;
    RunResult& result = *m_results[static_cast<std::size_t>(m_shown)];
    if (result.ended) {
        if (toEnd) m_list.GoToLastRow();
        return;
    }
    if (toEnd && !m_toEnd) {
        // Reading to the end: what is asked already continues, then the rest.
        SetReadingToEnd(true);
        m_worker->Fetch(m_resultsRun, m_shown, 0);
        result.fetching = true;
        ShowStatus();
        return;
    }
    if (result.fetching) return;
    result.fetching = true;
    m_worker->Fetch(m_resultsRun, m_shown, CQueryWorker::kReadAhead);
}

LRESULT COptionsResultDlg::OnRunEvents(WPARAM, LPARAM)
{
    if (!m_worker) return 0;
    std::vector<RunEvent> events = m_worker->TakeEvents();
    // Rows still come for the results shown while a new run connects.
    for (RunEvent& event : events) {
        if (event.run == m_pendingRun || (event.run == m_resultsRun && event.kind == RunEvent::Kind::Rows)) TakeEvent(event);
    }
    ShowStatus();
    return 0;
}

void COptionsResultDlg::TakeEvent(RunEvent& event)
{
    switch (event.kind) {
    case RunEvent::Kind::ConnectFailed:
        m_stopText = L"Could not connect to " + std::wstring(m_choice.GetString()) + L": " + event.error.Text();
        // A refused password is asked again next time.
        if (NeedsPassword(m_choice.GetString())) m_password.clear();
        break;
    case RunEvent::Kind::StatementStarted:
        if (m_resultsRun != event.run) ClearResults();
        m_resultsRun = event.run;
        m_current = event.statement;
        break;
    case RunEvent::Kind::ResultStarted: {
        auto result = std::make_unique<RunResult>(std::move(event.columns));
        result->statement = event.statement;
        result->firstLine = m_firstLines[static_cast<std::size_t>(event.statement - 1)];
        m_results.push_back(std::move(result));
        const std::wstring entry = L"Result " + std::to_wstring(m_results.size()) + L": statement " + std::to_wstring(event.statement);
        m_resultBox.AddString(entry.c_str());
        m_resultBox.EnableWindow(m_results.size() > 1);
        StatementOutcome outcome;
        outcome.number = event.statement;
        outcome.returnsRows = true;
        m_outcomes.push_back(outcome);
        if (m_shown < 0) ShowResult(0);
        break;
    }
    case RunEvent::Kind::Rows: {
        if (event.result < 0 || static_cast<std::size_t>(event.result) >= m_results.size()) break;
        RunResult& result = *m_results[static_cast<std::size_t>(event.result)];
        const bool firstRows = result.rows.RowCount() == 0 && event.rows && event.rows->RowCount() > 0;
        if (event.rows) result.rows.Append(std::move(*event.rows));
        if (event.ended) result.ended = true;
        if (event.fetchDone || event.ended) result.fetching = false;
        if (event.result == m_shown) {
            m_list.RowsAdded();
            // The first screen is drawn as soon as its rows are here, not
            // after the run's other news has been handled: the page comes to
            // the front and the list paints now.
            if (firstRows) {
                if (Owner()) Owner()->ShowResultsPage();
                m_list.UpdateWindow();
            }
            // Reading to the end stops at the end, or when it failed or was cancelled.
            if (m_toEnd && (result.ended || event.fetchDone)) {
                SetReadingToEnd(false);
                if (result.ended) m_list.GoToLastRow();
            }
        }
        break;
    }
    case RunEvent::Kind::StatementDone: {
        StatementOutcome outcome;
        outcome.number = event.statement;
        outcome.returnsRows = event.result >= 0;
        outcome.affected = event.affected;
        outcome.seconds = event.seconds;
        if (!m_outcomes.empty() && m_outcomes.back().number == event.statement) m_outcomes.back() = outcome;
        else m_outcomes.push_back(outcome);
        break;
    }
    case RunEvent::Kind::StatementFailed: {
        // Reading a result's rows fails with the statement that made it.
        int number = event.statement > 0 ? event.statement : m_current;
        std::wstring line = number > 0 && static_cast<std::size_t>(number) <= m_firstLines.size() ? m_firstLines[static_cast<std::size_t>(number - 1)] : std::wstring();
        if (event.result >= 0 && static_cast<std::size_t>(event.result) < m_results.size()) {
            number = m_results[static_cast<std::size_t>(event.result)]->statement;
            line = m_results[static_cast<std::size_t>(event.result)]->firstLine;
        }
        m_stopText = L"Statement " + std::to_wstring(number) + L" failed (" + Quoted(line) + L"): " + event.error.Text();
        break;
    }
    case RunEvent::Kind::RunEnded:
        if (event.cancelled && m_stopText.empty()) m_stopText = L"Cancelled at statement " + std::to_wstring(m_current) + L".";
        EndRun();
        break;
    }
}

void COptionsResultDlg::ClearResults()
{
    m_list.ShowResult(nullptr, nullptr);
    m_results.clear();
    m_outcomes.clear();
    m_resultBox.ResetContent();
    m_resultBox.EnableWindow(FALSE);
    m_shown = -1;
    m_toEnd = false;  // the run that clears them shows as running
}

void COptionsResultDlg::EndRun()
{
    if (!m_running) return;
    m_running = false;
    m_pendingRun = 0;
    KillTimer(kElapsedTimer);
    if (Owner()) {
        Owner()->RunStateChanged(m_toEnd);
        Owner()->ShowResultsPage();
    }
}

void COptionsResultDlg::ShowResult(int index)
{
    m_shown = index;
    if (m_toEnd) SetReadingToEnd(false);
    m_resultBox.SetCurSel(index);
    if (index < 0) {
        m_list.ShowResult(nullptr, nullptr);
        return;
    }
    RunResult& result = *m_results[static_cast<std::size_t>(index)];
    m_list.ShowResult(&result.columns, &result.rows);
}

void COptionsResultDlg::OnResultChosen()
{
    const int chosen = m_resultBox.GetCurSel();
    if (chosen >= 0 && chosen != m_shown) ShowResult(chosen);
    ShowStatus();
}

void COptionsResultDlg::OnTimer(UINT_PTR id)
{
    if (id == kElapsedTimer) ShowStatus();
}

void COptionsResultDlg::ShowStatus()
{
    std::wstring text;
    std::size_t resultIndex = 0;
    // While a new run connects, the outcomes of the one shown are not its.
    const bool connecting = m_running && m_resultsRun != m_pendingRun;
    for (StatementOutcome outcome : connecting ? std::vector<StatementOutcome>() : m_outcomes) {
        if (outcome.returnsRows && resultIndex < m_results.size()) {
            const RunResult& result = *m_results[resultIndex++];
            outcome.rows = result.rows.RowCount();
            outcome.moreRows = !result.ended;
        }
        if (!text.empty()) text += L"; ";
        text += OutcomeText(outcome);
    }
    if (m_running) {
        const double seconds = (::GetTickCount() - m_startTick) / 1000.0;
        if (!text.empty()) text += L"\n";
        text += L"Running statement " + std::to_wstring(m_current) + L" of " + std::to_wstring(m_firstLines.size()) + L"\x2026 " +
                SecondsText(seconds);
    } else if (!m_stopText.empty()) {
        if (!text.empty()) text += L"\n";
        text += m_stopText;
    }
    if (m_toEnd) text += L" Reading to the last row\x2026";
    SetDlgItemText(IDC_RESULTS_STATUS, text.c_str());
}
