// What one host process holds of the system: its GDI objects, its USER
// objects (windows, menus, cursors and icons) and its memory. Under Wine 8
// GetGuiResources is a stub that answers 0, so the objects are counted where
// Wine keeps them: GDI objects in the process's GDI handle table (the one the
// PEB points to), windows by enumeration, menus and cursors/icons by asking
// for each handle of this process's USER handle range.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

struct ResourceCounts {
    int gdiObjects = 0;
    int windows = 0;
    int menus = 0;
    int cursorsAndIcons = 0;
    size_t privateBytes = 0;  // PagefileUsage (under Wine: anonymous resident memory plus swap)
    size_t workingSet = 0;    // WorkingSetSize

    int UserObjects() const { return windows + menus + cursorsAndIcons; }
};

// Live entries of this process's GDI handle table; -1 when there is no table.
int CountGdiObjects();
// Windows of this process: top-level ones (shown or not), their descendants
// and message-only windows.
int CountWindows();
// Menus of this process.
int CountMenus();
// Cursors and icons of this process; -1 when the system offers no way to tell.
int CountCursorsAndIcons();
ResourceCounts ReadResourceCounts();

// The handles of this process's live GDI objects, for telling which objects a
// stretch of work left behind.
std::vector<HGDIOBJ> LiveGdiHandles();
// "font 'Tahoma' -11", "bitmap 16x16 32bpp", "pen", ... for a live GDI object.
std::string DescribeGdiObject(HGDIOBJ object);

// What GetGuiResources answers for this process (GR_GDIOBJECTS or GR_USEROBJECTS).
DWORD GuiResourcesOfProcess(DWORD which);

// "gdi 123, user 45 (windows 30, menus 5, cursors/icons 10), private 12.3 MiB, working set 45.6 MiB"
std::string Describe(const ResourceCounts& counts);
