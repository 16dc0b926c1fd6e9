// Helpers of the note store's Wine tests: test folders and files reached
// through Windows paths, and a recorder that answers every message box the
// framework shows, keeping what the user would have seen.
#pragma once

#include <windows.h>

#include "tests/store/FolderTree.h"

#include <atomic>
#include <string>
#include <thread>
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

// One message box as the user saw it.
struct SeenBox {
    std::wstring text;
    std::wstring caption;
    UINT icon = 0;       // MB_ICON...
    HWND owner = nullptr;
};

// While it lives, a second thread answers each message box of this process
// with `button` (IDOK by default) and records it.
class BoxRecorder {
public:
    explicit BoxRecorder(int button = IDOK);
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;
    // Stops answering and returns what was seen.
    std::vector<SeenBox> Stop();

private:
    void Run();
    int m_button;
    std::atomic<bool> m_stop{false};
    std::vector<SeenBox> m_boxes;  // written by the thread until Stop joins it
    std::thread m_thread;
};

} // namespace storetest
