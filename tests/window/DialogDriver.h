// Drives a running Quillbox dialog from a second thread the way a user does:
// the File commands through the real file dialogs, rows of the note list,
// the Find button and its scope menu, message boxes. Every call returns only
// once the dialog's thread has handled what it started (or sits in a modal
// loop it opened, such as a message box), so a script can check the result
// at once. Used by the main-dialog tests and by programs that take pictures
// of the dialog; it has no test framework of its own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dialogdriver {

// Control and command identifiers of the main dialog.
constexpr int kFindText = 1002;
constexpr int kTab = 1007;
constexpr int kFindButton = 1009;
constexpr int kNoteList = 1020;
constexpr int kFindFrame = 1024;
constexpr int kFileNew = 32781;
constexpr int kFileOpen = 32782;
constexpr int kFindName = 32779;
constexpr int kFindDescription = 32780;
constexpr int kFindSequel = 32788;
constexpr int kFileExport = 32786;
constexpr int kFileImport = 32787;
constexpr int kHelpAbout = 32775;

// Waits until the dialog's thread has handled everything posted to it so far
// and is back in a message loop. Returns the message box that loop belongs to
// (possibly not yet visible), or null when no message box is open.
HWND Settle(HWND dialog);

// A message box as the user saw it.
struct SeenBox {
    std::wstring text;
    UINT icon = 0;  // MB_ICON..., 0 when none could be told
};
// Answers every message box that is open or opens while the dialog settles
// with OK, and returns them in order.
std::vector<SeenBox> AnswerBoxes(HWND dialog);

// What a File command did.
struct CommandResult {
    bool fileDialogShown = false;  // the Open or Save As dialog appeared
    std::vector<SeenBox> boxes;    // message boxes shown afterwards, answered with OK
};
// File, Open: chooses `path` in the "Open" dialog and confirms it.
CommandResult OpenFile(HWND dialog, const std::wstring& path);
// File, New: types `path` into the "Save As" dialog and confirms it.
CommandResult NewFile(HWND dialog, const std::wstring& path);
// File, New or Open (`command`), then Cancel in the file dialog, after
// typing `path` into it when one is given.
CommandResult CancelFileCommand(HWND dialog, int command, const std::wstring& path = std::wstring());

// File, Export or File, Import: chooses `folder` in the "Browse for Folder"
// window's tree and confirms it (an empty `folder`: cancels it); the message boxes
// that follow are answered with `answer` (IDOK, or IDCANCEL for a question).
CommandResult ChooseFolder(HWND dialog, int command, const std::wstring& folder, int answer = IDOK);

// The same for work long enough to show the progress window, which is
// cancelled as soon as it shows; the boxes that follow are answered with OK.
// True when a progress window showed and was cancelled.
bool ChooseFolderCancellingProgress(HWND dialog, int command, const std::wstring& folder, std::vector<SeenBox>& boxes);

// One row of the note list.
struct Row {
    std::wstring name;
    std::wstring description;
    int image = -1;
    int indent = 0;
};
std::vector<Row> ListRows(HWND dialog);
// The names of the rows, in order.
std::vector<std::wstring> RowNames(HWND dialog);
// The row showing `name`, or -1.
int FindRow(HWND dialog, const std::wstring& name);
// The selected row, or -1.
int SelectedRow(HWND dialog);
// Double-clicks the name of row `row` (in the note list's client area).
// A message box it opens stays open (see AnswerBoxes).
void DoubleClickRow(HWND dialog, int row);
// Double-clicks the first group row (closed-folder icon) so that it
// expands; returns its row, or -1 when the list shows no group.
int ExpandFirstGroup(HWND dialog);

// Opens `path` through File, Open and expands the first group of the list.
// True when no message box appeared and a group was expanded.
bool ShowDatabaseWithGroupExpanded(HWND dialog, const std::wstring& path);

// Types `text` into the Find box (replacing what it holds).
void SetFindText(HWND dialog, const std::wstring& text);
// Clicks the main part of the Find button (a search, or a reload when the
// box is empty). A message box it opens stays open (see AnswerBoxes).
void PressFind(HWND dialog);
// Clicks the drop-down part of the Find button and returns the scope menu's
// window once it is open (null when none appeared).
HWND OpenFindMenu(HWND dialog);
// Items of an open pop-up menu: identifiers, check marks and the default.
struct MenuItem {
    UINT id = 0;
    std::wstring text;
    bool checked = false;
    bool isDefault = false;  // drawn bold
};
struct MenuSnapshot {
    std::vector<MenuItem> items;
    UINT defaultId = 0;  // GetMenuDefaultItem; 0 when the menu has none
};
MenuSnapshot ReadMenu(HWND menuWindow);
// Picks the item at `position` with the arrow keys and Enter, as a user does,
// and waits until the command that opened the menu has finished.
void ChooseMenuItem(HWND dialog, HWND menuWindow, int position);
// Closes the menu with Escape and waits likewise.
void DismissMenu(HWND dialog, HWND menuWindow);
// Sets the scope flags to the wanted state through the menu.
void SetSearchScope(HWND dialog, bool inName, bool inDescription, bool inSequel);

// The pages of the tab control, found by their controls.
struct Pages {
    HWND view = nullptr;
    HWND edit = nullptr;
    HWND groupEdit = nullptr;
    HWND results = nullptr;
};
Pages FindPages(HWND dialog);
std::vector<std::wstring> TabCaptions(HWND dialog);
// The caption of the tab in front.
std::wstring CurrentTab(HWND dialog);
// Brings tab `index` to the front as the tab control does for a click.
void SelectTab(HWND dialog, int index);
std::vector<std::wstring> ComboEntries(HWND combo);
std::wstring Text(HWND window);
std::wstring ItemText(HWND parent, int id);
// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// File, Options: the sheet once it is open (null when none appeared).
HWND OpenOptions(HWND dialog);
// The General page's "On DBl Click show page" list.
HWND ShowPageList(HWND sheet);
// The entry the list shows as chosen (empty when none).
std::wstring ChosenShowPage(HWND sheet);
// Chooses entry `index` of the list as a user does: the list selects it and
// tells the page.
void ChooseShowPage(HWND sheet, int index);
// Whether the sheet's Apply button can be pressed.
bool ApplyEnabled(HWND sheet);
// Presses Apply and returns once the sheet has handled it.
void PressApply(HWND sheet);
// Presses OK or Cancel (IDOK, IDCANCEL) and waits until the sheet is gone
// and the dialog has settled; false when the sheet stayed.
bool CloseOptions(HWND dialog, HWND sheet, int button);

// The File menu as "text=id" entries, separators as "|".
std::vector<std::wstring> FileMenu(HWND dialog);
// The texts of the recent-file entries of the File menu, in order.
std::vector<std::wstring> RecentFileEntries(HWND dialog);
// Chooses recent-file entry `number` (1 to 4) on the File menu and answers
// the message boxes it shows, in order.
std::vector<SeenBox> ChooseRecentFile(HWND dialog, int number);

// Closes whatever modal window a failed script left open (message boxes,
// file dialogs, menus), so that the dialog can be ended.
void CloseStrayWindows(HWND dialog);

} // namespace dialogdriver
