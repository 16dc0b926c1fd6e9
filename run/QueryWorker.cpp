// CQueryWorker: a job queue served by one thread that alone calls ODBC on
// the user's data source (but SQLCancel, which exists to be called from
// another thread).
#include "run/QueryWorker.h"

#include <sqlext.h>

#include <chrono>

#include "framework/OdbcHandle.h"
#include "run/BoundExecution.h"
#include "run/OdbcConnection.h"

namespace {

constexpr std::size_t kBlockRows = 10000;

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

struct CQueryWorker::Job {
    enum class Kind { Run, Fetch, Disconnect } kind = Kind::Run;
    unsigned generation = 0;
    unsigned run = 0;
    std::wstring connection;
    std::vector<BoundStatement> statements;
    int result = -1;
    std::size_t rows = 0;
};

struct CQueryWorker::OpenResult {
    COdbcHandle statement;  // null once every row was read
    std::vector<ResultColumn> columns;
};

CQueryWorker::CQueryWorker(HWND notify, UINT message) : m_notify(notify), m_message(message), m_thread([this] { Loop(); }) {}

CQueryWorker::~CQueryWorker()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_jobs.clear();
    }
    Cancel();
    m_wake.notify_all();
    m_thread.join();
}

void CQueryWorker::Run(const std::wstring& connection, std::vector<BoundStatement> statements)
{
    Job job;
    job.kind = Job::Kind::Run;
    job.run = ++m_runsAsked;
    job.connection = connection;
    job.statements = std::move(statements);
    Enqueue(std::move(job));
}

void CQueryWorker::Fetch(unsigned run, int result, std::size_t rows)
{
    Job job;
    job.kind = Job::Kind::Fetch;
    job.run = run;
    job.result = result;
    job.rows = rows;
    Enqueue(std::move(job));
}

void CQueryWorker::Disconnect()
{
    Job job;
    job.kind = Job::Kind::Disconnect;
    Enqueue(std::move(job));
}

void CQueryWorker::Cancel()
{
    ++m_cancelGeneration;
    std::lock_guard<std::mutex> lock(m_activeMutex);
    if (m_active) ::SQLCancel(m_active);
}

void CQueryWorker::Enqueue(Job job)
{
    job.generation = m_cancelGeneration.load();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_all();
}

std::vector<RunEvent> CQueryWorker::TakeEvents()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_posted = false;
    return std::move(m_events);
}

void CQueryWorker::Post(RunEvent event)
{
    if (event.run == 0) event.run = m_runServed;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.push_back(std::move(event));
    if (m_posted) return;
    m_posted = true;
    ::PostMessageW(m_notify, m_message, 0, 0);
}

void CQueryWorker::SetActive(SQLHSTMT statement)
{
    std::lock_guard<std::mutex> lock(m_activeMutex);
    m_active = statement;
}

void CQueryWorker::DoJob(const Job& job)
{
    switch (job.kind) {
    case Job::Kind::Run: DoRun(job); break;
    case Job::Kind::Fetch: DoFetch(job); break;
    case Job::Kind::Disconnect:
        // The rows left unread stay unread: no run is served any more.
        m_results.clear();
        m_connection.reset();
        m_runServed = 0;
        break;
    }
}

void CQueryWorker::Loop()
{
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
            if (m_stopping) break;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        // An exception must not leave the thread (it would end the host's
        // process): the job ends as failed, its results dropped.
        try {
            DoJob(job);
        } catch (...) {
            m_results.clear();
            RunEvent failed;
            failed.kind = RunEvent::Kind::StatementFailed;
            failed.run = job.run;
            failed.result = job.kind == Job::Kind::Fetch ? job.result : -1;  // else the statement running: the page knows it
            failed.error.message = L"Quillbox ran out of memory or failed while reading the rows";
            RunEvent end;
            end.kind = RunEvent::Kind::RunEnded;
            end.run = job.run;
            try {
                Post(std::move(failed));
                Post(std::move(end));
            } catch (...) {
            }
        }
    }
    m_results.clear();
    m_connection.reset();
}

