// Win32 file work of exports and imports.
#include "store/exchange/NoteFolderFiles.h"

#include "store/exchange/FileHandle.h"

#include <windows.h>

#include <algorithm>

#include <cwchar>

namespace {

bool Fail(CString& error, const CString& path, DWORD code)
{
    error = DescribeFileError(path, code);
    return false;
}

} // namespace

CString ParentFolder(const CString& path)
{
    std::wstring text = path.str();
    while (!text.empty() && (text.back() == L'\\' || text.back() == L'/')) text.pop_back();
    const size_t slash = text.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return CString(L".");
    // A drive's root keeps its backslash: the parent of "C:\\x" is "C:\\".
    return CString(text.substr(0, slash == 2 && text[1] == L':' ? 3 : slash));
}

CString JoinPath(const CString& folder, const CString& name)
{
    if (folder.IsEmpty()) return name;
    const wchar_t last = folder.str().back();
    return (last == L'\\' || last == L'/') ? folder + name : folder + L"\\" + name;
}

CString DescribeFileError(const CString& path, unsigned long code)
{
    if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL)
        return path + L": the disk is full. Free some space on it and try again.";
    wchar_t* text = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    CString reason = text ? CString(text) : CString();
    if (text) ::LocalFree(text);
    reason.TrimRight();
    if (reason.IsEmpty()) {
        wchar_t number[32];
        std::swprintf(number, 32, L"error %lu", static_cast<unsigned long>(code));
        reason = number;
    }
    return path + L": " + reason;
}

bool ListFolder(const CString& path, std::vector<FolderItem>& items, CString& error)
{
    items.clear();
    WIN32_FIND_DATAW data;
    CFindHandle find(::FindFirstFileW(JoinPath(path, L"*"), &data));
    if (find.Get() == INVALID_HANDLE_VALUE) return Fail(error, path, ::GetLastError());
    do {
        if (std::wcscmp(data.cFileName, L".") == 0 || std::wcscmp(data.cFileName, L"..") == 0) continue;
        FolderItem item;
        item.name = data.cFileName;
        item.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        item.size = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        item.writeTime = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
        items.push_back(item);
    } while (::FindNextFileW(find.Get(), &data));
    const DWORD last = ::GetLastError();
    if (last != ERROR_NO_MORE_FILES) return Fail(error, path, last);
    return true;
}

bool ReadWholeFile(const CString& path, long long limit, std::string& bytes, bool& tooLarge, CString& error)
{
    tooLarge = false;
    bytes.clear();
    CFileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.IsValid()) return Fail(error, path, ::GetLastError());
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size)) return Fail(error, path, ::GetLastError());
    if (size.QuadPart > limit) {
        tooLarge = true;
        return false;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!::ReadFile(file.Get(), &bytes[done], want, &read, nullptr)) return Fail(error, path, ::GetLastError());
        if (read == 0) break;  // the file shrank meanwhile
        done += read;
    }
    bytes.resize(done);
    return true;
}

bool IsTemporaryFileName(const CString& name)
{
    const std::wstring& text = name.str();
    if (text.size() < 8 || text.compare(0, 3, L"~qb") != 0 || text.compare(text.size() - 4, 4, L".tmp") != 0) return false;
    return std::all_of(text.begin() + 3, text.end() - 4, [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; });
}

bool WriteFileWhole(const CString& path, const std::string& bytes, CString& error)
{
    // The temporary file sits beside the target, so the rename stays on one
    // volume, under a short name that no existing file has (paths stay short).
    const int slash = path.ReverseFind(L'\\');
    const CString folder = slash < 0 ? CString() : path.Left(slash + 1);
    CString temporary;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int n = 1; created == INVALID_HANDLE_VALUE && n < 1000; ++n) {
        wchar_t name[32];
        std::swprintf(name, 32, L"~qb%d.tmp", n);
        temporary = folder + name;
        created = ::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
    }
    {
        CFileHandle file(created);
        if (!file.IsValid()) return Fail(error, path, ::GetLastError());
        size_t done = 0;
        while (done < bytes.size()) {
            DWORD written = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
            if (!::WriteFile(file.Get(), bytes.data() + done, want, &written, nullptr) || written == 0) {
                const DWORD code = ::GetLastError();
                file.Close();
                ::DeleteFileW(temporary);
                return Fail(error, path, code ? code : ERROR_WRITE_FAULT);
            }
            done += written;
        }
        // No flush per file: a kill cannot tear a file that is renamed only once
        // written, and the export can always be written again from the database.
        if (!file.Close()) {
            const DWORD code = ::GetLastError();
            ::DeleteFileW(temporary);
            return Fail(error, path, code);
        }
    }
    if (!::MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = ::GetLastError();
        ::DeleteFileW(temporary);
        return Fail(error, path, code);
    }
    return true;
}

bool EnsureFolder(const CString& path, CString& error)
{
    const DWORD present = ::GetFileAttributesW(path);
    if (present != INVALID_FILE_ATTRIBUTES && (present & FILE_ATTRIBUTE_DIRECTORY)) return true;
    if (::CreateDirectoryW(path, nullptr)) return true;
    const DWORD code = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(path);
    if (code == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    return Fail(error, path, code);
}

bool RenameEntry(const CString& from, const CString& to, CString& error)
{
    if (::MoveFileW(from, to)) return true;
    return Fail(error, to, ::GetLastError());
}

bool RemoveFile(const CString& path, CString& error)
{
    if (::DeleteFileW(path) || ::GetLastError() == ERROR_FILE_NOT_FOUND) return true;
    return Fail(error, path, ::GetLastError());
}

CString AnsiToWide(const std::string& bytes)
{
    if (bytes.empty()) return CString();
    const int length = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (length <= 0) return CString();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), &wide[0], length);
    return CString(std::move(wide));
}
