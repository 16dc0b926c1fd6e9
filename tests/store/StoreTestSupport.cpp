// Test folders, files and the database error a call throws.
#include "StoreTestSupport.h"

#include <algorithm>

#include "framework/CDBException.h"
#include "framework/ThrownException.h"

#include <fstream>

namespace storetest {

const wchar_t kNoDatabaseError[] = L"(no database error was thrown)";

std::wstring DatabaseErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (CDBException* e) {
        const CThrownException<CDBException> caught(e);
        return caught->m_strError.str();
    }
    return kNoDatabaseError;
}

std::wstring WindowsPathOf(const std::string& unixPath)
{
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

std::vector<std::wstring> FilesUnder(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            for (const std::wstring& inner : FilesUnder(folder + L"\\" + name)) files.push_back(name + L"\\" + inner);
        } else {
            files.push_back(name);
        }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(files.begin(), files.end());
    return files;
}

TestFolder::TestFolder(const wchar_t* name) : TestFolder(name, std::wstring())
{
}

TestFolder::TestFolder(const wchar_t* name, const std::wstring& parent)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring inside = parent.empty() ? std::wstring(temp) : parent + L"\\";
    m_path = inside + name + L" " + std::to_wstring(::GetCurrentProcessId());
    RemoveFolderTree(m_path);
    ::CreateDirectoryW(m_path.c_str(), nullptr);
}

TestFolder::~TestFolder() { RemoveFolderTree(m_path); }

std::wstring TestFolder::MakeFolder(const wchar_t* name) const
{
    const std::wstring path = File(name);
    ::CreateDirectoryW(path.c_str(), nullptr);
    return path;
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    ::CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

} // namespace storetest
