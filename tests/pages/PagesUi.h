// Helpers of the page tests: they drive the Quillbox dialog as a user does
// (File New and Open through the real file dialogs, the tab control, the
// note list, the pages' boxes, lists and buttons) from the script thread and
// answer the message boxes that each action shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pages {

// Controls of the pages.
constexpr int kViewQuery = 1002;
constexpr int kViewExecute = 1021;
constexpr int kEditTitle = 1002;
constexpr int kEditComments = 1013;
constexpr int kEditQuery = 1014;
constexpr int kEditGroup = 1015;
constexpr int kEditSave = 1012;
constexpr int kEditDelete = 1021;
constexpr int kEditNew = 1025;
constexpr int kGroupName = 1015;
constexpr int kGroupComments = 1002;
constexpr int kGroupSave = 1016;
constexpr int kGroupDelete = 1021;
// Menu commands of the main dialog.
constexpr int kFileNew = 32781;
constexpr int kFileOpen = 32782;

// One message box as the user saw it.
struct Box {
    std::wstring text;
    std::wstring caption;
    UINT icon = 0;  // MB_ICON...
};

// Sends `message` to a window of the dialog's thread and answers each message
// box it shows with the next of `answers` (IDOK once they run out); returns
// the boxes in the order they came.
std::vector<Box> Act(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::vector<int> answers = {});
// A click on button `id` of `page` (WM_COMMAND with BN_CLICKED from the button).
std::vector<Box> Click(HWND page, int id, std::vector<int> answers = {});

struct Pages {
    HWND view = nullptr;
    HWND edit = nullptr;
    HWND groupEdit = nullptr;
};
Pages FindPages(HWND dialog);
// Selects tab `index` as a click on it does.
void ShowTab(HWND dialog, int index);

// File New and File Open, typing `path` into the real Save As / Open dialog.
std::vector<Box> FileNew(HWND dialog, const std::wstring& path);
std::vector<Box> FileOpen(HWND dialog, const std::wstring& path);

std::wstring Text(HWND page, int id);
void SetText(HWND page, int id, const std::wstring& text);
bool IsEnabled(HWND page, int id);
bool IsVisible(HWND page, int id);

// A combo box's entries (text and item data) and its selection.
std::vector<std::wstring> ComboTexts(HWND page, int id);
std::vector<int> ComboIds(HWND page, int id);
int ComboSelection(HWND page, int id);
// Chooses the entry with `text` as a user's pick does (selection, then CBN_SELCHANGE).
std::vector<Box> ChooseEntry(HWND page, int id, const std::wstring& text, std::vector<int> answers = {});

// The note list: the first column of every row, the row with `text` (-1
// when none), and a double-click on a row.
std::vector<std::wstring> ListRows(HWND dialog);
int FindRow(HWND dialog, const std::wstring& text);
std::vector<Box> DoubleClickRow(HWND dialog, int row, std::vector<int> answers = {});
// Types `text` into the Find box and presses the main part of the Find button.
std::vector<Box> Find(HWND dialog, const std::wstring& text);
// Opens the Find button's scope menu and picks item `index` (0 Name, 1 Description, 2 Sequel).
void ToggleScope(HWND dialog, int index);

// Test files: a folder under the Wine user's temp folder, and copies of a
// note database put where the native check reads them.
std::wstring NewTestFolder(const wchar_t* name);
void RemoveTestFolder(const std::wstring& path);
void Snapshot(const std::wstring& file, const char* name);
void ClearSnapshots();

// A connection of the test's own to a note database, for changes made "by
// someone else" while the dialog has the file open.
void ExecuteOnFile(const std::wstring& file, const std::vector<std::wstring>& statements);

std::string Narrow(const std::wstring& text);
// A UTF-16 literal of the shared test data as a Windows string.
inline std::wstring W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
using Texts = std::vector<std::wstring>;
using Ids = std::vector<int>;

} // namespace pages
