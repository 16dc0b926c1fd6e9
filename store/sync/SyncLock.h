// One sync of a note database at a time: a lock on a small file beside the
// database ("<database>.synclock"), held from planning to the memory's last
// write. The system releases the lock when the process that holds it dies,
// so a killed sync never blocks the next one. No windows.
#pragma once

#include "framework/CString.h"

#include <windows.h>

class CSyncLock {
public:
    CSyncLock() = default;
    ~CSyncLock() { Release(); }
    CSyncLock(const CSyncLock&) = delete;
    CSyncLock& operator=(const CSyncLock&) = delete;

    // Waits up to `waitMilliseconds` for another sync of the database to
    // end. False with `error` set when it did not, or the file cannot be made.
    bool Acquire(const CString& databasePath, DWORD waitMilliseconds, CString& error);
    void Release();
    bool IsHeld() const { return m_file != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;  // owned; locked while held
    CString m_path;
};

// How long a sync waits for another to end.
constexpr DWORD kSyncLockWait = 5000;
