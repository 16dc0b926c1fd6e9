// The dialog harness of the main-dialog tests.
#include "tests/support/DialogHarness.h"

#include <gtest/gtest.h>

#include "tests/support/PrivateUserRegistry.h"

namespace harness {

namespace {

CPrivateUserRegistry& UserRegistry()
{
    static CPrivateUserRegistry registry;
    return registry;
}

} // namespace

PluginModule& Module()
{
    // Made before the module and so gone only after it.
    UserRegistry();
    static PluginModule module(L"Quillbox.dll");
    return module;
}

bool ClearUserSettings()
{
    UserRegistry().Clear();
    return UserRegistry().IsActive();
}

bool Execute(Host& host, const std::function<void(HWND dialog)>& script)
{
    const dialogdriver::HostedRun run = dialogdriver::RunHostedDialog(Module().GetPluginInterface(), host, script);
    EXPECT_TRUE(run.dialogShown) << "the Quillbox dialog did not appear";
    return run.executed;
}

} // namespace harness
