// QuillboxPeer.exe: a second user of a note database, or a second host
// process, for the tests that need another process on the same file or the
// same settings. It reads one command per line on stdin and answers each with
// one line on stdout: "ok[ <result>]" or "error <what>". Texts travel as
// UTF-8; lists are joined with "|".
//
//   QuillboxPeer.exe --dialog   loads Quillbox.dll as a host does, runs its
//                               dialog and drives it
//   QuillboxPeer.exe            plain ODBC only (hold-read, lock-write, release, notes)
//
// Commands of the dialog (a message box is answered with OK and reported as
// "ok box <message text>" instead of the result):
//   open <path>        File, Open; "ok"
//   new <path>         File, New; "ok"
//   recent <n>         recent entry n of the File menu; "ok"
//   find <text>        types <text> into the Find box and presses Find; "ok <rows>"
//   rows               "ok <rows>": the note list's first column
//   save <title>       a new note in no group, query "SELECT '<title>'", saved on
//                      the Edit page; "ok saved"
//   options <n>        File, Options, then entry n (unless n is -1) and OK;
//                      "ok <entry shown before>"
//   tab <index>        a click on that tab; "ok <caption in front>"
//   show <name>        double-clicks that row; "ok <caption in front>"
//   menu               "ok <recent entries>"
//   exit               File, Exit
// Commands of plain ODBC:
//   hold-read <path>   connects, runs SELECT on the notes and fetches one row,
//                      keeping the statement open; "ok holding <first id>"
//   lock-write <path>  connects and begins an exclusive transaction; "ok locked"
//   begin-write <path> connects and begins a write transaction (BEGIN IMMEDIATE):
//                      others may read, no one else may write; "ok writing"
//   release            closes what hold-read or lock-write keeps open
//   notes <path>       "ok <name|name|...>" of every note, by id
//   quit               ends the program
#include "host/PluginModule.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/HostedDialog.h"
#include "tests/support/PrivateUserRegistry.h"
#include "tests/twousers/RawNoteConnection.h"
#include "tests/support/WideText.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <string>
#include <vector>

