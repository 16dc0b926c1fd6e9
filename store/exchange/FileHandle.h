// Owners of the file system's handles whose "none" is INVALID_HANDLE_VALUE.
#pragma once

#include <windows.h>

// Owns a handle whose "none" is INVALID_HANDLE_VALUE, as CreateFileW and
// FindFirstFileW return them; `Release` frees it.
template <BOOL(WINAPI* Release)(HANDLE)>
class CInvalidIfNoneHandle {
public:
    explicit CInvalidIfNoneHandle(HANDLE handle) : m_handle(handle) {}
    ~CInvalidIfNoneHandle() { Close(); }
    CInvalidIfNoneHandle(const CInvalidIfNoneHandle&) = delete;
    CInvalidIfNoneHandle& operator=(const CInvalidIfNoneHandle&) = delete;
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    // False when freeing failed (for a written file: its data may be lost).
    bool Close()
    {
        if (!IsValid()) return true;
        const bool closed = Release(m_handle) != FALSE;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

using CFileHandle = CInvalidIfNoneHandle<&::CloseHandle>;
using CFindHandle = CInvalidIfNoneHandle<&::FindClose>;
