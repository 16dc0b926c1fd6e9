// CQuillboxApp: the module's application object; its second base is the
// plug-in interface the host receives.
#pragma once

#include "framework/CWinApp.h"
#include "plugin/PluginInterface.h"

class CQuillboxApp : public CWinApp, public IDatabasePlugin {
public:
    CQuillboxApp();
    ~CQuillboxApp() override;

    BOOL InitInstance() override;

    void SetHost(void* hostObject) override;
    void* GetHost() override;
    int GetPluginType() override;
    bool Execute() override;
    int GetInterfaceVersion() override;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

private:
    void* m_hostObject = nullptr;  // the host's object; never owned or released
};

IDatabasePlugin* QuillboxPluginInterface();
