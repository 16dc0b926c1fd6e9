// Helpers of the note store's Wine tests: test folders and files reached
// through Windows paths, and a recorder that answers every message box the
// framework shows, keeping what the user would have seen.
#pragma once

#include <windows.h>

#include "tests/store/FolderTree.h"

#include <string>
#include <vector>

namespace storetest {

// The Windows path (Z:\...) of a Unix path.
std::wstring WindowsPathOf(const std::string& unixPath);

// A folder with a space in its name under the Wine user's temp folder (a C:
// path), emptied when created and removed at the end.
class TestFolder {
public:
    explicit TestFolder(const wchar_t* name);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

bool FileExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// Every file under `folder`, as "sub\\name", sorted.
std::vector<std::wstring> FilesUnder(const std::wstring& folder);

} // namespace storetest
