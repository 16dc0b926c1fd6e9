// The platform's folder picker (Browse for Folder), with its button for a
// new folder and a box to type or paste a path into, starting at `initial`. shell32 is loaded when it is needed, so
// the module does not depend on it at load time.
#pragma once

#include "framework/CString.h"

#include <windows.h>

// False when the user cancels (or the picker is not there); `folder` is then unchanged.
// With `mayBeNew`, a typed path may name a folder that is not there yet
// inside one that is (the caller makes it).
bool PickFolder(HWND owner, const wchar_t* title, const CString& initial, CString& folder, bool mayBeNew = false);
