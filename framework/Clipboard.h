// The clipboard's text: put as Unicode text, owned by `owner` while open.
#pragma once

#include <windows.h>

#include <string>

// Replaces what the clipboard holds with `text`; false when the clipboard
// could not be opened or the memory not had.
bool PutTextOnClipboard(HWND owner, const std::wstring& text);
// `text` with Windows line ends, whatever ends its lines (CR LF, LF or CR).
std::wstring WithWindowsLineEnds(const std::wstring& text);
