// Browse for Folder through shell32, looked up at run time.
#include "window/FolderPicker.h"

#include "framework/LoadedLibrary.h"

#include <shlobj.h>

namespace {

using BrowseFunction = LPITEMIDLIST(WINAPI*)(LPBROWSEINFOW);
using PathFunction = BOOL(WINAPI*)(LPCITEMIDLIST, LPWSTR);
using FreeFunction = void(WINAPI*)(LPVOID);

int CALLBACK OnBrowseEvent(HWND window, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data) ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

} // namespace

bool PickFolder(HWND owner, const wchar_t* title, const CString& initial, CString& folder)
{
    CLoadedLibrary shell(L"shell32.dll");
    const auto browse = shell.Find<BrowseFunction>("SHBrowseForFolderW");
    const auto toPath = shell.Find<PathFunction>("SHGetPathFromIDListW");
    const auto free = shell.Find<FreeFunction>("ILFree");
    if (!browse || !toPath || !free) return false;
    wchar_t display[MAX_PATH] = L"";
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = OnBrowseEvent;
    info.lParam = initial.IsEmpty() ? 0 : reinterpret_cast<LPARAM>(initial.GetString());
    LPITEMIDLIST chosen = browse(&info);
    if (!chosen) return false;
    wchar_t path[MAX_PATH] = L"";
    const BOOL named = toPath(chosen, path);
    free(chosen);
    if (!named || !path[0]) return false;
    folder = path;
    return true;
}
