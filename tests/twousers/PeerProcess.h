// CPeerProcess: starts QuillboxPeer.exe (the second user) beside the test
// program and talks to it line by line through pipes.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The "|"-separated texts of an "ok a|b|c" answer (none for "ok"); any
// other answer comes back whole as one text, "(not ok) <answer>".
std::vector<std::wstring> AnswerTexts(const std::wstring& answer);

class CPeerProcess {
public:
    // `withDialog` runs the peer's own Quillbox dialog; without it the peer
    // only speaks plain ODBC.
    explicit CPeerProcess(bool withDialog);
    ~CPeerProcess();
    CPeerProcess(const CPeerProcess&) = delete;
    CPeerProcess& operator=(const CPeerProcess&) = delete;

    // True once the peer said it is ready.
    bool IsReady() const { return m_ready; }
    // Sends one command and returns the peer's answer line ("ok ...",
    // "error ..."), or "timeout" when none came within `timeoutMs`.
    std::wstring Ask(const std::wstring& command, DWORD timeoutMs = 120000);
    // Sends one command without waiting; Reply collects its answer.
    void Send(const std::wstring& command);
    std::wstring Reply(DWORD timeoutMs = 120000);

private:
    void ReadLines();

    HANDLE m_process = nullptr;  // owned
    HANDLE m_toPeer = nullptr;   // owned: write end of the peer's stdin
    HANDLE m_fromPeer = nullptr; // owned: read end of the peer's stdout
    std::thread m_reader;
    std::mutex m_lock;
    std::condition_variable m_arrived;
    std::deque<std::wstring> m_lines;
    bool m_ready = false;
};
