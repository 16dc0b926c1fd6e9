// Runs the Quillbox dialog as a host does (Quillbox.dll loaded, its host
// objects set, Execute called on this thread) and hands the dialog to a
// script on a second thread, which drives it and ends it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CUiAgent;

// The visible Quillbox dialog of this process, waited for up to 30 seconds; nullptr when none came up.
HWND WaitForQuillboxDialog();

// Starts `agent` on this thread, runs Execute and calls `script` with the
// dialog on a second thread. False, with `error` set, when the plug-in or
// its dialog did not come up.
bool RunHostedDialog(CUiAgent& agent, const std::function<void(HWND dialog)>& script, std::string& error);
