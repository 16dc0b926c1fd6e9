// Windows paths turned into Unix paths through Wine's own kernel32 export.
#include "tests/support/UnixPath.h"

#include "tests/support/WideText.h"

#include <windows.h>

std::wstring UnixPathOf(const std::wstring& windowsPath)
{
    // char* wine_get_unix_file_name(const WCHAR*): the result is on the process heap.
    using ToUnix = char*(CDECL*)(const WCHAR*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return std::wstring();
    char* unixPath = toUnix(windowsPath.c_str());
    if (!unixPath) return std::wstring();
    const std::wstring path = Wide(unixPath);
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return path;
}
