// CLoadedLibrary: owns a module loaded with LoadLibraryW, for the few system
// pieces the module looks up when it needs them rather than at load time.
#pragma once

#include <windows.h>

class CLoadedLibrary {
public:
    explicit CLoadedLibrary(const wchar_t* name) : m_module(::LoadLibraryW(name)) {}
    ~CLoadedLibrary()
    {
        if (m_module) ::FreeLibrary(m_module);
    }
    CLoadedLibrary(const CLoadedLibrary&) = delete;
    CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;

    // The export `name` as a function of type Function; null when the module or the export is missing.
    template <class Function>
    Function Find(const char* name) const
    {
        return m_module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(m_module, name))) : nullptr;
    }

private:
    HMODULE m_module;  // owned
};
