// Shared pieces of the main-dialog Wine tests: the test folder, printing of
// row lists, and a recorder of the note list's WM_SETREDRAW messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/store/StoreTestSupport.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/HostedDialog.h"

namespace windowtest {

// One folder under the Wine temp folder for the whole program.
const storetest::TestFolder& Folder();
std::wstring FileIn(const wchar_t* name);

// A fresh copy of the sample note database named `name` in the folder, so
// that no test sees another's changes; a failure to write it fails the test.
std::wstring MakeSample(const wchar_t* name);
// The first column of the sample's catalogue as the list shows it after Open.
const std::vector<std::wstring>& SampleCatalogue();

// A File command that showed its file dialog and no message box.
void ExpectOpened(const dialogdriver::CommandResult& result);
// Runs Execute with `host`; once File > Open has opened `path` (expected as
// ExpectOpened does), `story` gets the dialog.
void ExecuteOnOpenedFile(dialogdriver::Host& host, const std::wstring& path, const std::function<void(HWND dialog)>& story);
// The same with a host of its own that does not allow results.
void ExecuteOnOpenedFile(const std::wstring& path, const std::function<void(HWND dialog)>& story);
// Searches `text` and expects no message box: the names of the rows.
std::vector<std::wstring> Search(HWND dialog, const std::wstring& text);

// "a, b, c" for a failure message.
std::string Join(const std::vector<std::wstring>& texts);
using dialogdriver::Narrow;

// Records every WM_SETREDRAW sent to the note list, with the number of rows
// the list held at that moment, while it lives.
class RedrawRecorder {
public:
    struct Event {
        bool redraw = false;
        int rows = 0;
    };
    explicit RedrawRecorder(HWND dialog);
    ~RedrawRecorder();
    RedrawRecorder(const RedrawRecorder&) = delete;
    RedrawRecorder& operator=(const RedrawRecorder&) = delete;
    std::vector<Event> Take();  // the events so far; the record starts afresh
    // "off@0 on@4": the events as text.
    static std::string Describe(const std::vector<Event>& events);

private:
    HHOOK m_hook = nullptr;  // owned
};

} // namespace windowtest
