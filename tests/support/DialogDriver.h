// Drives a running Quillbox dialog from a second thread the way a user does:
// the File commands through the real file dialogs and folder picker, rows of
// the note list, the Find button and its scope menu, the pages' boxes, lists
// and buttons, the Options sheet. An action posts its input, waits until the
// dialog's thread has handled it and answers the message boxes it showed
// (OK, or the answers given, in order), which it returns. The Post... halves
// only post, for callers that wait or time on their own. Control ids come
// from the module's resource header. No test framework is linked.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/UiDriver.h"

namespace dialogdriver {

using ui::SeenBox;
using Boxes = std::vector<SeenBox>;
using Answers = std::vector<int>;

// Waits until the dialog's thread has handled everything posted to it so far
// and is back in a message loop. Returns the message box that loop belongs to
// (possibly not yet visible), or null when no message box is open.
HWND Settle(HWND dialog);
// Answers every message box that is open or opens while the dialog settles,
// with the next of `answers` (IDOK once they run out), and returns them in order.
Boxes AnswerBoxes(HWND dialog, const Answers& answers = {});
// "[text icon n]..." ("no message box") for failure messages.
std::string Describe(const Boxes& boxes);
// The ASCII characters of `text`, '?' for the rest.
std::string Narrow(const std::wstring& text);

// Posts a click of button `id` of `parent` (WM_COMMAND with BN_CLICKED); a
// disabled button takes no click. False when it was disabled or missing.
bool PostClick(HWND parent, int id);
// Posts a key press and release to `window`, as typing it does.
void PostKey(HWND window, UINT key);
// PostClick, then the boxes answered.
Boxes Click(HWND parent, int id, const Answers& answers = {});
// A menu command of the dialog, as choosing it does; the boxes answered.
Boxes Command(HWND dialog, int id, const Answers& answers = {});

std::wstring Text(HWND window);
std::wstring ItemText(HWND parent, int id);
void SetItemText(HWND parent, int id, const std::wstring& text);
bool IsItemEnabled(HWND parent, int id);
bool IsItemVisible(HWND parent, int id);
// A combo box's entries, their item data and its selection (-1 for none).
std::vector<std::wstring> ComboEntries(HWND combo);
std::vector<int> ComboIds(HWND combo);
int ComboSelection(HWND combo);
// Chooses the entry reading `text` as a user's pick does (selection, then CBN_SELCHANGE).
Boxes ChooseEntry(HWND parent, int id, const std::wstring& text, const Answers& answers = {});
// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// What a File command did.
struct CommandResult {
    bool fileDialogShown = false;  // the Open, Save As or folder dialog appeared
    Boxes fileDialogBoxes;         // shown by the file dialog itself, answered with OK
    bool stayedOpen = false;       // the file dialog did not take the name and was cancelled
    std::wstring folderShown;      // the folder it showed then
    std::wstring pickerStart;      // the folder the folder picker showed selected as it opened (its name)
    Boxes boxes;                   // shown by Quillbox afterwards
    bool progressCancelled = false;  // a progress window showed and was cancelled
};
// "file dialog said [..]; file dialog stayed open in X; Quillbox: [..]" for failure messages.
std::string Describe(const CommandResult& result);
// File, New or Open (`command`) up to its file dialog, with `path` typed into
// it: the file dialog, not yet confirmed, or null when none appeared.
HWND StartFileCommand(HWND dialog, int command, const std::wstring& path);
// The file dialog titled `title` ("Open", "Save As") once it shows, with
// `path` typed into it when given; null when none appeared.
HWND WaitForFileDialog(const wchar_t* title, const std::wstring& path);
// File, Open: chooses `path` in the "Open" dialog and confirms it.
CommandResult OpenFile(HWND dialog, const std::wstring& path);
// File, New: types `path` into the "Save As" dialog and confirms it; the
// message boxes that follow get `answers` (IDOK once they run out).
CommandResult NewFile(HWND dialog, const std::wstring& path, const Answers& answers = {});
// File, New or Open, then Cancel in the file dialog, after typing `path`
// into it when one is given.
CommandResult CancelFileCommand(HWND dialog, int command, const std::wstring& path = std::wstring());
// File, New or Open with whatever a user may type: a name the file dialog
// does not take leaves it open (stayedOpen), and it is cancelled.
CommandResult RunFileCommand(HWND dialog, int command, const std::wstring& typed, bool confirm = true, const Answers& answers = {});

// Called with a message box once it shows, before it is answered.
using BoxLook = std::function<void(HWND box)>;
// File, Export or File, Import: chooses `folder` in the folder picker and
// confirms it (an empty `folder`: cancels it); the message boxes that follow
// are answered with `answer` (IDOK, or IDCANCEL for a question). With
// `cancelProgress` the progress window of long work is cancelled as soon as
// it shows (progressCancelled).
CommandResult ChooseFolder(HWND dialog, int command, const std::wstring& folder, int answer = IDOK, const BoxLook& look = nullptr,
                           bool cancelProgress = false);
// The same with `typed` typed into the picker's path box and OK pressed. A
// box the picker shows for it is answered (fileDialogBoxes), and the
// picker, left open (stayedOpen), is cancelled.
CommandResult TypeFolder(HWND dialog, int command, const std::wstring& typed, int answer = IDOK);

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
// Selects and focuses `row` as a click would leave it, without a click.
void SelectRow(HWND dialog, int row);
// Brings `row` into view and clicks, or double-clicks, its name.
Boxes ClickRow(HWND dialog, int row);
Boxes DoubleClickRow(HWND dialog, int row, const Answers& answers = {});
// Opens `path` through File, Open and expands the first group of the list.
// True when no message box appeared and a group was expanded.
bool ShowDatabaseWithGroupExpanded(HWND dialog, const std::wstring& path);

// Types `text` into the Find box (replacing what it holds).
void SetFindText(HWND dialog, const std::wstring& text);
// Clicks the main part of the Find button (a search, or a reload when the
// box is empty).
Boxes PressFind(HWND dialog);
// SetFindText and PressFind.
Boxes Find(HWND dialog, const std::wstring& text);
// Clicks the drop-down part of the Find button and returns the scope menu's
// window once it is open (null when none appeared).
HWND OpenFindMenu(HWND dialog);
// Items of a menu: identifiers, texts, check marks and the default.
struct MenuItem {
    UINT id = 0;
    std::wstring text;
    bool checked = false;
    bool isDefault = false;  // drawn bold
    bool separator = false;
    bool enabled = true;
};
struct MenuSnapshot {
    std::vector<MenuItem> items;
    UINT defaultId = 0;  // GetMenuDefaultItem; 0 when the menu has none
};
MenuSnapshot ReadMenu(HMENU menu);
// The menu of an open pop-up menu's window.
MenuSnapshot ReadMenu(HWND menuWindow);
// A menu as "text=id" entries (" disabled" after a disabled one), separators as "|".
std::vector<std::wstring> MenuEntries(HMENU menu);
// Picks the item at `position` with the arrow keys and Enter, as a user does,
// and waits until the command that opened the menu has finished.
void ChooseMenuItem(HWND dialog, HWND menuWindow, int position);
// Closes the menu with Escape and waits likewise.
void DismissMenu(HWND dialog, HWND menuWindow);
// Opens the scope menu and picks item `position` (0 Name, 1 Description, 2 Sequel);
// false when no menu appeared.
bool ToggleScope(HWND dialog, int position);
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
// The captions of a tab control's tabs.
std::vector<std::wstring> TabCaptions(HWND tab);
// The caption of the tab in front.
std::wstring CurrentTab(HWND dialog);
// Brings tab `index` to the front as the tab control does for a click.
void SelectTab(HWND dialog, int index);
// Clicks tab `index` of the strip with the mouse; the boxes answered.
Boxes ClickTab(HWND dialog, int index);

// The window that has the keyboard focus on the dialog's thread.
HWND FocusedWindow(HWND dialog);
// Keys held down with a key press.
enum Modifiers { kNoModifier = 0, kCtrl = 1, kShift = 2, kAlt = 4 };
// Presses `key` on the window with the focus, with `modifiers` held down in
// the dialog thread's key state (Alt sends it as a system key), and answers
// the message boxes it shows.
Boxes PressKey(HWND dialog, UINT key, int modifiers = kNoModifier, const Answers& answers = {});

// A note as the Edit page holds it; `groupId` is the chosen group's number (0 for none).
struct TypedNote {
    std::wstring title;
    std::wstring comments;
    std::wstring query;
    int groupId = 0;
};
// New on the Edit page, then the texts typed in and the group entry
// `groupChoice` chosen (-1: the entry of no group). Nothing is saved yet.
void TypeNewNote(HWND dialog, const TypedNote& note, int groupChoice = -1);
TypedNote EditPageNote(HWND dialog);
// TypeNewNote in no group, query "SELECT '<title>'", then Save: the boxes,
// empty when the note was saved quietly.
Boxes SaveNewNote(HWND dialog, const std::wstring& title);
// True when the dialog's thread does not answer a sent message within
// `timeoutMs`: it is inside a handler, such as a save waiting for a lock.
bool IsBusy(HWND dialog, UINT timeoutMs = 50);
// Whether the dialog becomes busy within `withinMs`: a posted click is taken
// only once the dialog's queue reaches it, which quick idle polls can outrun.
bool BecomesBusy(HWND dialog, DWORD withinMs = 3000);

// Running notes (the View page's Execute, the Results page).
// Types `text` (a data source name or a connection string) into the Results page's source box.
void SetRunSource(HWND dialog, const std::wstring& text);
// Waits until no run goes on (Execute reads "&Execute" again and the dialog
// has settled); false when one still runs after `timeoutMs`.
bool WaitForRunEnd(HWND dialog, DWORD timeoutMs = 60000);
// Clicks Execute and waits for the run's end; the boxes the click showed,
// answered with `answers` (a question about changes, then IDOK).
Boxes Execute(HWND dialog, const Answers& answers = {});
// The Results list: its column headings, its number of rows (those read
// so far), one cell's text as drawn, and the status line. Columns count
// from 0 as the result's do (the list's own first column is an empty one
// of no width).
std::vector<std::wstring> ResultColumns(HWND dialog);
int ResultRowCount(HWND dialog);
std::wstring ResultCell(HWND dialog, int row, int column);
std::wstring ResultStatus(HWND dialog);

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

// The File menu's MenuEntries.
std::vector<std::wstring> FileMenu(HWND dialog);
// The texts of the recent-file entries of the File menu, in order.
std::vector<std::wstring> RecentFileEntries(HWND dialog);
// Chooses recent-file entry `number` (1 to 4) on the File menu and answers
// the message boxes it shows, in order.
Boxes ChooseRecentFile(HWND dialog, int number);

// Closes whatever modal window a failed script left open (message boxes,
// file dialogs, menus), so that the dialog can be ended.
void CloseStrayWindows(HWND dialog);

} // namespace dialogdriver
