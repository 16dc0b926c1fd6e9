// Counting this process's GDI and USER objects and reading its memory.
#include "tests/longrun/ProcessResources.h"

#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// One entry of the GDI handle table, as Wine lays it out for 32- and 64-bit
// processes alike; a free entry has type 0.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "the GDI handle table has 24-byte entries");
constexpr int kGdiHandleCount = 0x10000;

// USER handles are (index * 2 + 0x20); the handle with a zero high word
// names the current object at that index.
constexpr UINT kFirstUserHandle = 0x0020;
constexpr UINT kUserHandleCount = (0xffef - kFirstUserHandle + 1) / 2;

const GdiHandleEntry* GdiHandleTable()
{
    const BYTE* peb = nullptr;
#if defined(__i386__)
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + 0x94);
#else
    __asm__("movq %%gs:0x60, %0" : "=r"(peb));
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + 0xF8);
#endif
}

HANDLE UserHandleAt(UINT index) { return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(kFirstUserHandle + index * 2)); }

bool OfThisProcess(HWND window)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId();
}

BOOL CALLBACK CountChild(HWND, LPARAM param)
{
    ++*reinterpret_cast<int*>(param);
    return TRUE;
}

// `window` and all its descendants (EnumChildWindows walks the whole subtree).
int WithDescendants(HWND window)
{
    int count = 1;
    ::EnumChildWindows(window, &CountChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

} // namespace

int CountGdiObjects()
{
    const GdiHandleEntry* table = GdiHandleTable();
    if (!table) return -1;
    int count = 0;
    for (int i = 0; i < kGdiHandleCount; ++i) count += table[i].type != 0 ? 1 : 0;
    return count;
}

std::vector<HGDIOBJ> LiveGdiHandles()
{
    std::vector<HGDIOBJ> handles;
    const GdiHandleEntry* table = GdiHandleTable();
    if (!table) return handles;
    for (int i = 0; i < kGdiHandleCount; ++i) {
        // A handle is the entry's index with its generation and type above it.
        if (table[i].type) handles.push_back(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(i | (table[i].unique << 16))));
    }
    return handles;
}

std::string DescribeGdiObject(HGDIOBJ object)
{
    char text[160];
    switch (::GetObjectType(object)) {
    case OBJ_FONT: {
        LOGFONTW font = {};
        ::GetObjectW(object, sizeof font, &font);
        std::string face;
        for (const wchar_t* c = font.lfFaceName; *c; ++c) face += *c < 128 ? static_cast<char>(*c) : '?';
        std::snprintf(text, sizeof text, "font '%s' height %ld weight %ld", face.c_str(), font.lfHeight, font.lfWeight);
        return text;
    }
    case OBJ_BITMAP: {
        BITMAP bitmap = {};
        ::GetObjectW(object, sizeof bitmap, &bitmap);
        std::snprintf(text, sizeof text, "bitmap %ldx%ld %dbpp", bitmap.bmWidth, bitmap.bmHeight, bitmap.bmBitsPixel);
        return text;
    }
    case OBJ_BRUSH: {
        LOGBRUSH brush = {};
        ::GetObjectW(object, sizeof brush, &brush);
        std::snprintf(text, sizeof text, "brush style %u colour %06lx", brush.lbStyle, static_cast<unsigned long>(brush.lbColor));
        return text;
    }
    case OBJ_PEN: return "pen";
    case OBJ_EXTPEN: return "extended pen";
    case OBJ_REGION: return "region";
    case OBJ_DC: return "device context";
    case OBJ_MEMDC: return "memory device context";
    case OBJ_PAL: return "palette";
    default:
        std::snprintf(text, sizeof text, "object of type %lu", ::GetObjectType(object));
        return text;
    }
}

int CountWindows()
{
    std::vector<HWND> topLevel;
    ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&topLevel));
    for (HWND message = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); message;
         message = ::FindWindowExW(HWND_MESSAGE, message, nullptr, nullptr)) {
        topLevel.push_back(message);
    }
    // A window that both listings return is counted once: one run under Wine
    // counted each of the test's windows twice.
    std::sort(topLevel.begin(), topLevel.end());
    topLevel.erase(std::unique(topLevel.begin(), topLevel.end()), topLevel.end());
    int count = 0;
    for (HWND window : topLevel) {
        if (OfThisProcess(window)) count += WithDescendants(window);
    }
    return count;
}

int CountMenus()
{
    int count = 0;
    for (UINT index = 0; index < kUserHandleCount; ++index) count += ::IsMenu(static_cast<HMENU>(UserHandleAt(index))) ? 1 : 0;
    return count;
}

int CountCursorsAndIcons()
{
    // win32u's size query answers for a cursor or icon of this process only,
    // without side effects (GetIconInfo would make copies of the bitmaps).
    using IconSize = BOOL(WINAPI*)(HICON, UINT, LONG*, LONG*);
    HMODULE win32u = ::GetModuleHandleW(L"win32u.dll");
    auto size = win32u ? reinterpret_cast<IconSize>(reinterpret_cast<void*>(::GetProcAddress(win32u, "NtUserGetIconSize"))) : nullptr;
    if (!size) return -1;
    int count = 0;
    for (UINT index = 0; index < kUserHandleCount; ++index) {
        LONG width = 0, height = 0;
        count += size(static_cast<HICON>(UserHandleAt(index)), 0, &width, &height) ? 1 : 0;
    }
    return count;
}

ResourceCounts ReadResourceCounts()
{
    ResourceCounts counts;
    counts.gdiObjects = CountGdiObjects();
    counts.windows = CountWindows();
    counts.menus = CountMenus();
    counts.cursorsAndIcons = CountCursorsAndIcons();
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory)) {
        counts.privateBytes = memory.PagefileUsage;
        counts.workingSet = memory.WorkingSetSize;
    }
    return counts;
}

DWORD GuiResourcesOfProcess(DWORD which) { return ::GetGuiResources(::GetCurrentProcess(), which); }

std::string Describe(const ResourceCounts& counts)
{
    char text[256];
    std::snprintf(text, sizeof text, "gdi %d, user %d (windows %d, menus %d, cursors/icons %d), private %.1f MiB, working set %.1f MiB",
                  counts.gdiObjects, counts.UserObjects(), counts.windows, counts.menus, counts.cursorsAndIcons,
                  static_cast<double>(counts.privateBytes) / (1024.0 * 1024.0), static_cast<double>(counts.workingSet) / (1024.0 * 1024.0));
    return text;
}
