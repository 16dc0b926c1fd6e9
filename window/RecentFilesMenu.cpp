// Rebuilding the recent entries of the File menu.
#include "window/RecentFilesMenu.h"

#include "res/resource.h"
#include "window/DisplayedPath.h"

namespace {

constexpr UINT kRecentFileCommands = ID_FILE_RECENT_4 - ID_FILE_RECENT_1 + 1;

bool IsRecentCommand(UINT id) { return id >= ID_FILE_RECENT_1 && id < ID_FILE_RECENT_1 + kRecentFileCommands; }

bool IsSeparator(HMENU menu, int position)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoW(menu, position, TRUE, &info) && (info.fType & MFT_SEPARATOR);
}

int PositionOf(HMENU menu, UINT id)
{
    for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
        if (::GetMenuItemID(menu, position) == id) return position;
    }
    return -1;
}

} // namespace

void PutRecentFilesOnMenu(HMENU fileMenu, const std::vector<std::wstring>& paths)
{
    if (!fileMenu) return;
    // Take the old entries away with the separator they added before Exit.
    bool removed = false;
    for (int position = ::GetMenuItemCount(fileMenu) - 1; position >= 0; --position) {
        if (IsRecentCommand(::GetMenuItemID(fileMenu, position))) {
            ::DeleteMenu(fileMenu, position, MF_BYPOSITION);
            removed = true;
        }
    }
    int exit = PositionOf(fileMenu, ID_FILE_EXIT);
    if (exit < 0) return;
    if (removed && exit >= 2 && IsSeparator(fileMenu, exit - 1) && IsSeparator(fileMenu, exit - 2)) {
        ::DeleteMenu(fileMenu, exit - 1, MF_BYPOSITION);
        --exit;
    }
    if (paths.empty()) return;
    UINT number = 0;
    for (const std::wstring& path : paths) {
        if (number == kRecentFileCommands) break;
        const std::wstring text = RecentFileMenuText(static_cast<int>(number + 1), path, kRecentFileMenuPathLength);
        ::InsertMenuW(fileMenu, static_cast<UINT>(exit), MF_BYPOSITION | MF_STRING, ID_FILE_RECENT_1 + number, text.c_str());
        ++number;
        ++exit;
    }
    ::InsertMenuW(fileMenu, static_cast<UINT>(exit), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}
