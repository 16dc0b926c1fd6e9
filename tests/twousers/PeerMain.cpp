// QuillboxPeer.exe: a second user of a note database, for the tests that
// need another process on the same file. It reads one command per line on
// stdin and answers each with one line on stdout: "ok[ <result>]" or
// "error <what>". Texts travel as UTF-8.
//
//   QuillboxPeer.exe --dialog   loads Quillbox.dll as a host does, runs its
//                               dialog and drives it (open, find, rows, save, exit)
//   QuillboxPeer.exe            plain ODBC only (hold-read, lock-write, release, notes)
//
// Commands:
//   open <path>        File, Open in the dialog; "ok" or "ok box <message text>"
//   find <text>        types <text> into the Find box and presses Find; "ok <row|row|...>" or "ok box <text>"
//   rows               "ok <row|row|...>": the note list's first column
//   save <title>       a new note in no group, query "SELECT '<title>'", saved on
//                      the Edit page; "ok saved" or "ok box <message text>"
//   exit               File, Exit
//   hold-read <path>   connects, runs SELECT on the notes and fetches one row,
//                      keeping the statement open; "ok holding <first id>"
//   lock-write <path>  connects and begins an exclusive transaction; "ok locked"
//   begin-write <path> connects and begins a write transaction (BEGIN IMMEDIATE):
//                      others may read, no one else may write; "ok writing"
//   release            closes what hold-read or lock-write keeps open
//   notes <path>       "ok <name|name|...>" of every note, by id
//   quit               ends the program
#include "bench/DialogDriver.h"
#include "bench/HostedDialog.h"
#include "bench/UiAgent.h"
#include "tests/support/PrivateUserRegistry.h"
#include "tests/twousers/RawNoteConnection.h"
#include "tests/twousers/WideText.h"

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

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// The peer's hand on its own dialog.
class PeerDialog {
public:
    PeerDialog(HWND dialog, CUiAgent& agent) : m_driver(dialog, agent), m_agent(agent) { agent.SetDrawnList(m_driver.List()); }

    std::wstring Handle(const std::wstring& verb, const std::wstring& argument, bool& known)
    {
        known = true;
        if (verb == L"open") {
            m_driver.Open(argument);
            return WithBox(L"ok");
        }
        if (verb == L"find") {
            m_driver.Find(argument);
            const std::wstring box = AnswerBox();
            return box.empty() ? L"ok " + Rows() : L"ok box " + box;
        }
        if (verb == L"rows") return L"ok " + Rows();
        if (verb == L"save") {
            NewNote note;
            note.title = argument;
            note.comments = L"saved by the peer";
            note.query = L"SELECT '" + argument + L"'";
            m_driver.SaveNewNote(note, NoGroupChoice());
            return WithBox(L"ok saved");
        }
        if (verb == L"exit") {
            m_driver.Exit();
            return L"ok";
        }
        known = false;
        return std::wstring();
    }

private:
    std::wstring Rows() const
    {
        std::wstring rows;
        for (int row = 0; row < m_driver.RowCount(); ++row) rows += (row ? L"|" : L"") + m_driver.RowText(row);
        return rows;
    }

    int NoGroupChoice() const
    {
        for (int index = 0; index < m_driver.GroupChoiceCount(); ++index) {
            if (m_driver.GroupChoiceId(index) == 0) return index;
        }
        return -1;
    }

    std::wstring WithBox(const std::wstring& plain)
    {
        const std::wstring box = AnswerBox();
        return box.empty() ? plain : L"ok box " + box;
    }

    // Answers the message box the last action opened, if any, with OK; its text.
    std::wstring AnswerBox()
    {
        std::wstring text;
        for (int attempt = 0; attempt < 20 && text.empty(); ++attempt) {
            m_agent.Sync();
            text = m_driver.OpenMessageBoxText();
            if (text.empty() && attempt > 2) break;
            if (text.empty()) ::Sleep(50);
        }
        if (text.empty()) return text;
        std::vector<HWND> windows;
        ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
        for (HWND window : windows) {
            wchar_t name[16] = {};
            ::GetClassNameW(window, name, 16);
            if (window != m_driver.Dialog() && std::wcscmp(name, L"#32770") == 0) {
                ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(window, IDOK)));
                for (int wait = 0; wait < 1000 && ::IsWindow(window); ++wait) ::Sleep(5);
            }
        }
        m_agent.Sync();
        return text;
    }

    CDialogDriver m_driver;
    CUiAgent& m_agent;
};

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
void CommandLoop(PeerDialog* dialog)
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
            if (!known && dialog) reply = dialog->Handle(verb, argument, known);
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
    CPrivateUserRegistry userRegistry(L"QuillboxPeer.exe");
    CUiAgent agent;
    std::string error;
    const bool ran = RunHostedDialog(agent, [&](HWND window) {
        try {
            PeerDialog dialog(window, agent);
            CommandLoop(&dialog);
        } catch (const std::exception& e) {
            Answer(L"error " + Wide(e.what()));
        }
        if (::IsWindow(window)) ::PostMessageW(window, WM_COMMAND, 32774, 0);
    }, error);
    if (!ran) Answer(L"error " + Wide(error));
    return ran ? 0 : 1;
}
