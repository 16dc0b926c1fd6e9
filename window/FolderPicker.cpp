// Browse for Folder through shell32, looked up at run time, with its path
// box. Wine's picker returns its tree's selection whatever the box holds, so
// OK reads a path the user typed or pasted there itself: the same on every
// platform, and a path that names no folder is refused with the picker open.
#include "window/FolderPicker.h"

#include "framework/CWinApp.h"
#include "framework/LoadedLibrary.h"
#include "framework/MessageBox.h"
#include "framework/ModuleState.h"

#include <commctrl.h>
#include <shlobj.h>

#include <string>

namespace {

using BrowseFunction = LPITEMIDLIST(WINAPI*)(LPBROWSEINFOW);
using PathFunction = BOOL(WINAPI*)(LPCITEMIDLIST, LPWSTR);
using FreeFunction = void(WINAPI*)(LPVOID);

const wchar_t kStateProperty[] = L"QuillboxFolderPicker";

// One run of the picker, beside the shell's own state.
struct PickerRun {
    CString initial;                 // where it starts; empty for the shell's default
    PathFunction toPath = nullptr;
    WNDPROC shellProcedure = nullptr;  // the picker's window procedure before ours
    CString selected;                // the tree's selection as a path; empty for a virtual folder
    CString typed;                   // the folder typed into the path box, once OK took it
    bool mayBeNew = false;           // a typed folder may be missing when its parent is there
};

bool IsFolder(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder that holds a full path (a drive's root keeps its backslash).
CString ParentOf(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    return slash <= 2 ? path.Left(slash + 1) : path.Left(slash);
}

// The full path a typed text names: as it is when it starts at a drive or a
// server, else inside the folder selected in the tree. Surrounding spaces and
// quotes (as "Copy as path" leaves them) go; so do closing backslashes but a
// drive root's. Empty when the text names no place.
CString FullPathOf(CString text, const CString& selected)
{
    text.Trim();
    if (text.GetLength() >= 2 && text[0] == L'"' && text[text.GetLength() - 1] == L'"') text = text.Mid(1, text.GetLength() - 2);
    if (text.IsEmpty()) return CString();
    const bool rooted = text.GetLength() >= 2 && (text[1] == L':' || (text[0] == L'\\' && text[1] == L'\\'));
    if (!rooted) {
        if (selected.IsEmpty() || text[0] == L'\\') return CString();
        text = selected + L"\\" + text;
    }
    const DWORD size = ::GetFullPathNameW(text, 0, nullptr, nullptr);
    if (size == 0) return CString();
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(text, size, &full[0], nullptr);
    if (length == 0 || length >= size) return CString();
    full.resize(length);
    while (full.size() > 3 && full.back() == L'\\') full.pop_back();
    return full.c_str();
}

// OK with a path typed into the box: the picker ends with that folder, or
// says that there is none and stays. False when the box holds what the shell
// put there (the tree's selection), which the shell's own OK takes.
bool TakeTypedFolder(HWND picker, PickerRun& run)
{
    HWND box = ::FindWindowExW(picker, nullptr, L"Edit", nullptr);
    // The shell sets the box's text for each selection, which clears its
    // modified flag; typing or pasting sets it.
    if (!box || !::SendMessageW(box, EM_GETMODIFY, 0, 0)) return false;
    wchar_t text[MAX_PATH * 4] = L"";
    ::GetWindowTextW(box, text, MAX_PATH * 4);
    const CString path = FullPathOf(text, run.selected);
    if (!path.IsEmpty() && (IsFolder(path) || (run.mayBeNew && IsFolder(ParentOf(path))))) {
        run.typed = path;
        // The shell's Cancel closes the picker without parsing the box; the typed folder is the answer.
        ::CallWindowProcW(run.shellProcedure, picker, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    }
    const CString shown = path.IsEmpty() ? CString(text) : path;
    const CString message = L"There is no folder " + shown + L".\n\nType the full path of a folder that exists" +
                            (run.mayBeNew ? L", or of a new one inside a folder that exists," : L",") + L" or choose one in the list.";
    // Owned by the picker, which stays open behind it.
    CWinApp* app = AfxGetApp();
    CenteredMessageBox(picker, message, app ? app->GetAppName().GetString() : L"Quillbox", MB_ICONEXCLAMATION);
    ::SetFocus(box);
    ::SendMessageW(box, EM_SETSEL, 0, -1);
    return true;
}

// Wine's picker makes its path box without ES_AUTOHSCROLL, so the box takes
// no more text than fits its width: a box that scrolls takes its place, with
// its id (by which the shell writes the selection into it), place, font and
// tab order.
void LetPathBoxScroll(HWND picker)
{
    HWND old = ::FindWindowExW(picker, nullptr, L"Edit", nullptr);
    const DWORD style = old ? static_cast<DWORD>(::GetWindowLongW(old, GWL_STYLE)) : ES_AUTOHSCROLL;
    if (style & ES_AUTOHSCROLL) return;
    RECT place = {};
    ::GetWindowRect(old, &place);
    ::MapWindowPoints(nullptr, picker, reinterpret_cast<POINT*>(&place), 2);
    wchar_t text[MAX_PATH] = L"";
    ::GetWindowTextW(old, text, MAX_PATH);
    HWND box = ::CreateWindowExW(static_cast<DWORD>(::GetWindowLongW(old, GWL_EXSTYLE)), L"Edit", text, style | ES_AUTOHSCROLL,
                                 place.left, place.top, place.right - place.left, place.bottom - place.top, picker,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(::GetDlgCtrlID(old))), AfxGetInstanceHandle(), nullptr);
    if (!box) return;
    ::SendMessageW(box, WM_SETFONT, ::SendMessageW(old, WM_GETFONT, 0, 0), FALSE);
    ::SetWindowPos(box, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::DestroyWindow(old);
}

// Whether `folder` is `path` or a folder that holds it; the rest of `path`
// after it goes to `rest`.
bool Holds(const CString& folder, const CString& path, CString& rest)
{
    if (folder.IsEmpty() || folder.GetLength() > path.GetLength()) return false;
    if (path.Left(folder.GetLength()).CompareNoCase(folder) != 0) return false;
    rest = path.Mid(folder.GetLength());
    if (rest.IsEmpty()) return true;
    if (folder[folder.GetLength() - 1] == L'\\') return true;
    if (rest[0] != L'\\') return false;
    rest = rest.Mid(1);
    return true;
}

// The tree item under `parent` that shows `name`, once `parent` is expanded.
HTREEITEM ChildNamed(HWND tree, HTREEITEM parent, const CString& name)
{
    ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    for (auto child = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
         child; child = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
        wchar_t text[MAX_PATH] = L"";
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = child;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        if (::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) && name.CompareNoCase(text) == 0) return child;
    }
    return nullptr;
}

// Selects `run.initial` in the picker. Wine's picker stops short of a folder
// on a drive mapped to a Unix folder (Z:), at the drive or at the desktop:
// from the nearest folder it reached that holds the wanted one (the drive's
// root, selected first when need be) the rest of the way is walked down the
// tree by the folders' names.
void SelectInitialFolder(HWND picker, PickerRun& run)
{
    ::SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(run.initial.GetString()));
    CString rest;
    if (!Holds(run.selected, run.initial, rest) && run.initial.GetLength() >= 3 && run.initial[1] == L':') {
        const CString drive = run.initial.Left(3);
        ::SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(drive.GetString()));
    }
    HWND tree = ::FindWindowExW(picker, nullptr, L"SysTreeView32", nullptr);
    while (tree && Holds(run.selected, run.initial, rest) && !rest.IsEmpty()) {
        const int slash = rest.Find(L'\\');
        const CString name = slash < 0 ? rest : rest.Left(slash);
        auto current = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        HTREEITEM next = current ? ChildNamed(tree, current, name) : nullptr;
        if (!next) return;
        const CString before = run.selected;
        ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(next));
        if (run.selected.CompareNoCase(before) == 0) return;
    }
}

