// The plug-in interface the host calls by slot position:
// 0 SetHost, 1 GetHost, 2 GetPluginType, 3 Execute, 4 GetInterfaceVersion.
#pragma once

class IPlugin {
public:
    virtual void SetHost(void* hostObject) = 0;
    virtual void* GetHost() = 0;
    virtual int GetPluginType() = 0;
};

class ICommandPlugin : public IPlugin {
public:
    virtual bool Execute() = 0;
};

class IDatabasePlugin : public ICommandPlugin {
public:
    virtual int GetInterfaceVersion() = 0;
};
