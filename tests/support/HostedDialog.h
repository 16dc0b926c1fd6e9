// Runs the Quillbox dialog as a host does (host objects set, Execute called
// on this thread) and hands the dialog to a script on a second thread.
#pragma once

#include <windows.h>

#include <functional>

#include "host/HostObjects.h"

namespace dialogdriver {

// The host's objects for one Execute; `allowResults` sets the link's flag.
struct Host {
    explicit Host(bool allowResults = false) { link.m_resultsAllowed = allowResults ? 1 : 0; }
    HostLink link;
    HostContext context{&link};
    HostObject object{&context};
};

// The main dialog of this process (a visible "Quillbox" dialog with the note
// list) once it shows, or null.
HWND WaitForMainDialog(DWORD timeoutMs = 30000);

struct HostedRun {
    bool dialogShown = false;  // the script got the dialog
    bool executed = false;     // what Execute returned
};
// Sets `host` on the plug-in and runs Execute while `script` drives the
// dialog. Whatever the script leaves open is closed after it, and a dialog
// it did not end is ended with File, Exit (its questions about unsaved
// changes answered No), so that Execute returns.
HostedRun RunHostedDialog(void* pluginInterface, Host& host, const std::function<void(HWND dialog)>& script);

} // namespace dialogdriver
