// Calls a plug-in interface by slot position only, as a host compiled
// elsewhere would: 0 SetHost, 1 GetHost, 2 GetPluginType, 3 Execute,
// 4 GetInterfaceVersion, each with the member calling convention.
#pragma once

class PluginSlots {
public:
    explicit PluginSlots(void* pluginInterface) : m_interface(pluginInterface) {}

    void SetHost(void* hostObject) { Call<void, void*>(0, hostObject); }
    void* GetHost() { return Call<void*>(1); }
    int GetPluginType() { return Call<int>(2); }
    bool Execute() { return Call<bool>(3); }
    int GetInterfaceVersion() { return Call<int>(4); }
    void* Interface() const { return m_interface; }

private:
    template <class Result, class... Args>
    Result Call(int slot, Args... args)
    {
        using Slot = Result(__thiscall*)(void*, Args...);
        void** table = *static_cast<void***>(m_interface);
        return reinterpret_cast<Slot>(table[slot])(m_interface, args...);
    }

    void* m_interface;  // the plug-in's object; never owned
};
