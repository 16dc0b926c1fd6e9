// CQueryWorker: runs statements on a data source away from the window's
// thread. It owns the connection (opened on the first run, without the
// driver's prompt, with a login timeout; kept until Disconnect or the
// worker's end) and the statements whose rows are still to be read. The
// window asks (Run, Fetch, Disconnect, Cancel) and takes the events that
// follow, told by a posted message; no call of the window waits on the
// database: Cancel only signals the running statement (SQLCancel). The
// destructor cancels what runs and waits for the thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "run/OdbcConnection.h"
#include "run/OdbcError.h"
#include "run/Placeholders.h"
#include "run/ResultFetch.h"
#include "run/ResultRows.h"

struct RunEvent {
    enum class Kind {
        ConnectFailed,   // error; the run ends
        StatementStarted,
        ResultStarted,   // statement, result (its index in the run), columns
        Rows,            // result, rows: a block to add; ended: no more rows; fetchDone: the asked reading stopped
        StatementDone,   // statement, affected or the rows so far, seconds
        StatementFailed, // statement, error; the run ends
        RunEnded,        // cancelled
    };
    Kind kind = Kind::RunEnded;
    unsigned run = 0;  // the Run it belongs to (LastRun when it was asked)
    int statement = 0;
    int result = -1;
    std::vector<ResultColumn> columns;
    std::unique_ptr<ResultRows> rows;
    bool ended = false;
    bool fetchDone = false;
    long long affected = -1;
    double seconds = 0;
    OdbcError error;
    bool cancelled = false;
};

class CQueryWorker {
public:
    // Rows read at once after a statement: the first screen, then as many
    // more as the list keeps ahead before the user scrolls.
    static constexpr std::size_t kFirstBlock = 64;
    static constexpr std::size_t kReadAhead = 1000;

    // Events are announced by posting `message` to `notify`.
    CQueryWorker(HWND notify, UINT message);
    ~CQueryWorker();
    CQueryWorker(const CQueryWorker&) = delete;
    CQueryWorker& operator=(const CQueryWorker&) = delete;

    // Runs `statements` in order on `connection` (connecting, or reconnecting
    // when it differs from the open one); once connected, the results of the
    // previous run are dropped. Stops at the first failure.
    void Run(const std::wstring& connection, std::vector<BoundStatement> statements);
    // Reads up to `rows` more rows of result `result` of run `run` (all
    // when 0); nothing when a later run replaced it.
    void Fetch(unsigned run, int result, std::size_t rows);
    // The number of the last Run asked for: events of earlier runs are stale.
    unsigned LastRun() const { return m_runsAsked; }
    void Disconnect();
    // Stops what runs and what was asked before.
    void Cancel();
    std::vector<RunEvent> TakeEvents();

private:
    struct Job;
    struct OpenResult;

    void Enqueue(Job job);
    void Loop();
    void DoJob(const Job& job);
    void DoRun(const Job& job);
    void DoFetch(const Job& job);
    // Reads up to `limit` rows of `result` and posts them in blocks of
    // `blockRows`; false when the reading failed or was cancelled.
    bool ReadRows(int result, std::size_t limit, std::size_t blockRows, unsigned generation, bool postDone);
    void Post(RunEvent event);
    bool IsCancelled(unsigned generation) const { return m_cancelGeneration.load() != generation; }
    void SetActive(SQLHSTMT statement);

    HWND m_notify;  // not owned
    UINT m_message;
    std::mutex m_mutex;  // guards the queue, the events and m_posted
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    bool m_stopping = false;
    std::vector<RunEvent> m_events;
    bool m_posted = false;
    std::atomic<unsigned> m_cancelGeneration{0};
    unsigned m_runsAsked = 0;   // the window's thread's own
    unsigned m_runServed = 0;   // the worker thread's own: the run whose results it holds
    std::mutex m_activeMutex;  // guards m_active against SQLCancel on a freed handle
    SQLHSTMT m_active = nullptr;  // the statement running now; owned by m_results or the run
    // The worker thread's own.
    std::unique_ptr<COdbcConnection> m_connection;
    std::vector<OpenResult> m_results;
    std::thread m_thread;
};
