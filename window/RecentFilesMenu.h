// The recent note databases on the File menu: numbered entries above Exit,
// set apart by a separator, with the commands ID_FILE_RECENT_1 onwards.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Longest path, in characters, that an entry shows before it is shortened.
constexpr std::size_t kRecentFileMenuPathLength = 40;

// Replaces the recent entries of `fileMenu` with one entry per path, in
// order; no path: no entry and no extra separator.
void PutRecentFilesOnMenu(HMENU fileMenu, const std::vector<std::wstring>& paths);
