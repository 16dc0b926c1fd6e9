// PluginModule: loads a plug-in DLL by name and finds its interface; frees
// the module when it goes.
#pragma once

#include <windows.h>

class PluginModule {
public:
    explicit PluginModule(const wchar_t* fileName) : m_module(::LoadLibraryW(fileName)) {}
    ~PluginModule()
    {
        if (m_module) ::FreeLibrary(m_module);
    }
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;

    bool IsLoaded() const { return m_module != nullptr; }
    HMODULE Handle() const { return m_module; }
    // The result of the module's GetPluginInterface, or null.
    void* GetPluginInterface() const
    {
        using Entry = void*(__cdecl*)();
        auto entry = m_module ? reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(m_module, "GetPluginInterface"))) : nullptr;
        return entry ? entry() : nullptr;
    }

private:
    HMODULE m_module;  // owned
};
