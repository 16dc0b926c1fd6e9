// CUiAgent: the benchmark's hand on the thread that runs the Quillbox dialog.
// A script on another thread posts a start marker, the user's action and an
// end marker; the agent's window sees the markers on the dialog's own thread,
// in the order of the queue, so the time between them is the time the dialog
// took for the action (ended by bringing the note list's drawing up to date).
// File Open is timed from the destruction of the Open dialog (a CBT hook)
// to the end marker the hook posts; so is the open floor, which picks the
// file through an Open dialog of its own. Work handed to Run executes on the same
// thread, between the dialog's messages, so the floors run where the dialog runs;
// TimeWork posts it between the two markers, as an action's message is posted.
#pragma once

#include "bench/OwnedHandles.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

class CMessageTrace;

class CUiAgent {
public:
    CUiAgent() = default;
    ~CUiAgent();
    CUiAgent(const CUiAgent&) = delete;
    CUiAgent& operator=(const CUiAgent&) = delete;

    // On the dialog's thread, before the dialog runs; with `trace`, every
    // timed action is traced there (not owned).
    bool Start(CMessageTrace* trace = nullptr);

    // The rest is called from the script's thread.
    // The list whose drawing ends a timed action.
    void SetDrawnList(HWND list) { m_list = list; }
    // Posts the start marker, lets `postTrigger` post the action, posts the
    // end marker and waits: the milliseconds between the two markers.
    double TimeAction(const std::function<void()>& postTrigger);
    // Times `work` as TimeAction times a user's action: the work is a
    // message posted between the two markers, so it is received as the
    // action's message is. An exception it throws comes back as
    // std::runtime_error.
    double TimeWork(const std::function<void()>& work);
    // Confirms the Open dialog with IDOK and waits: the milliseconds from its
    // destruction until the command that opened it has returned.
    double TimeOpen(HWND openDialog);
    // Posts `work`, which shows an Open dialog and then does what follows the
    // choice, and returns at once; TimeOpen on that dialog then times it as
    // the dialog's File Open, untraced. An exception the work throws comes
    // back from TimeOpen as std::runtime_error.
    void BeginOpenWork(const std::function<void()>& work);
    // Runs `work` on the dialog's thread and waits for it; an exception it
    // throws comes back here as std::runtime_error.
    void Run(const std::function<void()>& work);
    // Waits until the dialog's thread has handled everything posted before.
    void Sync();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    bool Tracing() const { return m_trace && !m_timingWork; }
    void RunWork();
    void OnMarkEnd();
    void WaitDone(const char* what);

    OwnedHandle m_done;    // auto-reset event: the marker or work was handled
    OwnedWindow m_window;  // message-only window on the dialog's thread
    OwnedHook m_hook;      // CBT hook of that thread
    CMessageTrace* m_trace = nullptr;
    std::atomic<HWND> m_list{nullptr};
    std::atomic<HWND> m_armedDialog{nullptr};
    double m_start = 0;
    double m_end = 0;
    const std::function<void()>* m_work = nullptr;
    std::string m_workError;
    bool m_timingWork = false;
};
