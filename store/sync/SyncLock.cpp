// The sync lock: a byte-range lock on the lock file, taken only while the
// file at the path is still the one locked (an ending sync removes it).
#include "store/sync/SyncLock.h"

#include "store/exchange/NoteFolderFiles.h"

namespace {

bool SameFile(HANDLE held, const CString& path)
{
    HANDLE now = ::CreateFileW(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (now == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    const bool same = ::GetFileInformationByHandle(held, &a) && ::GetFileInformationByHandle(now, &b) &&
                      a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
                      a.nFileIndexLow == b.nFileIndexLow;
    ::CloseHandle(now);
    return same;
}

} // namespace

bool CSyncLock::Acquire(const CString& databasePath, DWORD waitMilliseconds, CString& error)
{
    Release();
    m_path = databasePath + L".synclock";
    const DWORD start = ::GetTickCount();
    for (;;) {
        HANDLE file = ::CreateFileW(m_path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD code = ::GetLastError();
        // Refused while an ending sync's file is being removed; anything else is a real failure.
        if (file == INVALID_HANDLE_VALUE && code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) {
            error = DescribeFileError(m_path, code);
            return false;
        }
        if (file != INVALID_HANDLE_VALUE) {
            OVERLAPPED at{};
            if (::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
                if (SameFile(file, m_path)) {
                    m_file = file;
                    return true;
                }
                ::UnlockFileEx(file, 0, 1, 0, &at);
            }
            ::CloseHandle(file);
        }
        if (::GetTickCount() - start >= waitMilliseconds) {
            error = L"Another sync of this note database is running; nothing was changed. Try again when it has ended.";
            return false;
        }
        ::Sleep(100);
    }
}

void CSyncLock::Release()
{
    if (m_file == INVALID_HANDLE_VALUE) return;
    // Removed while still locked, so a sync that opened the old file sees it
    // is no longer the one at the path and opens the new one.
    ::DeleteFileW(m_path);
    OVERLAPPED at{};
    ::UnlockFileEx(m_file, 0, 1, 0, &at);
    ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
}
