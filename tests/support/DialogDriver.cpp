// Driving the Quillbox dialog from a second thread. Input is posted, as real
// input arrives; Settle then waits for a marker message posted behind it,
// which a message hook on the dialog's thread sees when that thread takes it
// from its queue: everything posted before has been handled by then.
#include "tests/support/DialogDriver.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <atomic>

#include "res/resource.h"
#include "tests/support/UiDriver.h"

namespace dialogdriver {

namespace {

constexpr UINT kMarker = WM_APP + 0x51;
constexpr DWORD kPatienceMs = 60000;  // for a window that should come: a hang, not a speed check (a busy machine is slow)
constexpr int kFileNameBox = 1148;     // the file dialogs' name box
constexpr int kApplyButton = 0x3021;   // the property sheet's Apply
constexpr DWORD kTakenWithinMs = 3000; // a file dialog still open after this kept the name

std::atomic<long> g_markersPosted{0};
std::atomic<long> g_markersSeen{0};
std::atomic<DWORD> g_hookedThread{0};

LRESULT CALLBACK WatchRetrievedMessages(int code, WPARAM removal, LPARAM param)
{
    auto* msg = reinterpret_cast<MSG*>(param);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == kMarker) {
        const long marker = static_cast<long>(msg->wParam);
        if (marker > g_markersSeen) g_markersSeen = marker;
        msg->message = WM_NULL;  // the dialog never sees the marker
    }
    return ::CallNextHookEx(nullptr, code, removal, param);
}

// One hook per thread for the life of the process: the dialogs of a test
// program all run on its main thread.
void WatchThreadOf(HWND dialog)
{
    const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
    if (g_hookedThread == thread) return;
    if (::SetWindowsHookExW(WH_GETMESSAGE, &WatchRetrievedMessages, nullptr, thread)) g_hookedThread = thread;
}

using ui::DirectChildren;
using ui::OwnTopLevelWindows;

bool IsFileDialog(HWND window) { return ui::ClassName(window) == L"#32770" && ::GetDlgItem(window, kFileNameBox); }

// A dialog that holds a control of class `childClass` among its own.
bool IsDialogWith(HWND window, const wchar_t* childClass)
{
    return ui::ClassName(window) == L"#32770" && ::FindWindowExW(window, nullptr, childClass, nullptr);
}

// The first visible top-level window of this process that passes `test`, or null.
template <class Test>
HWND FindShown(Test test)
{
    for (HWND window : OwnTopLevelWindows()) {
        if (::IsWindowVisible(window) && test(window)) return window;
    }
    return nullptr;
}

// The progress window of long work (it goes by itself when the work ends)
// and the folder picker, with its folder tree.
HWND FindProgressWindow() { return FindShown([](HWND w) { return IsDialogWith(w, L"msctls_progress32"); }); }
HWND FindFolderPicker() { return FindShown([](HWND w) { return IsDialogWith(w, L"SysTreeView32"); }); }

// A message box of this process, shown or about to be shown.
HWND FindMessageBox(HWND owner = nullptr)
{
    for (HWND window : OwnTopLevelWindows()) {
        if (ui::IsMessageBox(window) && (!owner || ::GetWindow(window, GW_OWNER) == owner)) return window;
    }
    return nullptr;
}

template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kPatienceMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs) return false;
        ::Sleep(5);
    }
    return true;
}

bool WaitDestroyed(HWND window) { return WaitUntil([window] { return !::IsWindow(window); }); }

// Answers `box` once it shows, after `look` had a look at it.
SeenBox Answer(HWND box, int answer = IDOK, const BoxLook& look = nullptr)
{
    WaitUntil([box] { return !::IsWindow(box) || ::IsWindowVisible(box); });
    if (look) look(box);
    return ui::AnswerMessageBox(box, answer);
}

void PostMouseClick(HWND window, int x, int y, bool twice = false)
{
    const LPARAM at = MAKELPARAM(x, y);
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(window, WM_LBUTTONUP, 0, at);
    if (!twice) return;
    ::PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::PostMessageW(window, WM_LBUTTONUP, 0, at);
}

