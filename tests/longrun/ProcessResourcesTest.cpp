// The counters the long run relies on: each must move by exactly the number
// of objects made and come back when they are destroyed.
#include "tests/longrun/ProcessResources.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const wchar_t kClass[] = L"QuillboxCountedWindow";

void RegisterCountedClass()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClass;
    ::RegisterClassW(&windowClass);
}

// One of each kind, made and destroyed, so lazily made system objects
// (stock objects, caches) exist before a count is taken.
void WarmUpGdi()
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ objects[] = {::CreatePen(PS_SOLID, 1, 0), ::CreateSolidBrush(0), ::CreateFontW(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"),
                         ::CreateBitmap(4, 4, 1, 1, nullptr), ::CreateRectRgn(0, 0, 1, 1)};
    for (HGDIOBJ object : objects) ::DeleteObject(object);
    ::DeleteDC(dc);
}

TEST(ProcessResources, GdiCountMovesByExactlyTheObjectsMadeAndDeleted)
{
    WarmUpGdi();
    const int before = CountGdiObjects();
    ASSERT_GT(before, 0) << "no GDI handle table";
    const DWORD reportedBefore = GuiResourcesOfProcess(GR_GDIOBJECTS);
    std::vector<HGDIOBJ> objects;
    std::vector<HDC> dcs;
    for (int i = 0; i < 5; ++i) {
        objects.push_back(::CreatePen(PS_SOLID, 1, RGB(i, 0, 0)));
        objects.push_back(::CreateSolidBrush(RGB(0, i, 0)));
        objects.push_back(::CreateFontW(12 + i, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma"));
        objects.push_back(::CreateBitmap(8, 8, 1, 1, nullptr));
        objects.push_back(::CreateRectRgn(0, 0, i + 1, i + 1));
        dcs.push_back(::CreateCompatibleDC(nullptr));
    }
    EXPECT_EQ(CountGdiObjects(), before + 30);
    std::printf("GetGuiResources(GR_GDIOBJECTS): %lu before and %lu with 30 more objects\n", reportedBefore, GuiResourcesOfProcess(GR_GDIOBJECTS));
    for (HGDIOBJ object : objects) ::DeleteObject(object);
    for (HDC dc : dcs) ::DeleteDC(dc);
    EXPECT_EQ(CountGdiObjects(), before);
    // One object forgotten is one object counted.
    HGDIOBJ forgotten = ::CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(CountGdiObjects(), before + 1);
    ::DeleteObject(forgotten);
    EXPECT_EQ(CountGdiObjects(), before);
}

TEST(ProcessResources, WindowCountTakesTopLevelHiddenChildAndMessageOnlyWindows)
{
    RegisterCountedClass();
    // A thread's input-method window lives while the thread has a top-level
    // window: one stays up for the whole test so it is in every count.
    HWND anchor = ::CreateWindowExW(0, kClass, L"anchor", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    const int before = CountWindows();
    std::vector<HWND> topLevel;
    for (int i = 0; i < 3; ++i) {
        // Hidden top-level windows, each with a child that has a child of its own.
        HWND window = ::CreateWindowExW(0, kClass, L"counted", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        HWND child = ::CreateWindowExW(0, kClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, window, nullptr, nullptr, nullptr);
        ::CreateWindowExW(0, L"Button", L"b", WS_CHILD, 0, 0, 20, 20, child, nullptr, nullptr, nullptr);
        topLevel.push_back(window);
    }
    topLevel.push_back(::CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ::ShowWindow(topLevel[0], SW_SHOWNA);
    EXPECT_EQ(CountWindows(), before + 10);
    std::printf("GetGuiResources(GR_USEROBJECTS): %lu with 10 more windows\n", GuiResourcesOfProcess(GR_USEROBJECTS));
    for (HWND window : topLevel) ::DestroyWindow(window);
    EXPECT_EQ(CountWindows(), before);
    ::DestroyWindow(anchor);
}

TEST(ProcessResources, MenuCountTakesMenusAndTheirSubmenus)
{
    const int before = CountMenus();
    HMENU bar = ::CreateMenu();
    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuW(popup, MF_STRING, 1, L"one");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"File");
    HMENU loose[3] = {::CreatePopupMenu(), ::CreatePopupMenu(), ::CreateMenu()};
    EXPECT_EQ(CountMenus(), before + 5);
    ::DestroyMenu(bar);  // and its popup with it
    EXPECT_EQ(CountMenus(), before + 3);
    for (HMENU menu : loose) ::DestroyMenu(menu);
    EXPECT_EQ(CountMenus(), before);
}

TEST(ProcessResources, CursorAndIconCountMovesWithCreatedAndDestroyedIcons)
{
    const int before = CountCursorsAndIcons();
    ASSERT_GE(before, 0) << "no way to tell cursors and icons";
    BYTE andMask[32 * 4] = {}, xorMask[32 * 4] = {};
    std::vector<HICON> icons;
    for (int i = 0; i < 4; ++i) icons.push_back(::CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask));
    icons.push_back(::CreateCursor(nullptr, 0, 0, 32, 32, andMask, xorMask));
    EXPECT_EQ(CountCursorsAndIcons(), before + 5);
    for (size_t i = 0; i < icons.size(); ++i) i + 1 < icons.size() ? ::DestroyIcon(icons[i]) : ::DestroyCursor(icons[i]);
    EXPECT_EQ(CountCursorsAndIcons(), before);
}

TEST(ProcessResources, PrivateBytesFollowCommittedMemory)
{
    const size_t before = ReadResourceCounts().privateBytes;
    ASSERT_GT(before, 0u);
    constexpr size_t kSize = 16 * 1024 * 1024;
    char* block = static_cast<char*>(::VirtualAlloc(nullptr, kSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(block, nullptr);
    for (size_t at = 0; at < kSize; at += 4096) block[at] = 1;
    const size_t with = ReadResourceCounts().privateBytes;
    ::VirtualFree(block, 0, MEM_RELEASE);
    const size_t after = ReadResourceCounts().privateBytes;
    // Within a MiB: other threads of the process allocate too.
    EXPECT_NEAR(static_cast<double>(with - before), static_cast<double>(kSize), 1024.0 * 1024.0);
    EXPECT_NEAR(static_cast<double>(after), static_cast<double>(before), 1024.0 * 1024.0);
}

} // namespace
