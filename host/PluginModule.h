// PluginModule: loads a plug-in DLL by name and finds its interface; frees
// the module when it goes.
#pragma once

#include <windows.h>

#include "framework/LoadedLibrary.h"

class PluginModule {
public:
    explicit PluginModule(const wchar_t* fileName) : m_library(fileName) {}

    bool IsLoaded() const { return m_library.IsLoaded(); }
    HMODULE Handle() const { return m_library.Handle(); }
    // The result of the module's GetPluginInterface, or null.
    void* GetPluginInterface() const
    {
        auto entry = m_library.Find<void*(__cdecl*)()>("GetPluginInterface");
        return entry ? entry() : nullptr;
    }

private:
    CLoadedLibrary m_library;
};
