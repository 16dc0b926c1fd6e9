// What a user does on the Edit page of a Quillbox dialog that runs in this
// process (driven from the script thread, as in the main-dialog tests):
// type a new note and press Save, and tell whether the dialog is busy.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/window/DialogDriver.h"

namespace useractions {

// New on the Edit page, then the title, comments and query typed in and the
// group "None" chosen. Nothing is saved yet.
void TypeNewNote(HWND dialog, const std::wstring& title, const std::wstring& comments, const std::wstring& query);
// Presses Save on the Edit page and returns at once (the save may block).
void PostSave(HWND dialog);
// TypeNewNote and PostSave, then waits for the dialog and answers every
// message box it showed: the boxes, empty when the note was saved quietly.
std::vector<dialogdriver::SeenBox> SaveNewNote(HWND dialog, const std::wstring& title);
// True when the dialog's thread does not answer a sent message within
// `timeoutMs`: it is inside a handler, such as a save waiting for a lock.
bool IsBusy(HWND dialog, UINT timeoutMs = 50);
// "[text icon n]..." for failure messages.
std::string Describe(const std::vector<dialogdriver::SeenBox>& boxes);

} // namespace useractions