HWND List(HWND dialog) { return ::GetDlgItem(dialog, IDC_NOTE_LIST); }

// The name of the folder the picker's tree shows as selected.
std::wstring SelectedFolderName(HWND picker)
{
    HWND tree = ::FindWindowExW(picker, nullptr, L"SysTreeView32", nullptr);
    const auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    wchar_t text[MAX_PATH] = {};
    TVITEMW info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = MAX_PATH;
    if (!item || !::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info))) return std::wstring();
    return text;
}

std::wstring LastFolderName(std::wstring folder)
{
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder.substr(folder.find_last_of(L'\\') + 1);
}

// Types `typed` into the picker's path box, as keys arrive, and presses OK.
// A box the picker answers with is answered; the picker, still open, is cancelled.
void TypeIntoPathBox(HWND picker, const std::wstring& typed, CommandResult& result)
{
    HWND box = ::FindWindowExW(picker, nullptr, L"Edit", nullptr);
    ::SendMessageW(box, EM_SETSEL, 0, -1);
    for (wchar_t c : typed) ::PostMessageW(box, WM_CHAR, c, 1);
    ::PostMessageW(picker, WM_COMMAND, IDOK, 0);
    HWND own = nullptr;
    WaitUntil([&] { return !::IsWindow(picker) || (own = FindMessageBox(picker)) != nullptr; });
    if (!own) return;
    result.fileDialogBoxes.push_back(Answer(own));
    result.stayedOpen = true;
    result.folderShown = SelectedFolderName(picker);
    ::PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    WaitDestroyed(picker);
}

// Picks `folder` in the tree (or types `typed`) for a File command that asks
// for one; false when no picker came.
bool PickInFolderPicker(HWND dialog, int command, const std::wstring& folder, const std::wstring& typed, CommandResult& result)
{
    // Wine's folder tree lists a folder's children once, when it opens it; if
    // a folder on the way changes meanwhile (other tests write beside it), the
    // list can miss the way down and the selection stops short. The picker is
    // then cancelled and opened again, up to three times in all.
    for (int attempt = 1;; ++attempt) {
        ::PostMessageW(dialog, WM_COMMAND, command, 0);
        HWND picker = nullptr;
        // A dialog still being built can look like a message box: only a shown one counts.
        WaitUntil([&] { return (picker = FindFolderPicker()) != nullptr || FindShown(ui::IsMessageBox) != nullptr; });
        if (!picker) return false;
        if (attempt == 1) result.pickerStart = SelectedFolderName(picker);
        if (!typed.empty()) {
            TypeIntoPathBox(picker, typed, result);
            return true;
        }
        // The user's walk through the folder tree, in one message.
        if (!folder.empty()) ::SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        const bool reached = folder.empty() || ::lstrcmpiW(SelectedFolderName(picker).c_str(), LastFolderName(folder).c_str()) == 0;
        const bool done = reached || attempt == 3;
        ::PostMessageW(picker, WM_COMMAND, folder.empty() || !done ? IDCANCEL : IDOK, 0);
        WaitDestroyed(picker);
        if (done) return true;
    }
}

// Brings `row` into view and posts a click (or a double-click) on its name;
// false when the list has no such row.
bool PostRowClick(HWND dialog, int row, bool twice)
{
    HWND list = List(dialog);
    if (row < 0) return false;
    ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
    RECT label = {};
    label.left = LVIR_LABEL;
    if (!::SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label))) return false;
    PostMouseClick(list, (label.left + label.right) / 2, (label.top + label.bottom) / 2, twice);
    return true;
}

// A click on the main part of the Find button, left of its arrow.
void PostFind(HWND dialog)
{
    HWND button = ::GetDlgItem(dialog, IDC_FIND);
    RECT client = {};
    ::GetClientRect(button, &client);
    PostMouseClick(button, 10, client.bottom / 2);
}

