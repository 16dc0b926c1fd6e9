// File, Open and File, New of the main dialog with whatever a user may type
// into the file dialog, including names the file dialog itself does not
// accept: it may answer with a message box of its own, or stay open (a
// folder's name makes it show that folder). Unlike the main-dialog tests'
// runner, this one notices a file dialog that stays open and cancels it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/window/DialogDriver.h"

namespace badfiles {

struct FileCommandRun {
    bool fileDialogShown = false;
    std::vector<dialogdriver::SeenBox> fileDialogBoxes;  // shown by the file dialog itself
    bool stayedOpen = false;                             // the file dialog did not take the name
    std::wstring folderShown;                            // the folder it showed then
    std::vector<dialogdriver::SeenBox> boxes;            // shown by Quillbox after the file dialog
};

// Runs File `command` (dialogdriver::kFileOpen or kFileNew), types `typed`
// into the file dialog and presses OK.
FileCommandRun RunFileCommand(HWND dialog, int command, const std::wstring& typed);

// "file dialog: [..] stayed open in X; Quillbox: [..]" for failure messages.
std::string Describe(const FileCommandRun& run);

} // namespace badfiles
