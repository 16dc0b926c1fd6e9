// Peak working set from GetProcessMemoryInfo (under Wine: VmHWM and VmRSS of
// the Linux process). The reset writes "5" to the process's clear_refs, which
// sets Linux's VmHWM back to the current resident size.
#include "bench/ProcessMemory.h"

#include <windows.h>
#include <psapi.h>

#include <cwchar>

namespace {

PROCESS_MEMORY_COUNTERS Counters()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// The Linux process id of this process under Wine, 0 elsewhere. Files are
// opened by the Wine server, so /proc/self would name the server: the id
// comes from Linux's getpid system call instead (i386 number 20).
int LinuxProcessId()
{
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !::GetProcAddress(ntdll, "wine_get_version")) return 0;
    int pid = 0;
    __asm__ volatile("int $0x80" : "=a"(pid) : "a"(20));
    return pid > 0 ? pid : 0;
}

} // namespace

size_t PeakWorkingSet() { return Counters().PeakWorkingSetSize; }

size_t CurrentWorkingSet() { return Counters().WorkingSetSize; }

bool ResetPeakWorkingSet()
{
    static const int pid = LinuxProcessId();
    if (pid == 0) return false;
    wchar_t path[64];
    std::swprintf(path, 64, L"Z:\\proc\\%d\\clear_refs", pid);
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, "5", 1, &written, nullptr);
    ::CloseHandle(file);
    return ok && written == 1;
}
