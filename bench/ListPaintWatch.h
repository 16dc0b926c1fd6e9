// CListPaintWatch: tells when a list-view has drawn what a timed action
// waits for. The Results list is filled on the dialog's thread from rows a
// worker reads, so no message marks the end of the action: the watch
// subclasses the list and, after each WM_PAINT, looks at what the list now
// shows; the first paint that shows enough rows (and, when asked, the last
// row) is timed.
#pragma once

#include "bench/OwnedHandles.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class CListPaintWatch {
public:
    CListPaintWatch();
    ~CListPaintWatch();
    CListPaintWatch(const CListPaintWatch&) = delete;
    CListPaintWatch& operator=(const CListPaintWatch&) = delete;

    // On the list's thread.
    bool Install(HWND list);
    void Remove();

    // From any thread: waits for a paint that shows at least `rows` rows
    // (fewer when the list has fewer than a screen of them) and, with
    // `lastRowInView`, the list's last row. With `newRows`, only a paint
    // after the row count next changes counts (the rows of a new result,
    // not those of the one before).
    void Arm(int rows, bool lastRowInView, bool newRows);
    // The time (NowMs) of that paint, or -1 when none came within `timeoutMs`.
    double Wait(DWORD timeoutMs);
    // With `trace`, every row count set and every paint while armed is noted;
    // TakeTrace gives them as "+7.1 rows 64, +17.0 paint" from `start` on.
    void SetTrace(bool trace) { m_trace = trace; }
    std::string TakeTrace(double start);

private:
    static LRESULT CALLBACK SubclassProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    void AfterPaint();
    void Note(const char* what, int rows);

    HWND m_list = nullptr;  // not owned: the dialog's
    OwnedHandle m_drawn;    // auto-reset event: the armed paint happened
    std::atomic<bool> m_armed{false};
    std::atomic<bool> m_countChanged{false};
    std::atomic<bool> m_newRows{false};
    std::atomic<int> m_rows{0};
    std::atomic<bool> m_lastRowInView{false};
    std::atomic<double> m_time{0};
    bool m_trace = false;
    std::mutex m_notesLock;
    std::vector<std::pair<double, std::string>> m_notes;  // written on the list's thread
};
