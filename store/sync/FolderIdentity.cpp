// A folder's identity from the file system.
#include "store/sync/FolderIdentity.h"

#include "store/exchange/FileHandle.h"
#include "store/exchange/NoteFolderFiles.h"

#include <windows.h>

#include <cwchar>

namespace {

CString MachineName()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = L"";
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    return ::GetComputerNameW(name, &length) ? CString(name) : CString(L"this machine");
}

// The 128-bit file id query of Windows 8 and later, declared here as the
// module also runs on Windows 7, where the query fails and the older one serves.
struct FileIdInformation {
    ULONGLONG VolumeSerialNumber;
    BYTE FileId[16];
};
constexpr auto kFileIdInformation = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

// The 128-bit id of newer file systems where the platform gives it, else
// the volume serial number and the 64-bit file index.
bool FileIdOf(HANDLE handle, CString& id)
{
    FileIdInformation info{};
    wchar_t text[80];
    if (::GetFileInformationByHandleEx(handle, kFileIdInformation, &info, sizeof info)) {
        const unsigned char* bytes = info.FileId;
        std::swprintf(text, 80, L"%016llx:", static_cast<unsigned long long>(info.VolumeSerialNumber));
        id = text;
        for (int i = 15; i >= 0; --i) {
            std::swprintf(text, 80, L"%02x", bytes[i]);
            id += text;
        }
        return true;
    }
    BY_HANDLE_FILE_INFORMATION basic{};
    if (!::GetFileInformationByHandle(handle, &basic)) return false;
    std::swprintf(text, 80, L"%08lx:%08lx%08lx", basic.dwVolumeSerialNumber, basic.nFileIndexHigh, basic.nFileIndexLow);
    id = text;
    return true;
}

} // namespace

CString FullFolderPath(const CString& path)
{
    wchar_t full[MAX_PATH * 4];
    const DWORD length = ::GetFullPathNameW(path, MAX_PATH * 4, full, nullptr);
    CString result = length > 0 && length < MAX_PATH * 4 ? CString(full) : path;
    while (result.GetLength() > 3 && (result.Right(1) == L"\\" || result.Right(1) == L"/")) result = result.Left(result.GetLength() - 1);
    return result;
}

bool IdentifyFolder(const CString& path, FolderIdentity& identity, CString& error)
{
    identity.fullPath = FullFolderPath(path);
    // Opening the folder itself follows a link to the folder it names.
    CFileHandle folder(::CreateFileW(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.IsValid()) {
        error = DescribeFileError(path, ::GetLastError());
        return false;
    }
    CString id;
    if (FileIdOf(folder.Get(), id)) {
        identity.key = MachineName() + L"|" + id;
    } else {
        CString lower = identity.fullPath;
        lower.MakeLower();
        identity.key = MachineName() + L"|path:" + lower;
    }
    return true;
}
