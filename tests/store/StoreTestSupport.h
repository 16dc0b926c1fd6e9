// Helpers of the note store's Wine tests: test folders and files reached
// through Windows paths, and the text of the database error a call throws.
#pragma once

#include <windows.h>

#include "tests/store/FolderTree.h"

#include <functional>
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
    // The same inside `parent` instead of the temporary folder.
    TestFolder(const wchar_t* name, const std::wstring& parent);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }
    // Makes the folder `name` inside this one and returns its path.
    std::wstring MakeFolder(const wchar_t* name) const;

private:
    std::wstring m_path;
};

// What DatabaseErrorOf gives when the action throws no database error.
extern const wchar_t kNoDatabaseError[];
// The text (m_strError) of the database error `action` throws, or
// kNoDatabaseError; the thrown exception is freed.
std::wstring DatabaseErrorOf(const std::function<void()>& action);

bool FileExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
// Every file under `folder`, as "sub\\name", sorted.
std::vector<std::wstring> FilesUnder(const std::wstring& folder);

} // namespace storetest
