// The main-dialog tests' way of running the Quillbox dialog through the host
// contract while a script drives it from a second thread.
#pragma once

#include <windows.h>

#include <functional>

#include "host/PluginModule.h"
#include "tests/support/HostedDialog.h"

namespace harness {

using Host = dialogdriver::Host;

// The plug-in, loaded once per process. The first call also gives the
// process a HKEY_CURRENT_USER of its own (CPrivateUserRegistry), so that the
// dialog's stored settings start empty in every test program and are gone
// when it ends; programs it starts share them.
PluginModule& Module();
// Forgets every setting the dialog stored in this process tree; false when
// the private HKEY_CURRENT_USER could not be set up.
bool ClearUserSettings();
// Runs Execute with `host`; `script` gets the dialog and should end it.
// A script that returns without ending it gets the dialog closed with Exit;
// a dialog that never shows fails the test.
bool Execute(Host& host, const std::function<void(HWND dialog)>& script);

} // namespace harness
