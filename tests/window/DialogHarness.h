// Runs the Quillbox dialog through the host contract while a script drives it
// from a second thread, as a user's input would arrive.
#pragma once

#include <windows.h>

#include <functional>

#include "host/HostObjects.h"
#include "host/PluginModule.h"
#include "host/PluginSlots.h"

namespace harness {

constexpr int kFindText = 1002;
constexpr int kTab = 1007;
constexpr int kFindButton = 1009;
constexpr int kNoteList = 1020;
constexpr int kFindFrame = 1024;

struct Host {
    explicit Host(bool allowResults = false) { link.m_resultsAllowed = allowResults ? 1 : 0; }
    HostLink link;
    HostContext context{&link};
    HostObject object{&context};
};

// The plug-in, loaded once per process. The first call also gives the
// process a HKEY_CURRENT_USER of its own (CPrivateUserRegistry), so that the
// dialog's stored settings start empty in every test program and are gone
// when it ends; programs it starts share them.
PluginModule& Module();
// Forgets every setting the dialog stored in this process tree; false when
// the private HKEY_CURRENT_USER could not be set up.
bool ClearUserSettings();
// The main dialog once it is visible, or null.
HWND WaitForMainDialog(DWORD timeoutMs = 10000);
// Runs Execute with `host`; `script` gets the dialog and should end it.
// A script that returns without ending it gets the dialog closed with Exit.
bool Execute(Host& host, const std::function<void(HWND dialog)>& script);
// Sends a menu command as choosing it does.
void Command(HWND dialog, int id);

} // namespace harness
