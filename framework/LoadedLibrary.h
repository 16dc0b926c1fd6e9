// CLoadedLibrary: owns a module loaded with LoadLibraryW, for the few system
// pieces the module looks up when it needs them rather than at load time,
// and for the plug-in the host loads.
#pragma once

#include <windows.h>

#include "UniqueHandle.h"

// Frees a module loaded with LoadLibraryW.
struct LoadedModuleFree {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

class CLoadedLibrary {
public:
    explicit CLoadedLibrary(const wchar_t* name) : m_module(::LoadLibraryW(name)) {}

    bool IsLoaded() const { return static_cast<bool>(m_module); }
    HMODULE Handle() const { return m_module.Get(); }
    // The export `name` as a function of type Function; null when the module or the export is missing.
    template <class Function>
    Function Find(const char* name) const
    {
        return m_module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(m_module.Get(), name))) : nullptr;
    }

private:
    CUniqueHandle<HMODULE, LoadedModuleFree> m_module;
};
