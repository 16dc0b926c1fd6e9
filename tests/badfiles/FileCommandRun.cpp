// Running a File command through its file dialog, whatever becomes of the name.
#include "tests/badfiles/FileCommandRun.h"

#include <commdlg.h>

#include "tests/support/UiDriver.h"
#include "tests/twousers/UserActions.h"
#include "tests/window/WindowTestSupport.h"

namespace badfiles {

namespace {

constexpr int kFileNameBox = 1148;
// A file dialog that neither closed nor complained within this time kept the name.
constexpr DWORD kTakenWithinMs = 3000;

BOOL CALLBACK CollectOwn(HWND window, LPARAM param)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId()) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// A message box owned by `owner`, or null.
HWND BoxOwnedBy(HWND owner)
{
    std::vector<HWND> windows;
    ::EnumWindows(&CollectOwn, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        if (::GetWindow(window, GW_OWNER) != owner || ui::ClassName(window) != L"#32770" || ::GetDlgItem(window, kFileNameBox)) continue;
        if (!ui::MessageBoxText(window).empty()) return window;
    }
    return nullptr;
}

dialogdriver::SeenBox AnswerBox(HWND box)
{
    for (int wait = 0; wait < 200 && ::IsWindow(box) && !::IsWindowVisible(box); ++wait) ::Sleep(10);
    dialogdriver::SeenBox seen;
    seen.text = ui::MessageBoxText(box);
    seen.icon = ui::MessageBoxIcon(box);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
    ui::WaitForWindowGone(box, 10000);
    return seen;
}

} // namespace

FileCommandRun RunFileCommand(HWND dialog, int command, const std::wstring& typed)
{
    FileCommandRun run;
    const wchar_t* title = command == dialogdriver::kFileNew ? L"Save As" : L"Open";
    ::PostMessageW(dialog, WM_COMMAND, command, 0);
    HWND files = ui::WaitForWindow(L"#32770", title, 30000, [](HWND w) { return ::GetDlgItem(w, kFileNameBox) != nullptr; });
    if (!files) {
        run.boxes = dialogdriver::AnswerBoxes(dialog);
        return run;
    }
    run.fileDialogShown = true;
    ::SendMessageW(::GetDlgItem(files, kFileNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    ::PostMessageW(files, WM_COMMAND, IDOK, 0);
    DWORD quietSince = ::GetTickCount();
    while (::IsWindow(files)) {
        if (HWND box = BoxOwnedBy(files)) {
            run.fileDialogBoxes.push_back(AnswerBox(box));
            quietSince = ::GetTickCount();
            continue;
        }
        if (::GetTickCount() - quietSince > kTakenWithinMs) {
            // Still there: the name was not taken. Note where it stands and cancel.
            run.stayedOpen = true;
            wchar_t folder[2048] = {};
            ::SendMessageW(files, CDM_GETFOLDERPATH, 2048, reinterpret_cast<LPARAM>(folder));
            run.folderShown = folder;
            ::PostMessageW(files, WM_COMMAND, IDCANCEL, 0);
            ui::WaitForWindowGone(files, 10000);
            break;
        }
        ::Sleep(20);
    }
    run.boxes = dialogdriver::AnswerBoxes(dialog);
    return run;
}

std::string Describe(const FileCommandRun& run)
{
    std::string out = run.fileDialogShown ? "" : "no file dialog; ";
    if (!run.fileDialogBoxes.empty()) out += "file dialog said " + useractions::Describe(run.fileDialogBoxes) + "; ";
    if (run.stayedOpen) out += "file dialog stayed open in " + windowtest::Narrow(run.folderShown) + "; ";
    return out + "Quillbox: " + useractions::Describe(run.boxes);
}

} // namespace badfiles