void CQueryWorker::DoRun(const Job& job)
{
    RunEvent end;
    end.kind = RunEvent::Kind::RunEnded;
    end.run = job.run;
    if (IsCancelled(job.generation)) {
        end.cancelled = true;
        Post(std::move(end));
        return;
    }
    // A refused connection leaves the previous run's results as they were.
    if (!m_connection || m_connection->Text() != job.connection) {
        auto connection = std::make_unique<COdbcConnection>();
        OdbcError error;
        if (!connection->Open(job.connection, error)) {
            RunEvent failed;
            failed.kind = RunEvent::Kind::ConnectFailed;
            failed.run = job.run;
            failed.error = error;
            Post(std::move(failed));
            Post(std::move(end));
            return;
        }
        m_results.clear();
        m_connection = std::move(connection);
    }
    m_results.clear();
    m_runServed = job.run;
    for (std::size_t index = 0; index < job.statements.size(); ++index) {
        const int number = static_cast<int>(index) + 1;
        if (IsCancelled(job.generation)) {
            end.cancelled = true;
            break;
        }
        RunEvent started;
        started.kind = RunEvent::Kind::StatementStarted;
        started.statement = number;
        Post(std::move(started));

        const auto start = std::chrono::steady_clock::now();
        COdbcHandle statement;
        statement.Allocate(SQL_HANDLE_STMT, m_connection->Handle());
        SetActive(statement.Get());
        const SQLRETURN rc = ExecuteBound(statement.Get(), job.statements[index]);
        SetActive(nullptr);
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
            if (IsCancelled(job.generation)) {
                end.cancelled = true;
                break;
            }
            RunEvent failed;
            failed.kind = RunEvent::Kind::StatementFailed;
            failed.statement = number;
            failed.error = ReadOdbcError(SQL_HANDLE_STMT, statement.Get());
            Post(std::move(failed));
            break;
        }
        RunEvent done;
        done.kind = RunEvent::Kind::StatementDone;
        done.statement = number;
        SQLSMALLINT columns = 0;
        if (rc != SQL_NO_DATA) ::SQLNumResultCols(statement.Get(), &columns);
        if (columns > 0) {
            const int result = static_cast<int>(m_results.size());
            std::vector<ResultColumn> described = DescribeResult(statement.Get());
            m_results.push_back(OpenResult{std::move(statement), described});
            RunEvent opened;
            opened.kind = RunEvent::Kind::ResultStarted;
            opened.statement = number;
            opened.result = result;
            opened.columns = std::move(described);
            Post(std::move(opened));
            // The first screen at once, then the rows the list keeps ahead.
            if (!ReadRows(result, kFirstBlock, kFirstBlock, job.generation, false) ||
                !ReadRows(result, kReadAhead - kFirstBlock, kReadAhead, job.generation, false)) {
                // A failure was told by ReadRows.
                end.cancelled = IsCancelled(job.generation);
                break;
            }
            done.result = result;
        } else {
            SQLLEN affected = -1;
            if (rc != SQL_NO_DATA) ::SQLRowCount(statement.Get(), &affected);
            done.affected = rc == SQL_NO_DATA ? 0 : affected;
        }
        done.seconds = SecondsSince(start);
        Post(std::move(done));
    }
    Post(std::move(end));
}

void CQueryWorker::DoFetch(const Job& job)
{
    // Rows asked of a run that another has replaced are not read.
    if (job.run != m_runServed) return;
    ReadRows(job.result, job.rows ? job.rows : static_cast<std::size_t>(-1), kBlockRows, job.generation, true);
}

bool CQueryWorker::ReadRows(int result, std::size_t limit, std::size_t blockRows, unsigned generation, bool postDone)
{
    RunEvent rows;
    rows.kind = RunEvent::Kind::Rows;
    rows.result = result;
    rows.fetchDone = postDone;
    if (result < 0 || static_cast<std::size_t>(result) >= m_results.size() || !m_results[result].statement) {
        rows.ended = true;
        Post(std::move(rows));
        return true;
    }
    OpenResult& open = m_results[result];
    const auto cancelled = [this, generation] { return IsCancelled(generation); };
    std::size_t left = limit;
    for (;;) {
        auto block = std::make_unique<ResultRows>(open.columns.size());
        OdbcError error;
        const std::size_t want = left < blockRows ? left : blockRows;
        SetActive(open.statement.Get());
        const FetchStop stop = FetchRows(open.statement.Get(), open.columns, *block, want, cancelled, error);
        SetActive(nullptr);
        left -= block->RowCount();
        RunEvent event;
        event.kind = RunEvent::Kind::Rows;
        event.result = result;
        event.rows = std::move(block);
        event.ended = stop == FetchStop::End;
        const bool last = stop != FetchStop::Limit || left == 0;
        event.fetchDone = postDone && last;
        if (event.ended) open.statement.Free();
        Post(std::move(event));
        if (stop == FetchStop::Failed) {
            RunEvent failed;
            failed.kind = RunEvent::Kind::StatementFailed;
            failed.result = result;
            failed.error = error;
            Post(std::move(failed));
            return false;
        }
        if (stop == FetchStop::Cancelled) return false;
        if (last) return true;
    }
}
