// The module's map from window handles to their objects (one UI thread).
#pragma once

#include <windows.h>

class CWnd;

namespace HandleMap {
CWnd* Find(HWND hWnd);
void Add(HWND hWnd, CWnd* wnd);
void Remove(HWND hWnd);
// A temporary object for a handle that no object owns; freed by DeleteTemporaries.
CWnd* Temporary(HWND hWnd);
void DeleteTemporaries();
// True while any temporary object exists.
bool HasTemporaries();
} // namespace HandleMap
