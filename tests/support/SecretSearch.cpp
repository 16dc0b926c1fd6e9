// Searching the registry and a folder tree for a secret.
#include "tests/support/SecretSearch.h"

namespace {

bool Holds(const std::string& bytes, const std::wstring& secret)
{
    const std::string utf16(reinterpret_cast<const char*>(secret.data()), secret.size() * sizeof(wchar_t));
    std::string utf8(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, secret.c_str(), static_cast<int>(secret.size()), nullptr, 0, nullptr, nullptr)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, secret.c_str(), static_cast<int>(secret.size()), &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
    return bytes.find(utf16) != std::string::npos || bytes.find(utf8) != std::string::npos;
}

bool NameHolds(const wchar_t* name, const std::wstring& secret) { return std::wstring(name).find(secret) != std::wstring::npos; }

void SearchKey(HKEY key, const std::wstring& path, const std::wstring& secret, std::vector<std::wstring>& found)
{
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384, size = 0;
        if (::RegEnumValueW(key, index, name, &nameLength, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) break;
        std::string data(size, '\0');
        nameLength = 16384;
        ::RegEnumValueW(key, index, name, &nameLength, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size);
        if (NameHolds(name, secret) || Holds(data, secret)) found.push_back(path + L"\\" + name);
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (::RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (NameHolds(name, secret)) found.push_back(path + L"\\" + name);
        HKEY child = nullptr;
        if (::RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        SearchKey(child, path + L"\\" + name, secret, found);
        ::RegCloseKey(child);
    }
}

std::string FileBytes(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes(::GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

void SearchFolder(const std::wstring& folder, const std::wstring& secret, std::vector<std::wstring>& found)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) SearchFolder(path, secret, found);
        else if (Holds(FileBytes(path), secret)) found.push_back(path);
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
}

} // namespace

std::vector<std::wstring> RegistryPlacesHolding(HKEY key, const std::wstring& path, const std::wstring& secret)
{
    std::vector<std::wstring> found;
    SearchKey(key, path, secret, found);
    return found;
}

std::vector<std::wstring> FilesHolding(const std::wstring& folder, const std::wstring& secret)
{
    std::vector<std::wstring> found;
    if (!folder.empty()) SearchFolder(folder, secret, found);
    return found;
}