LRESULT CALLBACK PickerProcedure(HWND picker, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* run = static_cast<PickerRun*>(::GetPropW(picker, kStateProperty));
    if (!run) return ::DefWindowProcW(picker, message, wParam, lParam);
    const WNDPROC shell = run->shellProcedure;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && TakeTypedFolder(picker, *run)) return 0;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(picker, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(shell));
        ::RemovePropW(picker, kStateProperty);
    }
    return ::CallWindowProcW(shell, picker, message, wParam, lParam);
}

int CALLBACK OnBrowseEvent(HWND picker, UINT message, LPARAM param, LPARAM data)
{
    auto* run = reinterpret_cast<PickerRun*>(data);
    if (message == BFFM_INITIALIZED) {
        LetPathBoxScroll(picker);
        ::SetPropW(picker, kStateProperty, run);
        run->shellProcedure = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(picker, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PickerProcedure)));
        if (!run->initial.IsEmpty()) SelectInitialFolder(picker, *run);
    } else if (message == BFFM_SELCHANGED) {
        wchar_t path[MAX_PATH] = L"";
        run->selected = run->toPath(reinterpret_cast<LPCITEMIDLIST>(param), path) ? path : L"";
    }
    return 0;
}

} // namespace

bool PickFolder(HWND owner, const wchar_t* title, const CString& initial, CString& folder, bool mayBeNew)
{
    CLoadedLibrary shell(L"shell32.dll");
    const auto browse = shell.Find<BrowseFunction>("SHBrowseForFolderW");
    const auto toPath = shell.Find<PathFunction>("SHGetPathFromIDListW");
    const auto free = shell.Find<FreeFunction>("ILFree");
    if (!browse || !toPath || !free) return false;
    PickerRun run;
    run.initial = initial;
    run.toPath = toPath;
    run.mayBeNew = mayBeNew;
    wchar_t display[MAX_PATH] = L"";
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    info.lpfn = OnBrowseEvent;
    info.lParam = reinterpret_cast<LPARAM>(&run);
    LPITEMIDLIST chosen = browse(&info);
    if (!run.typed.IsEmpty()) {
        if (chosen) free(chosen);
        folder = run.typed;
        return true;
    }
    if (!chosen) return false;
    wchar_t path[MAX_PATH] = L"";
    const BOOL named = toPath(chosen, path);
    free(chosen);
    if (!named || !path[0]) return false;
    folder = path;
    return true;
}
