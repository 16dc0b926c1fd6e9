// QuillboxMdbSetup.dll: the installer routine of the note database driver.
// ConfigDSNW answers the installer's creation request CREATE_DB="path" by
// creating an empty (zero-length) file there, which the driver turns into a
// database on first connect. It never overwrites: an existing file, a
// missing folder or any other failure leaves the disk as it was.
#include "CreateDatabaseRequest.h"

#include <windows.h>
#include <odbcinst.h>

namespace {

// Owns a file handle from CreateFileW.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { if (IsValid()) ::CloseHandle(m_handle); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;  // owned
};

void PostError(DWORD code, const std::wstring& text) { ::SQLPostInstallerErrorW(code, text.c_str()); }

std::wstring ReasonFor(DWORD error)
{
    switch (error) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return L"a file of that name already exists (it was left unchanged)";
    case ERROR_PATH_NOT_FOUND: return L"the folder does not exist";
    case ERROR_ACCESS_DENIED: return L"access is denied";
    case ERROR_INVALID_NAME: return L"the name is not a valid file name";
    default: return L"Windows error " + std::to_wstring(error);
    }
}

BOOL ConfigureDataSource(WORD request, LPCWSTR attributes)
{
    if (request != ODBC_ADD_DSN && request != ODBC_CONFIG_DSN) {
        PostError(ODBC_ERROR_INVALID_REQUEST_TYPE, L"The note database driver only creates database files.");
        return FALSE;
    }
    std::wstring path;
    if (!attributes || !ParseCreateDatabaseRequest(attributes, path)) {
        PostError(ODBC_ERROR_REQUEST_FAILED, L"The note database driver has no data sources; it needs CREATE_DB=\"path\".");
        return FALSE;
    }
    // CREATE_NEW fails on an existing file instead of truncating it.
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        const DWORD error = ::GetLastError();
        PostError(ODBC_ERROR_INVALID_PATH, L"Cannot create the note database file \"" + path + L"\": " + ReasonFor(error) + L".");
        return FALSE;
    }
    return TRUE;
}

} // namespace

extern "C" __declspec(dllexport) BOOL WINAPI ConfigDSNW(HWND, WORD request, LPCWSTR, LPCWSTR attributes)
{
    // Nothing may leave the export: a failure to build a message is a failure to create.
    try {
        return ConfigureDataSource(request, attributes);
    } catch (...) {
        return FALSE;
    }
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