namespace {

void Answer(const std::wstring& line)
{
    std::string out = Utf8(line);
    for (char& c : out) if (c == '\n' || c == '\r') c = ' ';
    std::fputs((out + "\n").c_str(), stdout);
    std::fflush(stdout);
}

bool ReadCommand(std::wstring& verb, std::wstring& argument)
{
    std::string line;
    int c;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') line += static_cast<char>(c);
    if (c == EOF && line.empty()) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::wstring wide = Wide(line);
    const size_t space = wide.find(L' ');
    verb = wide.substr(0, space);
    argument = space == std::wstring::npos ? std::wstring() : wide.substr(space + 1);
    return true;
}

std::wstring Joined(const std::vector<std::wstring>& texts)
{
    std::wstring out;
    for (const std::wstring& text : texts) out += (out.empty() ? L"" : L"|") + text;
    return out;
}

// "ok <result>", or "ok box <text>" for the first message box.
std::wstring Reply(const std::wstring& result, const dialogdriver::Boxes& boxes = {})
{
    return boxes.empty() ? (result.empty() ? L"ok" : L"ok " + result) : L"ok box " + boxes[0].text;
}

// The peer's hand on its own dialog.
std::wstring HandleDialog(HWND dialog, const std::wstring& verb, const std::wstring& argument, bool& known)
{
    using namespace dialogdriver;
    known = true;
    if (verb == L"open") return Reply(L"", OpenFile(dialog, argument).boxes);
    if (verb == L"new") return Reply(L"", NewFile(dialog, argument).boxes);
    if (verb == L"recent") return Reply(L"", ChooseRecentFile(dialog, std::stoi(argument)));
    if (verb == L"find") {
        const Boxes boxes = Find(dialog, argument);
        return Reply(Joined(RowNames(dialog)), boxes);
    }
    if (verb == L"rows") return Reply(Joined(RowNames(dialog)));
    if (verb == L"save") {
        TypeNewNote(dialog, {argument, L"saved by the peer", L"SELECT '" + argument + L"'", 0});
        return Reply(L"saved", Click(FindPages(dialog).edit, IDC_EDIT_SAVE));
    }
    if (verb == L"options") {
        HWND sheet = OpenOptions(dialog);
        if (!sheet) return L"error no Options sheet";
        const std::wstring shown = ChosenShowPage(sheet);
        if (std::stoi(argument) >= 0) ChooseShowPage(sheet, std::stoi(argument));
        CloseOptions(dialog, sheet, IDOK);
        return Reply(shown);
    }
    if (verb == L"tab") {
        SelectTab(dialog, std::stoi(argument));
        return Reply(CurrentTab(dialog));
    }
    if (verb == L"show") {
        const Boxes boxes = DoubleClickRow(dialog, FindRow(dialog, argument));
        return Reply(CurrentTab(dialog), boxes);
    }
    if (verb == L"menu") return Reply(Joined(RecentFileEntries(dialog)));
    if (verb == L"exit") {
        ::PostMessageW(dialog, WM_COMMAND, ID_FILE_EXIT, 0);
        return L"ok";
    }
    known = false;
    return std::wstring();
}

std::wstring HandleRaw(CRawNoteConnection& raw, const std::wstring& verb, const std::wstring& argument, bool& known)
{
    known = true;
    if (verb == L"hold-read") {
        std::wstring error = raw.Connect(argument);
        std::wstring first;
        if (error.empty()) error = raw.OpenAndFetchOne(L"SELECT id, name FROM notes ORDER BY id", first);
        return error.empty() ? L"ok holding " + first : L"error " + error;
    }
    if (verb == L"lock-write") {
        std::wstring error = raw.Connect(argument);
        if (error.empty()) error = raw.Run(L"BEGIN EXCLUSIVE");
        return error.empty() ? L"ok locked" : L"error " + error;
    }
    if (verb == L"begin-write") {
        std::wstring error = raw.Connect(argument);
        if (error.empty()) error = raw.Run(L"BEGIN IMMEDIATE");
        return error.empty() ? L"ok writing" : L"error " + error;
    }
    if (verb == L"release") {
        raw.Release();
        return L"ok released";
    }
    if (verb == L"notes") {
        CRawNoteConnection reader;
        std::wstring error = reader.Connect(argument);
        std::wstring names;
        if (error.empty()) error = reader.ReadColumn(L"SELECT name FROM notes ORDER BY id", names);
        return error.empty() ? L"ok " + names : L"error " + error;
    }
    known = false;
    return std::wstring();
}

// Reads commands until quit or the end of input; `dialog` is null without --dialog.
void CommandLoop(HWND dialog)
{
    CRawNoteConnection raw;
    std::wstring verb, argument;
    Answer(L"ok ready");
    while (ReadCommand(verb, argument)) {
        if (verb == L"quit") {
            Answer(L"ok bye");
            break;
        }
        try {
            bool known = false;
            std::wstring reply = HandleRaw(raw, verb, argument, known);
            if (!known && dialog) reply = HandleDialog(dialog, verb, argument, known);
            Answer(known ? reply : L"error unknown command " + verb);
            if (dialog && verb == L"exit") break;
        } catch (const std::exception& e) {
            Answer(L"error " + Wide(e.what()));
        }
    }
    raw.Release();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool withDialog = argc > 1 && std::wcscmp(argv[1], L"--dialog") == 0;
    if (!withDialog) {
        CommandLoop(nullptr);
        return 0;
    }
    // The dialog's stored settings: the starting test's private key, or one of the peer's own.
    CPrivateUserRegistry userRegistry;
    PluginModule module(L"Quillbox.dll");
    if (!module.GetPluginInterface()) {
        Answer(L"error Quillbox.dll could not be loaded");
        return 1;
    }
    dialogdriver::Host host;
    const bool ran = dialogdriver::RunHostedDialog(module.GetPluginInterface(), host, [](HWND dialog) { CommandLoop(dialog); }).dialogShown;
    if (!ran) Answer(L"error the Quillbox dialog did not appear");
    return ran ? 0 : 1;
}