// Double-clicks the first group row (closed-folder icon) so that it
// expands; returns its row, or -1 when the list shows no group.
int ExpandFirstGroup(HWND dialog)
{
    const std::vector<Row> rows = ListRows(dialog);
    for (size_t index = 0; index < rows.size(); ++index) {
        if (rows[index].image != 1) continue;
        DoubleClickRow(dialog, static_cast<int>(index));
        return static_cast<int>(index);
    }
    return -1;
}

} // namespace

HWND Settle(HWND dialog)
{
    if (!::IsWindow(dialog)) return nullptr;
    WatchThreadOf(dialog);
    const long marker = ++g_markersPosted;
    if (!::PostMessageW(dialog, kMarker, static_cast<WPARAM>(marker), 0)) return nullptr;
    WaitUntil([marker, dialog] { return g_markersSeen >= marker || !::IsWindow(dialog); });
    return FindMessageBox();
}

Boxes AnswerBoxes(HWND dialog, const Answers& answers)
{
    Boxes boxes;
    while (HWND box = Settle(dialog)) boxes.push_back(Answer(box, boxes.size() < answers.size() ? answers[boxes.size()] : IDOK));
    return boxes;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::string Describe(const Boxes& boxes)
{
    std::string out;
    for (const SeenBox& box : boxes) out += "[" + Narrow(box.text) + " icon " + std::to_string(box.icon) + "]";
    return out.empty() ? "no message box" : out;
}

std::string Describe(const CommandResult& result)
{
    std::string out = result.fileDialogShown ? "" : "no file dialog; ";
    if (!result.fileDialogBoxes.empty()) out += "file dialog said " + Describe(result.fileDialogBoxes) + "; ";
    if (result.stayedOpen) out += "file dialog stayed open in " + Narrow(result.folderShown) + "; ";
    return out + "Quillbox: " + Describe(result.boxes);
}

void PostKey(HWND window, UINT key)
{
    const UINT scan = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    ::PostMessageW(window, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
    ::PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
}

bool PostClick(HWND parent, int id)
{
    HWND button = ::GetDlgItem(parent, id);
    if (!button || !::IsWindowEnabled(button)) return false;
    return ::PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) != FALSE;
}

Boxes Click(HWND parent, int id, const Answers& answers)
{
    if (!PostClick(parent, id)) return {};
    return AnswerBoxes(::GetAncestor(parent, GA_ROOT), answers);
}

Boxes Command(HWND dialog, int id, const Answers& answers)
{
    ::PostMessageW(dialog, WM_COMMAND, id, 0);
    return AnswerBoxes(dialog, answers);
}

void SetItemText(HWND parent, int id, const std::wstring& text)
{
    ::SendMessageW(::GetDlgItem(parent, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsItemEnabled(HWND parent, int id) { return ::IsWindowEnabled(::GetDlgItem(parent, id)) != FALSE; }

bool IsItemVisible(HWND parent, int id) { return (::GetWindowLongW(::GetDlgItem(parent, id), GWL_STYLE) & WS_VISIBLE) != 0; }

std::vector<int> ComboIds(HWND combo)
{
    std::vector<int> ids;
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) ids.push_back(static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, index, 0)));
    return ids;
}

int ComboSelection(HWND combo) { return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

Boxes ChooseEntry(HWND parent, int id, const std::wstring& text, const Answers& answers)
{
    HWND combo = ::GetDlgItem(parent, id);
    const LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return AnswerBoxes(::GetAncestor(parent, GA_ROOT), answers);
}

HWND StartFileCommand(HWND dialog, int command, const std::wstring& path)
{
    ::PostMessageW(dialog, WM_COMMAND, command, 0);
    return WaitForFileDialog(command == ID_FILE_NEW ? L"Save As" : L"Open", path);
}

HWND WaitForFileDialog(const wchar_t* title, const std::wstring& path)
{
    HWND files = ui::WaitForWindow(L"#32770", title, kPatienceMs, [](HWND w) { return IsFileDialog(w); });
    if (files && !path.empty()) ::SendMessageW(::GetDlgItem(files, kFileNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return files;
}

CommandResult RunFileCommand(HWND dialog, int command, const std::wstring& typed, bool confirm, const Answers& answers)
{
    CommandResult result;
    HWND files = StartFileCommand(dialog, command, typed);
    if (!files) {
        result.boxes = AnswerBoxes(dialog);
        return result;
    }
    result.fileDialogShown = true;
    ::PostMessageW(files, WM_COMMAND, confirm ? IDOK : IDCANCEL, 0);
    // The file dialog may answer a name with a box of its own, or stay open
    // (a folder's name makes it show that folder).
    DWORD quietSince = ::GetTickCount();
    while (::IsWindow(files)) {
        if (HWND own = FindMessageBox(files)) {
            result.fileDialogBoxes.push_back(Answer(own));
            quietSince = ::GetTickCount();
        } else if (::GetTickCount() - quietSince > kTakenWithinMs) {
            result.stayedOpen = true;
            wchar_t folder[2048] = {};
            ::SendMessageW(files, CDM_GETFOLDERPATH, 2048, reinterpret_cast<LPARAM>(folder));
            result.folderShown = folder;
            ::PostMessageW(files, WM_COMMAND, IDCANCEL, 0);
            WaitDestroyed(files);
        } else {
            ::Sleep(20);
        }
    }
    result.boxes = AnswerBoxes(dialog, answers);
    return result;
}

CommandResult OpenFile(HWND dialog, const std::wstring& path) { return RunFileCommand(dialog, ID_FILE_OPEN, path); }

CommandResult NewFile(HWND dialog, const std::wstring& path, const Answers& answers)
{
    return RunFileCommand(dialog, ID_FILE_NEW, path, true, answers);
}

CommandResult CancelFileCommand(HWND dialog, int command, const std::wstring& path) { return RunFileCommand(dialog, command, path, false); }

namespace {

// A folder command after its picker: until the dialog is back in its own
// loop. Long work shows a progress window and handles messages meanwhile,
// so one quiet moment is not the end.
void FinishFolderCommand(HWND dialog, CommandResult& result, int answer, const BoxLook& look, bool cancelProgress)
{
    for (;;) {
        HWND progress = FindProgressWindow();
        if (progress && cancelProgress && !result.progressCancelled) {
            ::PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(progress, IDCANCEL)));
            result.progressCancelled = true;
        }
        if (HWND box = Settle(dialog)) {
            result.boxes.push_back(Answer(box, answer, look));
        } else if (FindProgressWindow()) {
            ::Sleep(20);
        } else if (HWND late = Settle(dialog)) {
            result.boxes.push_back(Answer(late, answer, look));
        } else {
            return;
        }
    }
}

} // namespace

CommandResult ChooseFolder(HWND dialog, int command, const std::wstring& folder, int answer, const BoxLook& look, bool cancelProgress)
{
    CommandResult result;
    result.fileDialogShown = PickInFolderPicker(dialog, command, folder, std::wstring(), result);
    FinishFolderCommand(dialog, result, answer, look, cancelProgress);
    return result;
}

CommandResult TypeFolder(HWND dialog, int command, const std::wstring& typed, int answer)
{
    CommandResult result;
    result.fileDialogShown = PickInFolderPicker(dialog, command, std::wstring(), typed, result);
    FinishFolderCommand(dialog, result, answer, nullptr, false);
    return result;
}

std::vector<Row> ListRows(HWND dialog)
{
    HWND list = List(dialog);
    std::vector<Row> rows;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        Row row;
        wchar_t text[512] = {};
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT;
        item.iItem = index;
        item.pszText = text;
        item.cchTextMax = 512;
        ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        row.name = text;
        row.image = item.iImage;
        row.indent = item.iIndent;
        wchar_t sub[512] = {};
        LVITEMW subItem = {};
        subItem.iSubItem = 1;
        subItem.pszText = sub;
        subItem.cchTextMax = 512;
        ::SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&subItem));
        row.description = sub;
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::wstring> RowNames(HWND dialog)
{
    std::vector<std::wstring> names;
    for (const Row& row : ListRows(dialog)) names.push_back(row.name);
    return names;
}

int FindRow(HWND dialog, const std::wstring& name)
{
    const std::vector<std::wstring> names = RowNames(dialog);
    for (size_t index = 0; index < names.size(); ++index) {
        if (names[index] == name) return static_cast<int>(index);
    }
    return -1;
}

void SelectRow(HWND dialog, int row)
{
    LVITEMW item = {};
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(List(dialog), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

Boxes ClickRow(HWND dialog, int row) { return PostRowClick(dialog, row, false) ? AnswerBoxes(dialog) : Boxes(); }

Boxes DoubleClickRow(HWND dialog, int row, const Answers& answers)
{
    if (!PostRowClick(dialog, row, true)) return {};
    return AnswerBoxes(dialog, answers);
}

bool ShowDatabaseWithGroupExpanded(HWND dialog, const std::wstring& path)
{
    const CommandResult opened = OpenFile(dialog, path);
    if (!opened.fileDialogShown || !opened.boxes.empty()) return false;
    const int group = ExpandFirstGroup(dialog);
    return group >= 0 && static_cast<int>(ListRows(dialog).size()) > group + 1;
}

void SetFindText(HWND dialog, const std::wstring& text)
{
    ::SendMessageW(::GetDlgItem(dialog, IDC_FIND_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

Boxes PressFind(HWND dialog)
{
    PostFind(dialog);
    return AnswerBoxes(dialog);
}

Boxes Find(HWND dialog, const std::wstring& text)
{
    SetFindText(dialog, text);
    return PressFind(dialog);
}

HWND OpenFindMenu(HWND dialog)
{
    HWND button = ::GetDlgItem(dialog, IDC_FIND);
    RECT client = {};
    ::GetClientRect(button, &client);
    PostMouseClick(button, client.right - 5, client.bottom / 2);
    // Settled means the menu's own loop runs, with its window shown, or that
    // no menu was opened at all.
    Settle(dialog);
    return FindShown([](HWND w) { return ui::ClassName(w) == L"#32768"; });
}

MenuSnapshot ReadMenu(HMENU menu)
{
    MenuSnapshot snapshot;
    const UINT defaultId = ::GetMenuDefaultItem(menu, FALSE, 0);
    snapshot.defaultId = defaultId == static_cast<UINT>(-1) ? 0 : defaultId;
    const int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        wchar_t text[512] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 512;
        ::GetMenuItemInfoW(menu, position, TRUE, &info);
        MenuItem item;
        item.id = info.wID;
        item.text = text;
        item.checked = (info.fState & MFS_CHECKED) != 0;
        item.isDefault = (info.fState & MFS_DEFAULT) != 0;
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        item.enabled = (info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0;
        snapshot.items.push_back(item);
    }
    return snapshot;
}

MenuSnapshot ReadMenu(HWND menuWindow) { return ReadMenu(reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0))); }

std::vector<std::wstring> MenuEntries(HMENU menu)
{
    std::vector<std::wstring> entries;
    for (const MenuItem& item : ReadMenu(menu).items) {
        if (item.separator) entries.push_back(L"|");
        else entries.push_back(item.text + L"=" + std::to_wstring(item.id) + (item.enabled ? L"" : L" disabled"));
    }
    return entries;
}

void ChooseMenuItem(HWND dialog, HWND menuWindow, int position)
{
    for (int step = 0; step <= position; ++step) PostKey(menuWindow, VK_DOWN);
    PostKey(menuWindow, VK_RETURN);
    WaitDestroyed(menuWindow);
    Settle(dialog);
}

void DismissMenu(HWND dialog, HWND menuWindow)
{
    PostKey(menuWindow, VK_ESCAPE);
    WaitDestroyed(menuWindow);
    Settle(dialog);
}

bool ToggleScope(HWND dialog, int position)
{
    HWND menu = OpenFindMenu(dialog);
    if (menu) ChooseMenuItem(dialog, menu, position);
    return menu != nullptr;
}

void SetSearchScope(HWND dialog, bool inName, bool inDescription, bool inSequel)
{
    const bool wanted[3] = {inName, inDescription, inSequel};
    for (int round = 0; round < 4; ++round) {
        HWND menu = OpenFindMenu(dialog);
        if (!menu) return;
        const MenuSnapshot snapshot = ReadMenu(menu);
        int differing = -1;
        for (int position = 0; position < 3 && position < static_cast<int>(snapshot.items.size()); ++position) {
            if (snapshot.items[position].checked != wanted[position]) {
                differing = position;
                break;
            }
        }
        if (differing < 0) {
            DismissMenu(dialog, menu);
            return;
        }
        ChooseMenuItem(dialog, menu, differing);
    }
}

Pages FindPages(HWND dialog)
{
    Pages pages;
    // The tab control takes the pages as its own children.
    std::vector<HWND> candidates = DirectChildren(::GetDlgItem(dialog, IDC_TAB));
    const std::vector<HWND> others = DirectChildren(dialog);
    candidates.insert(candidates.end(), others.begin(), others.end());
    for (HWND child : candidates) {
        if (ui::ClassName(child) != L"#32770") continue;
        if (::GetDlgItem(child, IDC_RESULTS_LIST)) pages.results = child;
        else if (::GetDlgItem(child, IDC_EDIT_NEW)) pages.edit = child;
        else if (::GetDlgItem(child, IDC_GROUP_SAVE)) pages.groupEdit = child;
        else if (::GetDlgItem(child, IDC_VIEW_EXECUTE)) pages.view = child;
    }
    return pages;
}

std::vector<std::wstring> TabCaptions(HWND tab)
{
    std::vector<std::wstring> captions;
    const int count = static_cast<int>(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        wchar_t text[128] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 128;
        ::SendMessageW(tab, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        captions.push_back(text);
    }
    return captions;
}

std::wstring CurrentTab(HWND dialog)
{
    const int current = static_cast<int>(::SendMessageW(::GetDlgItem(dialog, IDC_TAB), TCM_GETCURSEL, 0, 0));
    const std::vector<std::wstring> captions = TabCaptions(::GetDlgItem(dialog, IDC_TAB));
    return current >= 0 && current < static_cast<int>(captions.size()) ? captions[current] : std::wstring();
}

void SelectTab(HWND dialog, int index)
{
    ::PostMessageW(::GetDlgItem(dialog, IDC_TAB), TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
    Settle(dialog);
}

Boxes ClickTab(HWND dialog, int index)
{
    HWND tab = ::GetDlgItem(dialog, IDC_TAB);
    RECT item = {};
    if (!::SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return {};
    PostMouseClick(tab, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    return AnswerBoxes(dialog);
}

HWND FocusedWindow(HWND dialog)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

namespace {

// Shares this thread's input state with the dialog's and holds Ctrl and
// Shift down in it while it lives, as a user holding them does.
class CHeldModifiers {
public:
    CHeldModifiers(HWND dialog, int modifiers)
        : m_own(::GetCurrentThreadId()), m_dialog(::GetWindowThreadProcessId(dialog, nullptr))
    {
        if (!(modifiers & (kCtrl | kShift))) return;
        m_attached = ::AttachThreadInput(m_own, m_dialog, TRUE) != FALSE;
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        if (modifiers & kCtrl) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
        if (modifiers & kShift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
        ::SetKeyboardState(state);
    }
    ~CHeldModifiers()
    {
        if (!m_attached) return;
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_SHIFT] = state[VK_LSHIFT] = 0;
        ::SetKeyboardState(state);
        ::AttachThreadInput(m_own, m_dialog, FALSE);
    }
    CHeldModifiers(const CHeldModifiers&) = delete;
    CHeldModifiers& operator=(const CHeldModifiers&) = delete;

private:
    DWORD m_own;
    DWORD m_dialog;
    bool m_attached = false;
};

} // namespace

Boxes PressKey(HWND dialog, UINT key, int modifiers, const Answers& answers)
{
    HWND target = FocusedWindow(dialog);
    if (!target) target = dialog;
    const CHeldModifiers held(dialog, modifiers);
    const UINT scan = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    const LPARAM down = static_cast<LPARAM>(1 | (scan << 16) | ((modifiers & kAlt) ? (1u << 29) : 0u));
    ::PostMessageW(target, (modifiers & kAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN, key, down);
    ::PostMessageW(target, (modifiers & kAlt) ? WM_SYSKEYUP : WM_KEYUP, key, down | static_cast<LPARAM>(3u << 30));
    return AnswerBoxes(dialog, answers);
}

void TypeNewNote(HWND dialog, const TypedNote& note, int groupChoice)
{
    HWND page = FindPages(dialog).edit;
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_EDIT_NEW, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_EDIT_NEW)));
    SetItemText(page, IDC_EDIT_TITLE, note.title);
    SetItemText(page, IDC_EDIT_COMMENTS, note.comments);
    SetItemText(page, IDC_EDIT_QUERY, note.query);
    HWND groups = ::GetDlgItem(page, IDC_EDIT_GROUP);
    if (groupChoice < 0) {
        const std::vector<int> ids = ComboIds(groups);
        for (size_t index = 0; index < ids.size(); ++index) {
            if (ids[index] == 0) groupChoice = static_cast<int>(index);
        }
    }
    ::SendMessageW(groups, CB_SETCURSEL, static_cast<WPARAM>(groupChoice), 0);
}

TypedNote EditPageNote(HWND dialog)
{
    HWND page = FindPages(dialog).edit;
    TypedNote note{ItemText(page, IDC_EDIT_TITLE), ItemText(page, IDC_EDIT_COMMENTS), ItemText(page, IDC_EDIT_QUERY), 0};
    HWND groups = ::GetDlgItem(page, IDC_EDIT_GROUP);
    const int choice = ComboSelection(groups);
    if (choice >= 0) note.groupId = ComboIds(groups)[static_cast<size_t>(choice)];
    return note;
}

Boxes SaveNewNote(HWND dialog, const std::wstring& title)
{
    TypeNewNote(dialog, {title, L"typed by the test's user", L"SELECT '" + title + L"'", 0});
    return Click(FindPages(dialog).edit, IDC_EDIT_SAVE);
}

bool IsBusy(HWND dialog, UINT timeoutMs)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK, timeoutMs, &result) == 0;
}

bool BecomesBusy(HWND dialog, DWORD withinMs)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < withinMs) {
        if (IsBusy(dialog)) return true;
        ::Sleep(5);
    }
    return false;
}

HWND OpenOptions(HWND dialog)
{
    ::PostMessageW(dialog, WM_COMMAND, ID_FILE_OPTIONS, 0);
    return ui::WaitForWindow(L"#32770", L"Options", kPatienceMs);
}

HWND ShowPageList(HWND sheet)
{
    HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    return ::GetDlgItem(page, IDC_OPTIONS_SHOW_PAGE);
}

std::wstring ChosenShowPage(HWND sheet)
{
    HWND list = ShowPageList(sheet);
    const int chosen = static_cast<int>(::SendMessageW(list, CB_GETCURSEL, 0, 0));
    const std::vector<std::wstring> entries = ComboEntries(list);
    return chosen >= 0 && chosen < static_cast<int>(entries.size()) ? entries[chosen] : std::wstring();
}

void ChooseShowPage(HWND sheet, int index)
{
    HWND list = ShowPageList(sheet);
    ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(::GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_SHOW_PAGE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

bool ApplyEnabled(HWND sheet) { return ::IsWindowEnabled(::GetDlgItem(sheet, kApplyButton)) != FALSE; }

void PressApply(HWND sheet) { ui::PressButton(sheet, kApplyButton); }

bool CloseOptions(HWND dialog, HWND sheet, int button)
{
    // Posted: the sheet's own loop notices that it has ended only when a posted message arrives.
    ::PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(sheet, button)));
    const bool closed = WaitDestroyed(sheet);
    Settle(dialog);
    return closed;
}

std::vector<std::wstring> FileMenu(HWND dialog) { return MenuEntries(::GetSubMenu(::GetMenu(dialog), 0)); }

std::vector<std::wstring> RecentFileEntries(HWND dialog)
{
    std::vector<std::wstring> texts;
    HMENU file = ::GetSubMenu(::GetMenu(dialog), 0);
    for (UINT id = ID_FILE_RECENT_1; id <= ID_FILE_RECENT_4; ++id) {
        wchar_t text[512] = {};
        if (::GetMenuStringW(file, id, text, 512, MF_BYCOMMAND) > 0) texts.push_back(text);
    }
    return texts;
}

Boxes ChooseRecentFile(HWND dialog, int number) { return Command(dialog, ID_FILE_RECENT_1 + number - 1); }

std::vector<std::wstring> ComboEntries(HWND combo)
{
    std::vector<std::wstring> entries;
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        wchar_t text[512] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

std::wstring Text(HWND window) { return ui::WindowText(window); }

std::wstring ItemText(HWND parent, int id) { return ui::WindowText(::GetDlgItem(parent, id)); }

RECT RectInParent(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CloseStrayWindows(HWND dialog)
{
    for (int round = 0; round < 10; ++round) {
        bool found = false;
        for (HWND window : OwnTopLevelWindows()) {
            if (window == dialog || !::IsWindowVisible(window)) continue;
            const std::wstring name = ui::ClassName(window);
            if (name == L"#32768") {
                PostKey(window, VK_ESCAPE);
                found = true;
            } else if (name == L"#32770" && !::GetDlgItem(window, IDC_NOTE_LIST)) {
                ::PostMessageW(window, WM_COMMAND, ui::IsMessageBox(window) ? IDOK : IDCANCEL, 0);
                found = true;
            }
        }
        if (!found) return;
        ::Sleep(50);
        Settle(dialog);
    }
}

} // namespace dialogdriver

namespace dialogdriver {

void SetRunSource(HWND dialog, const std::wstring& text) { SetItemText(FindPages(dialog).results, IDC_RESULTS_SOURCE, text); }

bool WaitForRunEnd(HWND dialog, DWORD timeoutMs)
{
    const HWND view = FindPages(dialog).view;
    const DWORD start = ::GetTickCount();
    for (;;) {
        Settle(dialog);
        if (!::IsWindow(dialog) || ItemText(view, IDC_VIEW_EXECUTE) == L"&Execute") return true;
        if (::GetTickCount() - start > timeoutMs) return false;
        ::Sleep(20);
    }
}

Boxes Execute(HWND dialog, const Answers& answers)
{
    const Boxes boxes = Click(FindPages(dialog).view, IDC_VIEW_EXECUTE, answers);
    WaitForRunEnd(dialog);
    return boxes;
}

std::vector<std::wstring> ResultColumns(HWND dialog)
{
    HWND list = ::GetDlgItem(FindPages(dialog).results, IDC_RESULTS_LIST);
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    std::vector<std::wstring> names;
    const int count = header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int column = 1; column < count; ++column) {
        wchar_t text[256] = L"";
        LVCOLUMNW info = {};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = 256;
        ::SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
        names.emplace_back(text);
    }
    return names;
}

int ResultRowCount(HWND dialog)
{
    return static_cast<int>(::SendMessageW(::GetDlgItem(FindPages(dialog).results, IDC_RESULTS_LIST), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ResultCell(HWND dialog, int row, int column)
{
    std::vector<wchar_t> text(1024, L'\0');
    LVITEMW item = {};
    item.iSubItem = column + 1;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    ::SendMessageW(::GetDlgItem(FindPages(dialog).results, IDC_RESULTS_LIST), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
    return text.data();
}

std::wstring ResultStatus(HWND dialog) { return ItemText(FindPages(dialog).results, IDC_RESULTS_STATUS); }

} // namespace dialogdriver
